#pragma once

#include "payroll/PayrollFile.h"
#include "payroll/PayrollRow.h"

#include <QList>

class Dialogs;
class PrintProgress;
class QPrinter;
class QWidget;
struct Printout;

// The payroll window's printing: the register laid out from the rows and
// header fields, with the bank details read afresh from "settings.ini".
// Both may throw UserError (a cell that is not a number, before any dialog
// or page); they run inside the caller's Guarded().

// The printer dialog, then the register on the chosen printer, copies and
// pages, or into the chosen PDF file. False when the dialog or the run was cancelled.
bool PrintPayroll(QWidget *parent, Dialogs &dialogs, const QList<PayrollRow> &rows, const PayrollHeader &header);

// The print preview, from which the register can be printed or saved as PDF.
// Cancelling its progress closes it.
void PreviewPayroll(QWidget *parent, Dialogs &dialogs, const QList<PayrollRow> &rows, const PayrollHeader &header);

// The pages to draw for the printer's choices: its page range and, when the
// printer cannot make copies itself, each copy (collated or not).
QList<int> PagesToPrint(const QPrinter &printer, int pageCount);

// Draws the printout with the printer's choices, page by page with progress;
// false when the user cancelled. Throws UserError when the printer cannot begin.
bool PrintOn(QPrinter &printer, const Printout &printout, PrintProgress &progress);
