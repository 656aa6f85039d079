#pragma once

#include "payroll/PayrollFile.h"
#include "payroll/PayrollRows.h"

#include <QList>

class Dialogs;
class QWidget;

// The payroll window's printing: the register laid out from the rows and
// header fields, with the bank details read afresh from "settings.ini".
// Both may throw UserError (a cell that is not a number, before any dialog
// or page); they run inside the caller's Guarded().

// The printer dialog, then the register with the dialog's choices. False
// when the dialog was cancelled.
bool PrintPayroll(QWidget *parent, Dialogs &dialogs, const PayrollRows &rows, const PayrollHeader &header);

// The print preview, from which the register can be printed or saved as PDF.
void PreviewPayroll(QWidget *parent, Dialogs &dialogs, const PayrollRows &rows, const PayrollHeader &header);
