#pragma once

#include "payroll/PayrollRows.h"
#include "payroll/PayrollSave.h"

#include "common/ui/DocumentCommands.h"

#include <QObject>
#include <QString>

#include <functional>

class PayrollGrid;
class PayrollHeaderPanel;
class PayrollModel;
class PayrollStatusPanels;
class PayrollUndo;

// The register the payroll window edits, beyond its rows: the file it came
// from, its history and recovery copy, and the commands that change it as a
// whole: save, open, text import, rows added, deleted or cleared.
class PayrollDocument : public DocumentCommands
{
    Q_OBJECT
public:
    // The window's own parts the commands show their work in.
    struct View
    {
        PayrollHeaderPanel *header = nullptr;
        PayrollGrid *grid = nullptr;
        PayrollStatusPanels *status = nullptr;
    };

    PayrollDocument(DocumentWindow frame, View view, PayrollModel *model, const Clock &clock);
    ~PayrollDocument() override;

    // Saves the register and shows how it went; false when a check or the
    // overwrite question stopped it. A failed write leaves it modified.
    bool savePayroll();
    // Fill the register from a payroll file or a TAB-separated text file;
    // both throw UserError at the step that fails.
    void loadPayrollFile(const QString &path);
    void loadPayrollText(const QString &path);

    // The File menu's commands, each asking about unsaved changes first.
    void openPayrollFile();
    void importText();
    void openRecent(const QString &path);
    bool confirmClose() override;

    void addRow();
    void deleteRow();
    void clearRows();

    void updateTotals();
    void updateRowCounter();

private:
    // The dialog starts in folder; a path chosen stands for its answer.
    void openWithDialog(const QString &filter, void (PayrollDocument::*reader)(const QString &),
                        const QString &folder = QString(), const QString &chosen = QString());
    void fillLoadedRows(PayrollRows rows, const std::function<void()> &formatted);
    void focusCheckedField(const PayrollSaveOutcome &outcome);
    void showFileInCaption(const QString &path);

    void setUpHistory();
    void startSession();
    // Whether what is unsaved is worth keeping a copy of.
    bool worthRecovering() const;

    View m_view;
    PayrollModel *m_model;
    PayrollUndo *m_undo = nullptr;

    // The first line of the payroll file last opened; empty until one is.
    QString m_openedHeaderLine;
    // The payroll file last opened or saved; empty until one is.
    QString m_openedFile;
    // The detail lines of the file last opened, and whether a text import
    // has replaced its rows since.
    qsizetype m_openedRowCount = 0;
    bool m_importedOverOpened = false;
};
