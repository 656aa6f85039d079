// Types into both windows as a user would and waits, to be killed, until
// their recovery copies are written ("type"); or starts again, answers Yes
// to both offers and prints what came back ("restore"). The process test
// runs it twice in one working folder.

#include "support/ClientSamples.h"
#include "support/WindowDriver.h"
#include "support/ScriptedDialogs.h"
#include "clients/ClientTableModel.h"
#include "clients/ui/ClientEditPanel.h"
#include "clients/ui/ClientsWindow.h"

#include <QPushButton>
#include <QTableView>
#include <QTest>
#include "support/ScriptedDialogs.h"
#include "support/WindowDriver.h"
#include "clients/ClientRecovery.h"
#include "common/AppInfo.h"
#include "common/Clock.h"
#include "common/ui/MaskedEdit.h"
#include "payroll/PayrollModel.h"
#include "payroll/PayrollRecovery.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollWindow.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void print(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

bool typeAndWait(Dialogs &dialogs, const Clock &clock)
{
    PayrollWindow payroll(dialogs, clock);
    WindowDriver driver(&payroll);
    if (!driver.showActive())
        return false;
    driver.typeInto(u"registerNum"_s, u"42"_s);
    auto *grid = driver.child<PayrollGrid>(u"mainGrid"_s);
    WindowDriver::clickCell(grid, 0, PayrollModel::NameColumn);
    WindowDriver::type(u"Иванов Иван"_s);
    WindowDriver::clickCell(grid, 0, PayrollModel::CardColumn);
    WindowDriver::type(u"8600123412341234"_s);

    ClientsWindow clients(dialogs, clock);
    clients.show();
    WindowDriver(&clients).child<ClientEditPanel>(u"editPanel"_s)->setFields(ValidClientFields(7));
    QTest::mouseClick(clients.findChild<QPushButton *>(u"addButton"_s), Qt::LeftButton);

    // The copies follow the last change by the quiet interval.
    const QString folder = QDir::currentPath();
    const auto bothKept = [&] {
        return RecoveryStoreFor<PayrollRecovery>(folder).exists() && RecoveryStoreFor<ClientRecovery>(folder).exists();
    };
    if (!QTest::qWaitFor(bothKept, 10000))
        return false;
    print(u"written"_s);
    for (;;)
        QTest::qWait(1000);
}

bool restore(ScriptedDialogs &dialogs, const Clock &clock)
{
    dialogs.setNextAnswer(Dialogs::Answer::Yes);
    dialogs.setNextAnswer(Dialogs::Answer::Yes);
    PayrollWindow payroll(dialogs, clock);
    WindowDriver driver(&payroll);
    if (!driver.showActive() || !QTest::qWaitFor([&] { return dialogs.shown.size() == 1; }))
        return false;
    ClientsWindow clients(dialogs, clock);
    clients.show();
    if (!QTest::qWaitFor([&] { return dialogs.shown.size() == 2; }))
        return false;
    for (const QString &text : dialogs.texts())
        print(text);
    print(driver.child<MaskedEdit>(u"registerNum"_s)->storedText());
    for (const PayrollRow &row : payroll.model()->rows())
        print(row.name + u'|' + row.card);
    for (const ClientRecord &record : WindowDriver(&clients).model<ClientTableModel>(u"mainGrid"_s)->records())
        print(record[ClientColumn::Document]);
    print(u"modified %1 %2"_s.arg(payroll.isModified()).arg(clients.isModified()));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    const QStringList args = QApplication::arguments();
    if (args.size() != 3 || !QDir::setCurrent(args[2]))
        return 2;
    ScriptedDialogs dialogs;
    const FixedClock clock(QDateTime(QDate(2026, 12, 8), QTime(14, 5)));
    const bool done = args[1] == u"type"_s ? typeAndWait(dialogs, clock) : restore(dialogs, clock);
    return done ? 0 : 1;
}
