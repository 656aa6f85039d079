#pragma once

#include "common/print/Printout.h"

#include <QList>
#include <QString>

class Dialogs;
class QPrinter;
class QWidget;

// A laid-out printout on its way to paper: the printer dialog's choices
// (printer, copies, page range, print to PDF) apply, and the preview shows
// the same pages. Errors are thrown as UserError after any dialog has
// closed, never across the event loop.
class PrintJob
{
public:
    PrintJob(Printout printout, QString documentName);

    // The printer dialog, then the pages on the chosen printer or into the
    // chosen PDF file. False when the dialog was cancelled: nothing printed.
    bool print(QWidget *parent, Dialogs &dialogs) const;
    // The print preview, from which the pages can be printed as well.
    void preview(QWidget *parent, Dialogs &dialogs) const;

    // A4 portrait, the whole sheet, the document's name.
    void preparePrinter(QPrinter &printer) const;

private:
    Printout m_printout;
    QString m_documentName;
};

// The pages to draw for the printer's choices: its page range and, when the
// printer cannot make copies itself, each copy (collated or not).
QList<int> PagesToPrint(const QPrinter &printer, int pageCount);

// Draws the printout with the printer's choices; throws UserError when the
// printer cannot begin.
void PrintOn(QPrinter &printer, const Printout &printout);
