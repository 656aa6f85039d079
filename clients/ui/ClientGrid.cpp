#include "clients/ui/ClientGrid.h"

#include "clients/ClientRecord.h"
#include "clients/ClientTableModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace {

QScrollArea *EnclosingScrollArea(QWidget *widget)
{
    for (QWidget *w = widget->parentWidget(); w; w = w->parentWidget())
        if (auto *area = qobject_cast<QScrollArea *>(w))
            return area;
    return nullptr;
}

} // namespace

ClientGrid::ClientGrid(QWidget *parent)
    // No column is editable: the cells change only through the commands.
    : StringGridView(parent, kRowHeight, ClientColumn::Count)
{
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setShowGrid(true);
}

void ClientGrid::setClientModel(ClientTableModel *model)
{
    setGridModel(model);
    // Hidden first: the grid takes its width from the widths set after.
    for (int col = ClientColumn::kVisibleCount; col < ClientColumn::Count; ++col)
        setColumnHidden(col, true);
    setColumnWidth(ClientColumn::Number, 40);
    setColumnWidth(ClientColumn::FullName, 280);
    for (int col = ClientColumn::Sex; col < ClientColumn::kVisibleCount; ++col)
        setColumnWidth(col, 93);
}

void ClientGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    StringGridView::currentChanged(current, previous);
    showCurrentRow();
}

// The window's paging has placed the panel; this only corrects a row it left out of view.
void ClientGrid::showCurrentRow()
{
    QScrollArea *area = EnclosingScrollArea(this);
    const int row = currentRow();
    if (!area || !area->widget() || row < 0)
        return;
    const QPoint top = viewport()->mapTo(area->widget(), QPoint(0, rowViewportPosition(row)));
    QScrollBar *bar = area->verticalScrollBar();
    const int bottom = top.y() + kRowHeight;
    if (top.y() < bar->value())
        bar->setValue(top.y());
    else if (bottom > bar->value() + area->viewport()->height())
        bar->setValue(bottom - area->viewport()->height());
}

int ClientGrid::rowsInView() const
{
    const QScrollArea *area = EnclosingScrollArea(const_cast<ClientGrid *>(this));
    const int height = area ? area->viewport()->height() : viewport()->height();
    return std::max(1, height / kRowHeight - 1);
}

void ClientGrid::keyPressEvent(QKeyEvent *event)
{
    const int row = std::max(currentRow(), 0);
    const int column = std::max(currentColumn(), 0);
    switch (event->key()) {
    case Qt::Key_Up: moveBy(Move::Up); break;
    case Qt::Key_Down: moveBy(Move::Down); break;
    case Qt::Key_PageUp: selectCell(std::max(0, row - rowsInView()), column); break;
    case Qt::Key_PageDown: selectCell(std::min(lastRow(), row + rowsInView()), column); break;
    case Qt::Key_Home: selectCell(0, column); break;
    case Qt::Key_End: selectCell(lastRow(), column); break;
    default: event->ignore(); return;
    }
    event->accept();
}
