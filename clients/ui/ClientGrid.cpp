#include "clients/ui/ClientGrid.h"

#include "clients/ClientRecord.h"
#include "clients/ClientTableModel.h"

#include <QHeaderView>
#include <QKeyEvent>

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

void ClientGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up: moveBy(Move::Up); break;
    case Qt::Key_Down: moveBy(Move::Down); break;
    default: event->ignore(); return;
    }
    event->accept();
}
