#pragma once

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QProgressDialog;
class QWidget;

// Where a long printout reports each page; the user may end it there.
class PrintProgress
{
public:
    virtual ~PrintProgress() = default;
    // Before page done + 1 of total is drawn; false ends the job.
    virtual bool pageStarting(int done, int total) = 0;
};

// The window's progress: a dialog with "Отмена" that appears only when the
// job lasts longer than half a second.
class PrintProgressDialog : public PrintProgress
{
public:
    explicit PrintProgressDialog(QWidget *parent);
    ~PrintProgressDialog() override;
    bool pageStarting(int done, int total) override;

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

// Draws the pages on a device: false when it cannot begin. It calls
// pageStarting before each page and stops as soon as that returns false.
using PagePainter = std::function<bool(QPrinter &printer, const std::function<bool(int, int)> &pageStarting)>;

enum class PrintJobResult { Printed, CannotBegin, Cancelled };

// One print run with progress. A PDF is drawn into a temporary file beside
// the chosen one and replaces it only when complete, so a cancelled or
// failed run leaves the old file as it was; a cancelled printer job is
// aborted. Throws UserError when the finished PDF cannot take its place.
PrintJobResult RunPrintJob(QPrinter &printer, PrintProgress &progress, const PagePainter &paint);
