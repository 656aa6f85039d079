#pragma once

class Clock;
class ClientEditPanel;
class ClientGrid;
class ClientTableModel;
class Dialogs;
class QMenu;
class QWidget;
class WarningsReview;

// The client window's warnings as of the clock's today: marks in the table
// renewed after changes, "Проверить" (F7) at the end of menu, and a chosen
// warning's client made the current row with the warned field focused in
// the edit area.
WarningsReview *MakeClientWarningsReview(QWidget *window, Dialogs &dialogs, const Clock &clock,
                                         ClientTableModel *model, ClientGrid *grid, ClientEditPanel *fields,
                                         QMenu *menu);
