#include "app/WindowCoordinator.h"

#include "about/ui/AboutDialog.h"
#include "clients/ui/ClientsWindow.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/ui/SettingsWindow.h"

WindowCoordinator::WindowCoordinator(Dialogs &dialogs, const Clock &clock)
    : m_payroll(std::make_unique<PayrollWindow>(dialogs, clock))
    , m_settings(std::make_unique<SettingsWindow>(dialogs))
{
    m_settings->setAttribute(Qt::WA_QuitOnClose, false);
    connect(m_payroll.get(), &PayrollWindow::settingsRequested, this, &WindowCoordinator::showSettings);
    connect(m_settings.get(), &SettingsWindow::left, m_payroll.get(), [this] { m_payroll->setEnabled(true); });
    connect(m_settings.get(), &SettingsWindow::saved, m_payroll.get(), [this](const QString &organisationName) {
        m_payroll->showOrganisation(organisationName);
        m_payroll->show();
        m_payroll->raise();
        m_payroll->activateWindow();
    });

    // Only one of the payroll and client windows is ever shown, so closing it
    // closes the last window and ends the program; the hidden one is not
    // asked its question.
    m_clients = std::make_unique<ClientsWindow>(dialogs, clock);
    connect(m_payroll.get(), &PayrollWindow::clientsRequested, this, &WindowCoordinator::showClients);
    connect(m_clients.get(), &ClientsWindow::payrollRequested, this, &WindowCoordinator::showPayroll);

    m_about = std::make_unique<AboutDialog>(nullptr, &dialogs);
    m_about->setAttribute(Qt::WA_QuitOnClose, false);
    connect(m_payroll.get(), &PayrollWindow::aboutRequested, m_about.get(), [this] { m_about->exec(); });
    connect(m_clients.get(), &ClientsWindow::aboutRequested, m_about.get(), [this] { m_about->exec(); });
}

WindowCoordinator::~WindowCoordinator() = default;

void WindowCoordinator::start()
{
    m_payroll->show();
    if (m_settings->isVisible())
        m_settings->raise();
}

void WindowCoordinator::showClients()
{
    m_clients->show();
    m_clients->raise();
    m_clients->activateWindow();
    m_payroll->hide();
}

void WindowCoordinator::showPayroll()
{
    m_payroll->show();
    m_payroll->raise();
    m_payroll->activateWindow();
    m_clients->hide();
}

void WindowCoordinator::showSettings()
{
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}
