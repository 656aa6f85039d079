#pragma once

#include <QTableView>

#include <functional>

class QLineEdit;

// A string grid over a table model, its column titles from the model's
// headerData. It is always as tall as the header and all its rows, so that
// the scrolling box around it does the scrolling. The cell editor is always
// open on the current cell when that cell is editable. Every change of the
// current cell, by mouse, keyboard or program, is first offered to
// allowsCell, which may refuse it; by default it asks the owner's cell check.
class StringGridView : public QTableView
{
    Q_OBJECT
public:
    explicit StringGridView(QWidget *parent = nullptr, int rowHeight = 26, int firstEditableColumn = 1);

    void setGridModel(QAbstractItemModel *model);
    // Asked before every change of the current cell; false refuses it.
    void setCellCheck(std::function<bool(int row, int column)> check) { m_cellCheck = std::move(check); }

    int rowHeight() const { return m_rowHeight; }
    int lastRow() const;

    // Makes the cell current unless allowsCell refuses it.
    bool selectCell(int row, int column);
    int currentRow() const { return currentIndex().row(); }
    int currentColumn() const { return currentIndex().column(); }

    QLineEdit *cellEditor() const;
    void focusCellEditor();

    // The grid's own movement (Tab, Shift+Tab, arrows), through allowsCell.
    enum class Move { Next, Previous, Up, Down, Left, Right };
    void moveBy(Move move);

    // For the cell delegate: keys offered to the grid; by default none taken.
    // True: the key is consumed.
    virtual bool offerKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // A cleared key is refused.
    virtual void offerKeyPress(QChar &key);

protected:
    virtual bool allowsCell(int row, int column);
    // The current cell's editor wrote its text into the model.
    virtual void cellTextSet(int row, int column);

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void commitData(QWidget *editor) override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

    bool passesCellCheck(int row, int column) const { return !m_cellCheck || m_cellCheck(row, column); }

private:
    bool holdsFocus() const;
    void keepFocusWhileEditorCloses();
    void fitSize();
    void afterReset();

    QAbstractItemModel *m_model = nullptr;
    int m_rowHeight;
    int m_firstEditableColumn;
    bool m_swappingEditor = false;
    bool m_forwardingKey = false;
    std::function<bool(int row, int column)> m_cellCheck;
};
