#pragma once

#include <QTableView>

class QLineEdit;

// What a window decides for its grid. A refused selection leaves the current
// cell where it is; the requested cell reaches the window all the same.
class GridHandler
{
public:
    virtual bool allowCell(int col, int row) = 0;
    // True: the key is consumed.
    virtual bool gridKeyDown(int key, Qt::KeyboardModifiers modifiers) = 0;
    // A cleared key is refused.
    virtual void gridKeyPress(QChar &key) = 0;
    virtual void cellTextSet(int col, int row) = 0;

protected:
    ~GridHandler() = default;
};

// A string grid over a table model. The column header is either the model's
// row 0 (the payroll register keeps it there) or the model's headerData,
// every model row then being a data row. It is always as tall as all its rows, so that the scrolling box
// around it does the scrolling, and row r starts r row heights from its top.
// The cell editor is always open on the current cell when that cell is
// editable. Every change of the current cell, by mouse, keyboard or program,
// is first offered to the handler, which may refuse it.
class StringGridView : public QTableView
{
    Q_OBJECT
public:
    enum class HeaderRow { ModelRowZero, HeaderData };

    explicit StringGridView(QWidget *parent = nullptr, int rowHeight = 26, int firstEditableColumn = 1,
                            HeaderRow headerRow = HeaderRow::ModelRowZero);

    void setGridModel(QAbstractItemModel *model);
    // The window clears it before it goes.
    void setHandler(GridHandler *handler) { m_handler = handler; }

    int rowHeight() const { return m_rowHeight; }
    // The model row of the first data row: 1, or 0 when the header comes from headerData.
    int firstRow() const { return m_firstRow; }
    int lastRow() const;

    // Makes the cell current unless the handler refuses it.
    bool SelectCell(int col, int row);
    int Col() const { return currentIndex().column(); }
    int Row() const { return currentIndex().row(); }

    QLineEdit *cellEditor() const;
    void focusCellEditor();

    // The grid's own movement (Tab, Shift+Tab, arrows), through the handler.
    enum class Move { Next, Previous, Up, Down, Left, Right };
    void moveBy(Move move);

    // For the cell delegate: keys offered to the handler.
    bool offerKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void offerKeyPress(QChar &key);

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
    bool allows(int col, int row);
    bool holdsFocus() const;
    void keepFocusWhileEditorCloses();
    void fitSize();
    void afterReset();

    QAbstractItemModel *m_model = nullptr;
    GridHandler *m_handler = nullptr;
    int m_rowHeight;
    int m_firstEditableColumn;
    int m_firstRow;
    bool m_swappingEditor = false;
    bool m_forwardingKey = false;
};
