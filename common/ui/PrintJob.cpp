#include "common/ui/PrintJob.h"

#include "common/UserError.h"
#include "common/print/PrintoutRenderer.h"
#include "common/ui/Dialogs.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <algorithm>

using namespace Qt::StringLiterals;

PrintJob::PrintJob(Printout printout, QString documentName)
    : m_printout(std::move(printout)), m_documentName(std::move(documentName))
{
}

void PrintJob::preparePrinter(QPrinter &printer) const
{
    // The layout is drawn on the whole sheet, A4 unless the user picks another.
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(m_documentName);
}

bool PrintJob::print(QWidget *parent, Dialogs &dialogs) const
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    if (!dialogs.printSetup(parent, printer))
        return false;
    PrintOn(printer, m_printout);
    return true;
}

void PrintJob::preview(QWidget *parent, Dialogs &dialogs) const
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    QString failure;
    dialogs.printPreview(parent, printer, [&](QPrinter &target) {
        try {
            PrintOn(target, m_printout);
        } catch (const UserError &e) {
            failure = e.text(); // reported after the dialog
        }
    });
    if (!failure.isEmpty())
        throw UserError(failure);
}

QList<int> PagesToPrint(const QPrinter &printer, int pageCount)
{
    int first = 0;
    int last = pageCount - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage() - 1);
        last = std::min(last, std::max(printer.toPage(), printer.fromPage()) - 1);
    }
    QList<int> range;
    for (int p = first; p <= last; ++p)
        range.append(p);
    if (printer.supportsMultipleCopies() || printer.copyCount() <= 1)
        return range;

    QList<int> pages;
    const int copies = printer.copyCount();
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            pages += range;
    } else {
        for (int p : range)
            for (int c = 0; c < copies; ++c)
                pages.append(p);
    }
    return pages;
}

void PrintOn(QPrinter &printer, const Printout &printout)
{
    const QList<int> pages = PagesToPrint(printer, printout.pageCount);
    if (pages.isEmpty())
        return;
    if (!RenderPrintout(printer, printout, pages)) {
        const QString target = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        throw UserError(u"Не удалось начать печать: %1"_s.arg(target.isEmpty() ? u"нет принтера"_s : target));
    }
}
