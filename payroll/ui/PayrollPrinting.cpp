#include "payroll/ui/PayrollPrinting.h"

#include "common/ui/PrintJob.h"
#include "payroll/PayrollPrintout.h"
#include "settings/SettingsRecord.h"

using namespace Qt::StringLiterals;

namespace {

PrintJob RegisterJob(const PayrollRows &rows, const PayrollHeader &header)
{
    return PrintJob(LayOutPayroll(rows, header, ReadSettingsRecord()),
                    u"Ведомость № "_s + header.registerNumber.trimmed());
}

} // namespace

bool PrintPayroll(QWidget *parent, Dialogs &dialogs, const PayrollRows &rows, const PayrollHeader &header)
{
    return RegisterJob(rows, header).print(parent, dialogs);
}

void PreviewPayroll(QWidget *parent, Dialogs &dialogs, const PayrollRows &rows, const PayrollHeader &header)
{
    RegisterJob(rows, header).preview(parent, dialogs);
}
