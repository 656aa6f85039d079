#include "app/WindowCoordinator.h"

#include "about/ui/AboutDialog.h"
#include "clients/ui/ClientsWindow.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/ui/SettingsWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QScopeGuard>

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
    // closes the last window and ends the program; the hidden one is asked
    // its question on the way.
    m_clients = std::make_unique<ClientsWindow>(dialogs, clock);
    m_payroll->installEventFilter(this);
    m_clients->installEventFilter(this);
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

bool WindowCoordinator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Close || m_closing)
        return false;
    QWidget *closing = watched == m_payroll.get() ? static_cast<QWidget *>(m_payroll.get()) : m_clients.get();
    QWidget *other = watched == m_payroll.get() ? static_cast<QWidget *>(m_clients.get()) : m_payroll.get();
    const bool otherModified = other == m_payroll.get() ? m_payroll->isModified() : m_clients->isModified();
    if (!closing->isVisible() || other->isVisible() || !otherModified)
        return false;
    // The window's own question first, then the hidden one's.
    m_closing = true;
    const auto done = qScopeGuard([this] { m_closing = false; });
    QCloseEvent own;
    QCoreApplication::sendEvent(closing, &own);
    if (own.isAccepted()) {
        QCloseEvent hidden;
        QCoreApplication::sendEvent(other, &hidden);
        own.setAccepted(hidden.isAccepted());
    }
    event->setAccepted(own.isAccepted());
    return true;
}

namespace {

void ReturnFocus(const QPointer<QWidget> &focus)
{
    if (focus && focus->isVisible() && focus->isEnabled())
        focus->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace

void WindowCoordinator::showClients()
{
    m_payrollFocus = m_payroll->focusWidget();
    m_clients->show();
    m_clients->raise();
    m_clients->activateWindow();
    m_payroll->hide();
    ReturnFocus(m_clientsFocus);
}

void WindowCoordinator::showPayroll()
{
    m_clientsFocus = m_clients->focusWidget();
    m_payroll->show();
    m_payroll->raise();
    m_payroll->activateWindow();
    m_clients->hide();
    ReturnFocus(m_payrollFocus);
}

void WindowCoordinator::showSettings()
{
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}
