#include "app/StartupOptions.h"
#include "app/Translations.h"
#include "app/WindowCoordinator.h"
#include "common/AppInfo.h"
#include "common/Clock.h"
#include "common/ui/Dialogs.h"
#include "common/ui/ErrorGuard.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    InstallRussianDialogs(app);
    // Amounts are converted by Money, which always writes "." and groups
    // with blanks; nothing may depend on the user's locale.
    QLocale::setDefault(QLocale::c());

    QtDialogs dialogs;
    if (!Guarded(nullptr, dialogs, [] { EnterWorkDir(ParseStartupOptions(QApplication::arguments())); }))
        return 2;
    SystemClock clock;
    WindowCoordinator windows(dialogs, clock);
    windows.start();
    return app.exec();
}
