#pragma once

#include "common/ui/DocumentMainWindow.h"

#include <QPointer>

#include <memory>

class Clock;
class Dialogs;
class PayrollDocument;
class PayrollModel;
class PayrollStatusPanels;
namespace Ui { class PayrollWindow; }

// The payroll register window, the main window: the header fields of a
// register, the grid of its rows with their totals, saving, opening,
// text import and printing.
class PayrollWindow : public DocumentMainWindow
{
    Q_OBJECT
public:
    PayrollWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent = nullptr);
    ~PayrollWindow() override;

    // " Организация: " and the name, above the grid.
    void showOrganisation(const QString &organisationName);

    PayrollModel *model() const { return m_model; }

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
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void save();
    void showSettings();
    void print();
    void printPreview();
    void showAbout();

    void initialise();
    bool refreshTotals();
    void placeInitialFocus();
    void mainGridExit();

    std::unique_ptr<Ui::PayrollWindow> ui;
    PayrollModel *m_model;
    std::unique_ptr<PayrollStatusPanels> m_status;
    PayrollDocument *m_document = nullptr;
    bool m_focusPlaced = false;
    QPointer<QWidget> m_focusBeforeSettings;
};
