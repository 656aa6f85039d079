#include "common/ui/PrintProgress.h"

#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressDialog>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

PrintProgressDialog::PrintProgressDialog(QWidget *parent)
    : m_dialog(std::make_unique<QProgressDialog>(u"Печать…"_s, u"Отмена"_s, 0, 1, parent))
{
    m_dialog->setWindowTitle(u"Печать"_s);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(500);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0); // starts the half-second clock
}

PrintProgressDialog::~PrintProgressDialog() = default;

bool PrintProgressDialog::pageStarting(int done, int total)
{
    if (m_dialog->maximum() != total)
        m_dialog->setMaximum(total);
    m_dialog->setLabelText(u"Печать страницы %1 из %2…"_s.arg(done + 1).arg(total));
    m_dialog->setValue(done); // shows the dialog when due and takes the cancel click
    return !m_dialog->wasCanceled();
}

PrintJobResult RunPrintJob(QPrinter &printer, PrintProgress &progress, const PagePainter &paint)
{
    const QString target = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    std::unique_ptr<QTemporaryFile> part;
    if (!target.isEmpty()) {
        part = std::make_unique<QTemporaryFile>(QFileInfo(target).absolutePath() + u"/.XXXXXX.pdf.part"_s);
        if (!part->open())
            return PrintJobResult::CannotBegin;
        part->close();
        printer.setOutputFileName(part->fileName());
    }

    bool cancelled = false;
    const bool begun = paint(printer, [&](int done, int total) {
        if (!progress.pageStarting(done, total)) {
            cancelled = true;
            if (target.isEmpty())
                printer.abort(); // the spooler drops the pages sent so far
        }
        return !cancelled;
    });
    if (!target.isEmpty())
        printer.setOutputFileName(target);
    if (!begun)
        return PrintJobResult::CannotBegin;
    if (cancelled)
        return PrintJobResult::Cancelled;
    if (part) {
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(part->fileName().toStdU16String()),
                                std::filesystem::path(target.toStdU16String()), error);
        if (error)
            throw UserError(u"Cannot create file \"%1\". %2"_s.arg(VisiblePath(QDir::toNativeSeparators(target)),
                                                                   QString::fromLocal8Bit(error.message())));
        part->setAutoRemove(false); // it is the target now
    }
    return PrintJobResult::Printed;
}
