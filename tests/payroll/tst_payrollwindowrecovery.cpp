#include "support/SettingsFolder.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowDriver.h"
#include "common/Clock.h"
#include "common/ui/DocumentRecovery.h"
#include "common/ui/MaskedEdit.h"
#include "payroll/PayrollModel.h"
#include "payroll/PayrollRecovery.h"
#include "payroll/PayrollTexts.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollHeaderPanel.h"
#include "payroll/ui/PayrollWindow.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(PayrollHeader)

namespace {

const QDateTime kMoment(QDate(2026, 12, 8), QTime(14, 5, 9));
const QString kPath = u"Кардолист/2026/ZPSV001231234567812202600007"_s;
const PayrollHeader kHeader{u"7"_s, u"08.12.2026"_s, 11, u"2026"_s};
const QString kQuestion = u"Найдены несохранённые данные от 08.12.2026 14:05 (ведомость № 00007, 2 строки). Восстановить?"_s;

} // namespace

// The register's recovery copy through the window: written after the
// changes pause, offered back to the next window in the same folder.
class TestPayrollWindowRecovery : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void restoredAfterLoss();
    void declinedCopyIsRemoved();
    void savedOrDroppedLeavesNoCopy_data();
    void savedOrDroppedLeavesNoCopy();
    void unreadableCopySetAside_data();
    void unreadableCopySetAside();
    void writeFailureNotedOnce();

private:
    void openWindow();
    // A register saved to kPath, opened again, then one cell typed into.
    void editOpenedRegister();
    void letDebounceRun();
    RecoveryStore store() const { return RecoveryStoreFor<PayrollRecovery>(QDir::currentPath()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{kMoment};
    std::unique_ptr<PayrollWindow> m_form;
    WindowDriver m_driver;
};

void TestPayrollWindowRecovery::init()
{
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    m_dialogs = ScriptedDialogs();
    openWindow();
}

void TestPayrollWindowRecovery::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

void TestPayrollWindowRecovery::openWindow()
{
    m_form = std::make_unique<PayrollWindow>(m_dialogs, m_clock);
    m_driver.setWindow(m_form.get());
    auto *recovery = m_form->findChild<DocumentRecovery *>();
    QVERIFY(recovery);
    recovery->debouncer().setQuietInterval(20);
    QVERIFY(m_driver.showActive());
    QTest::qWait(10); // the offer comes once the window is up
}

void TestPayrollWindowRecovery::editOpenedRegister()
{
    m_driver.child<PayrollHeaderPanel>(u"headerGroup"_s)->setHeader(kHeader);
    m_form->model()->setRows(QList<PayrollRow>{{u"Иванов Иван"_s, u"8600123412341234"_s, u"100.00"_s},
                                               {u"Петров Пётр"_s, u"8600000000000002"_s, u"2.50"_s}});
    m_form->savePayroll();
    m_form->loadPayrollFile(QDir::current().absoluteFilePath(kPath));
    m_dialogs.clear();
    QVERIFY(!m_form->isModified());
    WindowDriver::clickCell(m_driver.child<PayrollGrid>(u"mainGrid"_s), 1, PayrollModel::NameColumn);
    WindowDriver::type(u"ич"_s);
    QVERIFY(m_form->isModified());
}

void TestPayrollWindowRecovery::letDebounceRun()
{
    QTRY_VERIFY(store().exists());
}

void TestPayrollWindowRecovery::restoredAfterLoss()
{
    editOpenedRegister();
    letDebounceRun();
    const QString caption = m_form->windowTitle();
    m_form.reset(); // lost, never closed

    m_dialogs.setNextAnswer(Dialogs::Answer::Yes);
    openWindow();
    QTRY_COMPARE(m_dialogs.texts(), QStringList{kQuestion});
    QCOMPARE(m_driver.child<PayrollHeaderPanel>(u"headerGroup"_s)->header(),
             (PayrollHeader{u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s}));
    QCOMPARE(m_form->model()->rows().toList(),
             (QList<PayrollRow>{{u"Иванов Иван"_s, u"8600123412341234"_s, u"100.00"_s},
                                {u"Петров Пётрич"_s, u"8600000000000002"_s, u"2.50"_s}}));
    QVERIFY(m_form->isModified());
    QCOMPARE(m_form->windowTitle(), caption);

    // The file it came from is still the one the overwrite question guards.
    m_dialogs.clear();
    m_dialogs.setNextAnswer(Dialogs::Answer::No);
    m_form->savePayroll();
    QCOMPARE(m_dialogs.texts(), QStringList{OverwriteQuestion()});
    QVERIFY(store().exists());
}

void TestPayrollWindowRecovery::declinedCopyIsRemoved()
{
    editOpenedRegister();
    letDebounceRun();
    m_form.reset();

    m_dialogs.setNextAnswer(Dialogs::Answer::No);
    openWindow();
    QTRY_COMPARE(m_dialogs.texts(), QStringList{kQuestion});
    QVERIFY(!store().exists());
    QVERIFY(!m_form->isModified());
    QCOMPARE(m_form->model()->cell(0, PayrollModel::NameColumn), QString());
}

void TestPayrollWindowRecovery::savedOrDroppedLeavesNoCopy_data()
{
    QTest::addColumn<QString>("ending");
    QTest::newRow("saved") << u"save"_s;
    QTest::newRow("closed, changes dropped") << u"close"_s;
    QTest::newRow("edit undone") << u"undo"_s;
}

void TestPayrollWindowRecovery::savedOrDroppedLeavesNoCopy()
{
    QFETCH(QString, ending);
    editOpenedRegister();
    letDebounceRun();
    if (ending == u"save"_s) {
        m_dialogs.setNextAnswer(Dialogs::Answer::Yes); // overwrite
        QVERIFY(m_form->savePayroll());
    } else if (ending == u"close"_s) {
        m_dialogs.setNextAnswer(Dialogs::Answer::No); // save changes?
        QVERIFY(m_form->close());
    } else {
        m_driver.trigger(u"undoAction"_s);
        QVERIFY(!m_form->isModified());
    }
    QTRY_VERIFY(!store().exists());
}

void TestPayrollWindowRecovery::unreadableCopySetAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("not a copy") << QByteArray("garbage");
    QTest::newRow("empty") << QByteArray();
}

void TestPayrollWindowRecovery::unreadableCopySetAside()
{
    QFETCH(QByteArray, bytes);
    m_form.reset();
    QVERIFY(QDir().mkpath(QFileInfo(store().path()).path()));
    QFile file(store().path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    openWindow();
    QTRY_VERIFY(!store().exists());
    QVERIFY(m_dialogs.shown.isEmpty());
    QVERIFY(m_driver.child<QStatusBar>(u"statusBar"_s)->currentMessage().contains(u"отложена"_s));
    const QStringList aside = QFileInfo(store().path()).dir().entryList({u"*unreadable*"_s}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QVERIFY(!m_form->isModified());
    QCOMPARE(m_form->model()->rowCount(), 1);
}

void TestPayrollWindowRecovery::writeFailureNotedOnce()
{
    // A file where the copies' folder should be: every write fails.
    const QString folder = QFileInfo(store().path()).path();
    QDir().mkpath(QFileInfo(folder).path());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    auto *status = m_driver.child<QStatusBar>(u"statusBar"_s);
    int notes = 0;
    connect(status, &QStatusBar::messageChanged, this, [&](const QString &text) {
        if (text.startsWith(u"Не удалось записать копию"_s))
            ++notes;
    });
    editOpenedRegister();
    QTRY_COMPARE(notes, 1);
    WindowDriver::type(u"а"_s);
    QTest::qWait(100);
    QCOMPARE(notes, 1);
    QVERIFY(m_dialogs.shown.isEmpty());
    QFile::remove(folder);
}

QTEST_MAIN(TestPayrollWindowRecovery)
#include "tst_payrollwindowrecovery.moc"
