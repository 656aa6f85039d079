#pragma once

class Dialogs;
class PayrollGrid;
class PayrollModel;
class QMenu;
class QWidget;
class WarningsReview;

// The payroll window's warnings: marks in the grid renewed after edits,
// "Проверить" (F7) at the end of menu, and a chosen warning's cell made
// current with its editor open.
WarningsReview *MakePayrollWarningsReview(QWidget *window, Dialogs &dialogs, PayrollModel *model, PayrollGrid *grid,
                                          QMenu *menu);
