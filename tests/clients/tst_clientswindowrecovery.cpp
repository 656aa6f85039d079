#include "support/ClientSamples.h"
#include "support/WindowDriver.h"
#include "support/ScriptedDialogs.h"
#include "clients/ClientTableModel.h"
#include "clients/ui/ClientEditPanel.h"
#include "clients/ui/ClientsWindow.h"

#include <QPushButton>
#include <QTableView>
#include <QTest>
#include "support/SettingsFolder.h"
#include "support/ScriptedDialogs.h"
#include "clients/ClientRecovery.h"
#include "common/Clock.h"
#include "common/ui/DocumentRecovery.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Dialogs::Answer)

namespace {

const QDateTime kNow(QDate(2026, 3, 8), QTime(14, 5, 9));

} // namespace

// The client table's recovery copy: written after the changes pause,
// offered when the next window in the same folder is first shown.
class TestClientsWindowRecovery : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void offeredWhenShown_data();
    void offeredWhenShown();
    void nothingLeftNoCopy();
    void writeFailureInCaption();

private:
    void openWindow();
    void addClient(int n);
    RecoveryStore store() const { return RecoveryStoreFor<ClientRecovery>(QDir::currentPath()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{kNow};
    std::unique_ptr<ClientsWindow> m_form;
};

void TestClientsWindowRecovery::init()
{
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    m_dialogs = ScriptedDialogs();
    openWindow();
}

void TestClientsWindowRecovery::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

void TestClientsWindowRecovery::openWindow()
{
    m_form = std::make_unique<ClientsWindow>(m_dialogs, m_clock);
    m_form->findChild<DocumentRecovery *>()->debouncer().setQuietInterval(20);
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTest::qWait(10); // the offer comes once the window is up
}

void TestClientsWindowRecovery::addClient(int n)
{
    WindowDriver(m_form.get()).child<ClientEditPanel>(u"editPanel"_s)->setFields(ValidClientFields(n));
    QTest::mouseClick(m_form->findChild<QPushButton *>(u"addButton"_s), Qt::LeftButton);
}

void TestClientsWindowRecovery::offeredWhenShown_data()
{
    QTest::addColumn<Dialogs::Answer>("answer");
    QTest::newRow("yes") << Dialogs::Answer::Yes;
    QTest::newRow("no") << Dialogs::Answer::No;
}

void TestClientsWindowRecovery::offeredWhenShown()
{
    QFETCH(Dialogs::Answer, answer);
    addClient(1);
    addClient(2);
    QTRY_VERIFY(store().exists());
    const ClientRecords typed = WindowDriver(m_form.get()).model<ClientTableModel>(u"mainGrid"_s)->records();
    m_form.reset();

    m_dialogs.setNextAnswer(answer);
    m_form = std::make_unique<ClientsWindow>(m_dialogs, m_clock);
    QVERIFY(m_dialogs.shown.isEmpty()); // not before the window shows
    m_form->show();
    QTRY_COMPARE(m_dialogs.texts(),
                 QStringList{u"Найдены несохранённые данные от 08.03.2026 14:05 (клиентов: 2). Восстановить?"_s});
    if (answer == Dialogs::Answer::Yes) {
        QCOMPARE(WindowDriver(m_form.get()).model<ClientTableModel>(u"mainGrid"_s)->records(), typed);
        QVERIFY(m_form->isModified());
        QVERIFY(store().exists());
    } else {
        QVERIFY(WindowDriver(m_form.get()).model<ClientTableModel>(u"mainGrid"_s)->isEmpty());
        QVERIFY(!m_form->isModified());
        QVERIFY(!store().exists());
    }
}

void TestClientsWindowRecovery::nothingLeftNoCopy()
{
    addClient(1);
    QTRY_VERIFY(store().exists());
    m_dialogs.setNextAnswer(Dialogs::Answer::Yes);
    QTest::mouseClick(m_form->findChild<QPushButton *>(u"clearButton"_s), Qt::LeftButton);
    QVERIFY(m_form->isModified());
    QTRY_VERIFY(!store().exists());
}

void TestClientsWindowRecovery::writeFailureInCaption()
{
    const QString folder = QFileInfo(store().path()).path();
    QDir().mkpath(QFileInfo(folder).path());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    addClient(1);
    QTRY_VERIFY(m_form->windowTitle().contains(u"Не удалось записать копию"_s));
    QVERIFY(m_form->windowTitle().startsWith(u"Регистрация клиентов — "_s));
    QVERIFY(m_dialogs.shown.isEmpty());

    // Written at the next change once it can be: the caption is itself again.
    QVERIFY(QFile::remove(folder));
    addClient(2);
    QTRY_COMPARE(m_form->windowTitle(), u"Регистрация клиентов"_s);
    QVERIFY(store().exists());
}

QTEST_MAIN(TestClientsWindowRecovery)
#include "tst_clientswindowrecovery.moc"
