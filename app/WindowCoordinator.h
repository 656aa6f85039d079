#pragma once

#include <QObject>

#include <memory>

class AboutDialog;
class ClientsWindow;
class Clock;
class Dialogs;
class PayrollWindow;
class SettingsWindow;

// Creates the program's windows in their order and connects them: no window
// knows another. Each lives until the program ends; closing the main window
// ends the program without the others asking.
class WindowCoordinator : public QObject
{
    Q_OBJECT
public:
    WindowCoordinator(Dialogs &dialogs, const Clock &clock);
    ~WindowCoordinator() override;

    // Shows the payroll window; on first run the settings window stays on top.
    void start();

private:
    void showSettings();
    // The payroll and client windows swap: one is shown, the other hidden.
    void showClients();
    void showPayroll();

    std::unique_ptr<PayrollWindow> m_payroll;
    std::unique_ptr<SettingsWindow> m_settings;
    std::unique_ptr<ClientsWindow> m_clients;
    std::unique_ptr<AboutDialog> m_about;
};
