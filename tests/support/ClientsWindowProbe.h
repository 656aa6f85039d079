#pragma once

#include "support/ScriptedDialogs.h"
#include "clients/ClientTableModel.h"
#include "clients/ui/ClientEditPanel.h"
#include "clients/ui/ClientsWindow.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

// What a client window test reads and arranges through the window's own
// children: the table behind mainGrid, the edit panel, the scrolled panel.

inline ClientTableModel *ClientTable(const ClientsWindow &window)
{
    return qobject_cast<ClientTableModel *>(window.findChild<QTableView *>(QStringLiteral("mainGrid"))->model());
}

inline ClientEditPanel *EditPanel(const ClientsWindow &window)
{
    return window.findChild<ClientEditPanel *>(QStringLiteral("editPanel"));
}

inline int GridScrollPosition(const ClientsWindow &window)
{
    return window.findChild<QScrollArea *>(QStringLiteral("gridScrollArea"))->verticalScrollBar()->value();
}

// A change not yet saved, made as a user makes it and leaving the table as it
// was: the delete command answered No, or on an empty table, asked nothing.
inline void MarkModified(ClientsWindow &window, ScriptedDialogs &dialogs)
{
    const bool asks = !ClientTable(window)->isEmpty();
    if (asks)
        dialogs.setNextAnswer(Dialogs::Answer::No);
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("deleteButton")), Qt::LeftButton);
    if (asks)
        dialogs.shown.removeLast();
}
