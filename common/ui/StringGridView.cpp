#include "common/ui/StringGridView.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

StringGridView::StringGridView(QWidget *parent, int rowHeight, int firstEditableColumn)
    : QTableView(parent)
    , m_rowHeight(rowHeight)
    , m_firstEditableColumn(firstEditableColumn)
{
    setSelectionMode(NoSelection);
    setEditTriggers(NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setAutoScroll(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    // Entered by clicking, never by Tab.
    setFocusPolicy(Qt::ClickFocus);

    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(m_rowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView *columns = horizontalHeader();
    columns->setFixedHeight(m_rowHeight);
    // The header texts centre themselves with leading blanks.
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    connect(columns, &QHeaderView::sectionResized, this, &StringGridView::fitSize);
}

void StringGridView::setGridModel(QAbstractItemModel *model)
{
    m_model = model;
    setModel(model);
    // Connected after the view and its selection model, so that these run last.
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &StringGridView::keepFocusWhileEditorCloses);
    connect(model, &QAbstractItemModel::modelReset, this, &StringGridView::afterReset);
    connect(model, &QAbstractItemModel::rowsInserted, this, &StringGridView::fitSize);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &StringGridView::fitSize);
    fitSize();
}

int StringGridView::lastRow() const
{
    return m_model ? m_model->rowCount() - 1 : 0;
}

bool StringGridView::allowsCell(int row, int column)
{
    return passesCellCheck(row, column);
}

void StringGridView::cellTextSet(int, int) {}

bool StringGridView::offerKeyDown(int, Qt::KeyboardModifiers)
{
    return false;
}

void StringGridView::offerKeyPress(QChar &) {}

bool StringGridView::selectCell(int row, int column)
{
    if (!m_model || row < 0 || row > lastRow() || column < 0 || column >= m_model->columnCount())
        return false;
    if (!allowsCell(row, column))
        return false;
    const QModelIndex target = m_model->index(row, column);
    if (target != currentIndex())
        setCurrentIndex(target);
    return true;
}

QLineEdit *StringGridView::cellEditor() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? qobject_cast<QLineEdit *>(indexWidget(current)) : nullptr;
}

void StringGridView::focusCellEditor()
{
    if (QLineEdit *editor = cellEditor()) {
        editor->setFocus(Qt::OtherFocusReason);
        editor->selectAll();
    }
}

void StringGridView::moveBy(Move move)
{
    static constexpr CursorAction actions[] = {MoveNext, MovePrevious, MoveUp, MoveDown, MoveLeft, MoveRight};
    const QModelIndex target = moveCursor(actions[int(move)], Qt::NoModifier);
    if (target != currentIndex())
        setCurrentIndex(target);
}

QModelIndex StringGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const QModelIndex current = currentIndex();
    if (!m_model || !current.isValid())
        return {};
    const int last = lastRow();
    const int lastCol = m_model->columnCount() - 1;
    int col = current.column();
    int row = current.row();
    switch (action) {
    case MoveNext:
        // From the last column the grid tries the first cell of the next
        // row, or of the first row from the last row.
        if (++col > lastCol) {
            col = 0;
            row = row < last ? row + 1 : 0;
        }
        break;
    case MovePrevious:
        if (--col < 0) {
            col = lastCol;
            row = row > 0 ? row - 1 : last;
        }
        break;
    case MoveUp: row = std::max(0, row - 1); break;
    case MoveDown: row = std::min(last, row + 1); break;
    case MoveLeft: col = std::max(0, col - 1); break;
    case MoveRight: col = std::min(lastCol, col + 1); break;
    default:
        // Home, End and the page keys belong to the grid's own key handling.
        return current;
    }
    if (col == current.column() && row == current.row())
        return current;
    return allowsCell(row, col) ? m_model->index(row, col) : current;
}

bool StringGridView::holdsFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

// Closing a focused editor would hand the focus to the next widget of the
// window, which counts as leaving the grid: park it on the grid meanwhile.
void StringGridView::keepFocusWhileEditorCloses()
{
    if (holdsFocus()) {
        m_swappingEditor = true;
        setFocus(Qt::OtherFocusReason);
        m_swappingEditor = false;
    }
}

void StringGridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    const bool focused = holdsFocus();
    keepFocusWhileEditorCloses();
    if (previous.isValid() && isPersistentEditorOpen(previous))
        closePersistentEditor(previous);
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current.column() >= m_firstEditableColumn) {
        openPersistentEditor(current);
        if (focused)
            focusCellEditor();
    }
}

void StringGridView::commitData(QWidget *editor)
{
    QTableView::commitData(editor);
    const QModelIndex current = currentIndex();
    if (editor == indexWidget(current))
        cellTextSet(current.row(), current.column());
}

void StringGridView::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    if (currentIndex().row() >= start && currentIndex().row() <= end)
        keepFocusWhileEditorCloses();
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

void StringGridView::afterReset()
{
    fitSize();
    const bool focused = holdsFocus();
    selectionModel()->setCurrentIndex(m_model->index(0, m_firstEditableColumn), QItemSelectionModel::NoUpdate);
    if (focused)
        focusCellEditor();
}

void StringGridView::fitSize()
{
    if (!m_model)
        return;
    // The header and every row.
    setFixedSize(horizontalHeader()->length(), m_rowHeight * (m_model->rowCount() + 1));
}

void StringGridView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!holdsFocus())
        setFocus(Qt::MouseFocusReason);
    if (index.isValid() && index != currentIndex() && selectCell(index.row(), index.column()))
        return;
    // Refused, or a click beside the cells: the focus stays with the current cell.
    if (QLineEdit *editor = cellEditor())
        editor->setFocus(Qt::MouseFocusReason);
}

// Dragging or releasing the mouse never moves the current cell.
void StringGridView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void StringGridView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void StringGridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

// Keys reach the cell editor; what it leaves unhandled comes back up here
// and goes no further.
void StringGridView::keyPressEvent(QKeyEvent *event)
{
    QLineEdit *editor = cellEditor();
    if (!editor || m_forwardingKey) {
        event->ignore();
        return;
    }
    m_forwardingKey = true;
    QCoreApplication::sendEvent(editor, event);
    m_forwardingKey = false;
}

void StringGridView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    if (!m_swappingEditor)
        if (QLineEdit *editor = cellEditor())
            editor->setFocus(event->reason());
}
