#include "payroll/ui/PayrollWarningsReview.h"

#include "common/ui/ErrorGuard.h"
#include "common/ui/WarningsReview.h"
#include "payroll/PayrollModel.h"
#include "payroll/PayrollWarnings.h"
#include "payroll/ui/PayrollGrid.h"

#include <QAction>

WarningsReview *MakePayrollWarningsReview(QWidget *window, Dialogs &dialogs, PayrollModel *model, PayrollGrid *grid,
                                          QMenu *menu)
{
    // The warnings' columns are the rows' cells, the grid's from its name column on.
    const auto gridColumn = [](const Warning &w) { return w.column + PayrollModel::NameColumn; };
    auto *review = new WarningsReview(
            window, dialogs,
            {
                    [model] { return PayrollWarnings(model->rows()); },
                    [model](const QList<Warning> &warnings) { model->setWarnings(warnings); },
                    [gridColumn](const Warning &w) { return PayrollModel::headerText(gridColumn(w)).trimmed(); },
                    [grid, gridColumn](const Warning &w) { grid->focusCell(int(w.row), gridColumn(w), 0); },
            });
    review->watch(model);
    QAction *check = review->addCheckAction(menu);
    QObject::connect(check, &QAction::triggered, review,
                     [window, &dialogs, review] { Guarded(window, dialogs, [review] { review->review(); }); });
    return review;
}
