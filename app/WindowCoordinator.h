#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class AboutDialog;
class ClientsWindow;
class Clock;
class Dialogs;
class PayrollWindow;
class SettingsWindow;

// Creates the program's windows in their order and connects them: no window
// knows another. Each lives until the program ends. Closing the payroll or
// the client window asks its own save question and then the hidden one's,
// when that one has unsaved changes; either refusing keeps the program open.
class WindowCoordinator : public QObject
{
    Q_OBJECT
public:
    WindowCoordinator(Dialogs &dialogs, const Clock &clock);
    ~WindowCoordinator() override;

    // Shows the payroll window; on first run the settings window stays on top.
    void start();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSettings();
    // The payroll and client windows swap: one is shown, the other hidden.
    void showClients();
    void showPayroll();

    std::unique_ptr<PayrollWindow> m_payroll;
    std::unique_ptr<SettingsWindow> m_settings;
    std::unique_ptr<ClientsWindow> m_clients;
    std::unique_ptr<AboutDialog> m_about;
    bool m_closing = false;
    // Where each window had the focus when it was hidden: a swap back returns it there.
    QPointer<QWidget> m_payrollFocus;
    QPointer<QWidget> m_clientsFocus;
};
