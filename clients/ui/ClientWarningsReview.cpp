#include "clients/ui/ClientWarningsReview.h"

#include "clients/ClientTableModel.h"
#include "clients/ClientWarnings.h"
#include "clients/ui/ClientEditPanel.h"
#include "clients/ui/ClientGrid.h"
#include "common/Clock.h"
#include "common/ui/ErrorGuard.h"
#include "common/ui/WarningsReview.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace {

// The edit area's field and name of each column a warning may name.
struct WarnedField
{
    int column;
    ClientField field;
    const char16_t *name;
};
constexpr WarnedField kWarnedFields[] = {
    {ClientColumn::FullName, ClientField::Surname, u"ФИО"},
    {ClientColumn::Inn, ClientField::Inn, u"ИНН"},
    {ClientColumn::Birthday, ClientField::Birthday, u"Дата рождения"},
    {ClientColumn::PassportEnd, ClientField::PassportEnd, u"Дата окончания"},
    {ClientColumn::PlaceOfBirth, ClientField::PlaceOfBirth, u"Место рождения"},
    {ClientColumn::TaxOffice, ClientField::TaxOffice, u"Налоговая инспекция"},
    {ClientColumn::MobileNumber, ClientField::MobileNumber, u"Мобильный телефон"},
    {ClientColumn::PassportIssuedBy, ClientField::PassportIssuedBy, u"Кем выдан"},
};

const WarnedField *FieldOf(int column)
{
    for (const WarnedField &f : kWarnedFields) {
        if (f.column == column)
            return &f;
    }
    return nullptr;
}

} // namespace

WarningsReview *MakeClientWarningsReview(QWidget *window, Dialogs &dialogs, const Clock &clock,
                                         ClientTableModel *model, ClientGrid *grid, ClientEditPanel *fields,
                                         QMenu *menu)
{
    auto *review = new WarningsReview(
            window, dialogs,
            {
                    [model, &clock] { return ClientWarnings(model->records(), clock.now().date()); },
                    [model](const QList<Warning> &warnings) { model->setWarnings(warnings); },
                    [](const Warning &w) {
                        const WarnedField *f = FieldOf(w.column);
                        return f ? QString::fromUtf16(f->name) : ClientTableModel::HeaderText(w.column);
                    },
                    [grid, fields](const Warning &w) {
                        if (!grid->selectCell(int(w.row), ClientColumn::Number))
                            return;
                        if (const WarnedField *f = FieldOf(w.column))
                            fields->focusField(f->field);
                        else
                            grid->setFocus(Qt::OtherFocusReason);
                    },
            });
    review->watch(model);
    QAction *check = review->addCheckAction(menu);
    QObject::connect(check, &QAction::triggered, review,
                     [window, &dialogs, review] { Guarded(window, dialogs, [review] { review->review(); }); });
    return review;
}
