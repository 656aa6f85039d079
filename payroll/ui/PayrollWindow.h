#pragma once

#include "payroll/PayrollRows.h"
#include "payroll/PayrollSave.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class Clock;
class Dialogs;
class DocumentRecovery;
class EditMenu;
class PayrollUndo;
class RecentFilesMenu;
class PayrollModel;
class PayrollStatusPanels;
class WarningsReview;
namespace Ui { class PayrollWindow; }

// The payroll register window, the main window: the header fields of a
// register, the grid of its rows with their totals, saving, opening,
// text import and printing.
class PayrollWindow : public QMainWindow
{
    Q_OBJECT
public:
    PayrollWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent = nullptr);
    ~PayrollWindow() override;

    // " Организация: " and the name, above the grid.
    void showOrganisation(const QString &organisationName);

    PayrollModel *model() const { return m_model; }

    // Whether the register differs from what was last saved or opened.
    bool isModified() const { return m_modified; }

    // Saves the register and shows how it went; false when a check or the
    // overwrite question stopped it. A failed write leaves it modified.
    bool savePayroll();

    // Fill the register from a payroll file or a TAB-separated text file;
    // both throw UserError at the step that fails.
    void loadPayrollFile(const QString &path);
    void loadPayrollText(const QString &path);

signals:
    // "Настройки": the window disables itself until the settings window is left.
    void settingsRequested();
    // "О программе", from the menu: shown modally.
    void aboutRequested();
    // "Сервис" / "Регистрация клиентов": the client window takes this one's place.
    void clientsRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void openPayrollFile();
    void importText();
    void save();
    void showSettings();
    void print();
    void printPreview();
    void showAbout();
    // Asks about unsaved changes; true when the window may close.
    bool confirmClose();
    void addRow();
    void deleteRow();
    void clearRows();
    void markModified() { m_modified = true; }

    void initialise();
    bool refreshTotals();
    void updateTotals();
    void updateRowCounter();
    // The dialog starts in folder; a path chosen stands for its answer.
    void openWithDialog(const QString &filter, void (PayrollWindow::*reader)(const QString &),
                        const QString &folder = QString(), const QString &chosen = QString());
    void fillLoadedRows(PayrollRows rows, const std::function<void()> &formatted);
    void placeInitialFocus();
    void focusCheckedField(const PayrollSaveOutcome &outcome);
    void mainGridExit();

    // Undo history, recovery copy and recent files.
    void setUpHistory();
    void setUpRecovery();
    void setUpRecentFiles();
    // A new history from the register as it stands; the change mark stays.
    void startNewHistory();
    // Marks the register saved (or unchanged) for the history and the copy.
    void markSaved();
    // No unsaved change left worth keeping a copy of.
    bool worthRecovering() const;
    void openRecent(const QString &path);

    std::unique_ptr<Ui::PayrollWindow> ui;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    PayrollModel *m_model;
    std::unique_ptr<PayrollStatusPanels> m_status;
    bool m_focusPlaced = false;
    QPointer<QWidget> m_focusBeforeSettings;

    bool m_modified = false;
    // The first line of the payroll file last opened; empty until one is.
    QString m_openedHeaderLine;

    // Marks in the grid, the list before a save and on "Проверить".
    WarningsReview *m_warnings = nullptr;
    // The detail lines of the file last opened, and whether a text import
    // has replaced its rows since.
    qsizetype m_openedRowCount = 0;
    bool m_importedOverOpened = false;
    PayrollUndo *m_undo = nullptr;
    EditMenu *m_editMenu = nullptr;
    DocumentRecovery *m_recovery = nullptr;
    RecentFilesMenu *m_recentFiles = nullptr;
    // The payroll file last opened or saved; empty until one is.
    QString m_openedFile;
};
