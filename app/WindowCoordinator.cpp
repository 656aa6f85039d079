#include "app/WindowCoordinator.h"

#include "about/ui/AboutDialog.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/ui/SettingsWindow.h"

WindowCoordinator::WindowCoordinator(Dialogs &dialogs, const Clock &clock)
    : m_payroll(std::make_unique<PayrollWindow>(dialogs, clock))
    , m_settings(std::make_unique<SettingsWindow>(dialogs))
{
    m_settings->setAttribute(Qt::WA_QuitOnClose, false);
    connect(m_payroll.get(), &PayrollWindow::settingsRequested, this, &WindowCoordinator::showSettings);
    connect(m_settings.get(), &SettingsWindow::left, m_payroll.get(), [this] { m_payroll->setEnabled(true); });
    connect(m_settings.get(), &SettingsWindow::saved, m_payroll.get(), [this](const QString &clientName) {
        m_payroll->showOrganisation(clientName);
        m_payroll->show();
        m_payroll->raise();
        m_payroll->activateWindow();
    });

    // The client registration window is created here. Its menu item on the
    // payroll window ("Сервис" / "Регистрация клиентов") shows it and hides
    // the payroll window; its own "Сервис" / "Кардолист" swaps back. Closing
    // either of the two ends the program without the other asking.

    m_about = std::make_unique<AboutDialog>(nullptr, &dialogs);
    m_about->setAttribute(Qt::WA_QuitOnClose, false);
    connect(m_payroll.get(), &PayrollWindow::aboutRequested, m_about.get(), [this] { m_about->exec(); });
}

WindowCoordinator::~WindowCoordinator() = default;

void WindowCoordinator::start()
{
    m_payroll->show();
    if (m_settings->isVisible())
        m_settings->raise();
}

void WindowCoordinator::showSettings()
{
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}
