#include "support/SettingsFolder.h"
#include "clients/ClientRecovery.h"
#include "common/AppInfo.h"
#include "payroll/PayrollRecovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

// A process that typed into both windows is killed; the next one in the
// same working folder gets everything back.
class TestRecoveryKill : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QCoreApplication::setApplicationName(ApplicationTitle()); }
    void killedThenRestored();
};

void TestRecoveryKill::killedThenRestored()
{
    std::unique_ptr<QTemporaryDir> dir = EnterSettingsFolder();
    QVERIFY(dir);
    const QString folder = QDir::currentPath();
    const QString driver = QStringLiteral(RECOVERY_DRIVER);

    QProcess typing;
    typing.start(driver, {u"type"_s, folder});
    QVERIFY(typing.waitForStarted());
    QVERIFY(typing.waitForReadyRead(30000));
    QCOMPARE(typing.readAllStandardOutput(), QByteArray("written\n"));
    typing.kill(); // SIGKILL: nothing of the program runs any more
    QVERIFY(typing.waitForFinished());
    QCOMPARE(typing.exitStatus(), QProcess::CrashExit);

    QProcess restoring;
    restoring.start(driver, {u"restore"_s, folder});
    QVERIFY(restoring.waitForFinished(30000));
    QCOMPARE(restoring.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(restoring.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{
            u"Найдены несохранённые данные от 08.12.2026 14:05 (ведомость № 00042, 1 строка). Восстановить?"_s,
            u"Найдены несохранённые данные от 08.12.2026 14:05 (клиентов: 1). Восстановить?"_s,
            u"00042"_s,
            u"Иванов Иван|8600123412341234"_s,
            u"AA 0000007"_s,
            u"modified 1 1"_s,
    }));

    RecoveryStoreFor<PayrollRecovery>(folder).remove();
    RecoveryStoreFor<ClientRecovery>(folder).remove();
    LeaveFolder(dir);
}

QTEST_MAIN(TestRecoveryKill)
#include "tst_recoverykill.moc"
