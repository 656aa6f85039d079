#pragma once

#include <QTableView>

#include <functional>

class PayrollModel;
class QLineEdit;

// mainGrid: always as tall as all its rows, so that the scrolling box around
// it does the scrolling, and row r starts 26 * r pixels from its top. Model
// row 0 is shown as the column header. The cell editor is always open on the
// current cell.
//
// Every change of the current cell, by mouse, keyboard or program, is first
// offered to onSelectCell, which may refuse it.
class PayrollGrid : public QTableView
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 26; // 24 pixels and the grid line

    explicit PayrollGrid(QWidget *parent = nullptr);

    void setPayrollModel(PayrollModel *model);
    PayrollModel *payrollModel() const { return m_model; }

    // The window's handlers.
    std::function<void(int col, int row, bool &canSelect)> onSelectCell;
    std::function<bool(int key, Qt::KeyboardModifiers shift)> onKeyDown; // true: the key is consumed
    std::function<void(QChar &key)> onKeyPress;                           // a cleared key is refused
    std::function<void(int col, int row)> onSetEditText;

    // Makes the cell current unless onSelectCell refuses it.
    bool SelectCell(int col, int row);
    int Col() const { return currentIndex().column(); }
    int Row() const { return currentIndex().row(); }

    QLineEdit *cellEditor() const;
    void focusCellEditor();

    // The grid's own movement (Tab, Shift+Tab, arrows), through onSelectCell.
    enum class Move { Next, Previous, Up, Down, Left, Right };
    void moveBy(Move move);

protected:
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

private:
    bool holdsFocus() const;
    void keepFocusWhileEditorCloses();
    void fitSize();
    void afterReset();

    PayrollModel *m_model = nullptr;
    bool m_swappingEditor = false;
    bool m_forwardingKey = false;
};
