#pragma once

#include <QStyledItemDelegate>

class PayrollGrid;
class QKeyEvent;
class QLineEdit;

// The cell editor of mainGrid and the frame around bad card numbers.
//
// Its event filter decides every key typed into the editor: Home, End and
// the page keys go to the grid's key handling, Tab and the arrows move
// through the grid, and typed text passes the one Windows-1251 input filter
// with the grid deciding which characters its column takes; a refused key
// gets a note, never a silent drop. Pasting inserts the clipboard's text
// without line breaks and leaves the clipboard as it is.
class PayrollCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit PayrollCellDelegate(PayrollGrid *grid);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // A bad card number's frame: RGB(255, 98, 0), one pixel.
    static QColor frameColor() { return QColor(255, 98, 0); }

signals:
    // A typed or pasted character was refused or replaced, and why.
    void inputNoted(const QString &note);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    bool editorKeyPress(QLineEdit *editor, QKeyEvent *event);
    void paste(QLineEdit *editor);
    static void showFrame(QLineEdit *editor, const QModelIndex &index);

    PayrollGrid *m_grid;
    mutable bool m_loading = false;
};
