#include "app/StartupOptions.h"
#include "app/Translations.h"
#include "common/AppInfo.h"
#include "common/Clock.h"
#include "common/Crc32Calculator.h"
#include "common/ui/Dialogs.h"
#include "common/ui/ErrorGuard.h"
#include "about/ui/AboutDialog.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/ui/SettingsWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    InstallRussianDialogs(app);

    QtDialogs dialogs;
    if (!Guarded(nullptr, dialogs, [] { EnterWorkDir(ParseStartupOptions(QApplication::arguments())); }))
        return 2;
    SystemClock clock;
    Crc32::setReporter([&dialogs](const QString &message) { dialogs.information(nullptr, message); });

    // Created in this order; each lives until the program ends. Only the
    // payroll window's closing ends the program.
    PayrollWindow payroll(dialogs, clock);
    SettingsWindow settings(dialogs, &payroll);
    settings.setAttribute(Qt::WA_QuitOnClose, false);
    payroll.setSettingsWindow(&settings);
    AboutDialog about(nullptr, &dialogs);
    about.setAttribute(Qt::WA_QuitOnClose, false);
    payroll.setAboutWindow(&about);

    payroll.show();
    if (settings.isVisible())
        settings.raise();
    return app.exec();
}
