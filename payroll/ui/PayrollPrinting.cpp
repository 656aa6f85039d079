#include "payroll/ui/PayrollPrinting.h"

#include "common/UserError.h"
#include "common/ui/Dialogs.h"
#include "common/ui/PrintJob.h"
#include "payroll/PayrollPrintout.h"
#include "payroll/PrintoutRenderer.h"
#include "settings/SettingsRecord.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

Printout LayOut(const QList<PayrollRow> &rows, const PayrollHeader &header)
{
    return LayOutPayroll(rows, header, ReadSettingsRecord());
}

QString DocumentName(const PayrollHeader &header)
{
    return u"Ведомость № "_s + header.registerNumber.trimmed();
}

// The layout is drawn on the whole sheet, A4 unless the user picks another.
void PreparePrinter(QPrinter &printer, const PayrollHeader &header)
{
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(DocumentName(header));
}

} // namespace

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

bool PrintOn(QPrinter &printer, const Printout &printout, PrintProgress &progress)
{
    const QList<int> pages = PagesToPrint(printer, printout.pageCount);
    if (pages.isEmpty())
        return true;
    const PrintJobResult result = RunPrintJob(printer, progress, [&](QPrinter &target, const auto &pageStarting) {
        return RenderPrintout(target, printout, pages, pageStarting);
    });
    if (result == PrintJobResult::CannotBegin) {
        const QString target = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        throw UserError(u"Не удалось начать печать: %1"_s.arg(target.isEmpty() ? u"нет принтера"_s : target));
    }
    return result == PrintJobResult::Printed;
}

bool PrintPayroll(QWidget *parent, Dialogs &dialogs, const QList<PayrollRow> &rows, const PayrollHeader &header)
{
    const Printout printout = LayOut(rows, header);
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer, header);
    if (!dialogs.printSetup(parent, printer))
        return false;
    return PrintOn(printer, printout, *dialogs.printProgress(parent));
}

void PreviewPayroll(QWidget *parent, Dialogs &dialogs, const QList<PayrollRow> &rows, const PayrollHeader &header)
{
    const Printout printout = LayOut(rows, header);
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer, header);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(u"Предварительный просмотр"_s);
    QString failure;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter *target) {
        try {
            if (!PrintOn(*target, printout, *dialogs.printProgress(&preview)))
                QMetaObject::invokeMethod(&preview, &QDialog::reject, Qt::QueuedConnection);
        } catch (const UserError &e) {
            failure = e.text(); // reported after the dialog, never across the event loop
        }
    });
    preview.exec();
    if (!failure.isEmpty())
        throw UserError(failure);
}
