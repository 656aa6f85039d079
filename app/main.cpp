#include "common/AppInfo.h"
#include "common/Clock.h"
#include "common/Crc32Calculator.h"
#include "common/ui/Dialogs.h"
#include "about/ui/AboutDialog.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/ui/SettingsWindow.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    // Amounts are converted by Money, which always writes "." and groups
    // with blanks; nothing may depend on the user's locale.
    QLocale::setDefault(QLocale::c());

    QtDialogs dialogs;
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
