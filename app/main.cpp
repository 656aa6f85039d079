#include "common/AppInfo.h"
#include "common/Clock.h"
#include "common/Crc32Calculator.h"
#include "common/ui/Dialogs.h"
#include "about/ui/TForm3.h"
#include "payroll/ui/TForm1.h"
#include "settings/ui/TForm2.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());

    QtDialogs dialogs;
    SystemClock clock;
    Crc32::setReporter([&dialogs](const QString &message) { dialogs.information(nullptr, message); });

    // Created in this order; each lives until the program ends. Only the
    // payroll window's closing ends the program.
    TForm1 payroll(dialogs, clock);
    TForm2 settings(dialogs, &payroll);
    settings.setAttribute(Qt::WA_QuitOnClose, false);
    payroll.setSettingsWindow(&settings);
    TForm3 about(nullptr, &dialogs);
    about.setAttribute(Qt::WA_QuitOnClose, false);
    payroll.setAboutWindow(&about);

    payroll.show();
    if (settings.isVisible())
        settings.raise();
    return app.exec();
}
