#include "support/SettingsFolder.h"
#include "support/ScriptedDialogs.h"
#include "app/WindowCoordinator.h"
#include "clients/ClientTableModel.h"
#include "clients/ui/ClientsWindow.h"
#include "support/WindowDriver.h"
#include "clients/ui/ClientEditPanel.h"
#include "common/Clock.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

using Answer = Dialogs::Answer;
Q_DECLARE_METATYPE(Dialogs::Answer)

// The payroll and client windows as the program starts and swaps them.
class TestClientsSwap : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void swapKeepsBothWindows_data();
    void swapKeepsBothWindows();
    void closingAsksTheHiddenWindowToo_data();
    void closingAsksTheHiddenWindowToo();
    void swapReturnsTheFocus_data();
    void swapReturnsTheFocus();

private:
    ClientTableModel *table() const { return WindowDriver(m_clients).model<ClientTableModel>(u"mainGrid"_s); }
    ClientEditPanel *panel() const { return WindowDriver(m_clients).child<ClientEditPanel>(u"editPanel"_s); }
    // A change not yet saved that leaves the table as it was: the delete
    // command answered No, or on an empty table, asking nothing.
    void markModified()
    {
        WindowDriver(m_clients).clickAnswering(u"deleteButton"_s, m_dialogs, Dialogs::Answer::No, !table()->isEmpty());
    }
    template<typename T> T *window() const
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<T *>(w))
                return found;
        return nullptr;
    }
    void trigger(QWidget *window, const QString &action) { window->findChild<QAction *>(action)->trigger(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{QDateTime(QDate(2026, 3, 8), QTime(14, 5, 9))};
    std::unique_ptr<WindowCoordinator> m_windows;
    PayrollWindow *m_payroll = nullptr;
    ClientsWindow *m_clients = nullptr;
};

void TestClientsSwap::init()
{
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    m_dialogs = ScriptedDialogs();
    m_windows = std::make_unique<WindowCoordinator>(m_dialogs, m_clock);
    m_windows->start();
    m_payroll = window<PayrollWindow>();
    m_clients = window<ClientsWindow>();
    QVERIFY(m_payroll && m_clients);
    QVERIFY(m_payroll->isVisible());
    QVERIFY(!m_clients->isVisible());
}

void TestClientsSwap::cleanup()
{
    if (m_clients->isModified()) {
        m_dialogs.setNextAnswer(Answer::No);
        trigger(m_clients, u"newAction"_s);
    }
    m_windows.reset();
    LeaveFolder(m_dir);
}

void TestClientsSwap::swapKeepsBothWindows_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("swapped");

    QTest::newRow("No") << Answer::No << true;
    QTest::newRow("Cancel") << Answer::Cancel << false;
}

void TestClientsSwap::swapKeepsBothWindows()
{
    QFETCH(Answer, answer);
    QFETCH(bool, swapped);

    m_payroll->model()->setRows({{u"Сотрудник"_s, u"8600123"_s, u"100.00"_s}});
    QTest::mouseClick(m_payroll->findChild<QPushButton *>(u"addRowButton"_s), Qt::LeftButton);
    const PayrollRows payrollRows = m_payroll->model()->rows();

    trigger(m_payroll, u"clientsAction"_s);
    QVERIFY(m_clients->isVisible());
    QVERIFY(!m_payroll->isVisible());
    QVERIFY(m_dialogs.shown.isEmpty());

    ClientRecord client;
    client[ClientColumn::FullName] = u"Каримов Азиз Рустамович"_s;
    client[ClientColumn::Sex] = u"Мужской"_s;
    table()->append(client);
    markModified();
    ClientFields typed;
    typed.surname = u"Юсупов"_s;
    panel()->setFields(typed);

    m_dialogs.setNextAnswer(answer);
    trigger(m_clients, u"payrollAction"_s);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].caption, u"Выход"_s);
    QCOMPARE(m_payroll->isVisible(), swapped);
    QCOMPARE(m_clients->isVisible(), !swapped);

    // Both keep what they held, and the unsaved client table stays unsaved.
    QCOMPARE(m_payroll->model()->rows(), payrollRows);
    QVERIFY(m_payroll->isModified());
    QCOMPARE(table()->recordCount(), 1);
    QCOMPARE(panel()->fields(), typed);
    QVERIFY(m_clients->isModified());

    if (swapped) {
        trigger(m_payroll, u"clientsAction"_s);
        QVERIFY(m_clients->isVisible());
        QCOMPARE(table()->recordCount(), 1);
    }
}

void TestClientsSwap::closingAsksTheHiddenWindowToo_data()
{
    QTest::addColumn<bool>("fromClients"); // the client window is the one shown and closed
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("ends");
    const QString payrollQuestion = u"Сохранить изменения?"_s;
    const QString clientsQuestion = u"Сохранить данные?"_s;
    QTest::newRow("clients, both no") << true << QList<Answer>{Answer::No, Answer::No}
                                      << QStringList{clientsQuestion, payrollQuestion} << true;
    QTest::newRow("clients, payroll cancel") << true << QList<Answer>{Answer::No, Answer::Cancel}
                                             << QStringList{clientsQuestion, payrollQuestion} << false;
    QTest::newRow("clients cancel, payroll not asked")
            << true << QList<Answer>{Answer::Cancel} << QStringList{clientsQuestion} << false;
    QTest::newRow("payroll, both no") << false << QList<Answer>{Answer::No, Answer::No}
                                      << QStringList{payrollQuestion, clientsQuestion} << true;
    QTest::newRow("payroll, clients cancel") << false << QList<Answer>{Answer::No, Answer::Cancel}
                                             << QStringList{payrollQuestion, clientsQuestion} << false;
}

void TestClientsSwap::closingAsksTheHiddenWindowToo()
{
    QFETCH(bool, fromClients);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, asked);
    QFETCH(bool, ends);
    QTest::mouseClick(m_payroll->findChild<QPushButton *>(u"addRowButton"_s), Qt::LeftButton);
    trigger(m_payroll, u"clientsAction"_s);
    markModified();
    if (!fromClients) {
        m_dialogs.setNextAnswer(Answer::No);
        trigger(m_clients, u"payrollAction"_s);
    }
    m_dialogs.clear();
    for (Answer a : answers)
        m_dialogs.setNextAnswer(a);
    QWidget *shown = fromClients ? static_cast<QWidget *>(m_clients) : m_payroll;
    trigger(shown, u"exitAction"_s);
    QCoreApplication::processEvents();
    QCOMPARE(m_dialogs.texts(), asked);
    // No window left shown ends the program.
    QCOMPARE(shown->isVisible(), !ends);
    QVERIFY(!(fromClients ? static_cast<QWidget *>(m_payroll) : m_clients)->isVisible());
    if (!ends) {
        // Nothing was saved or dropped: the question comes again at the next close.
        QVERIFY(m_payroll->isModified() && m_clients->isModified());
        m_dialogs.setNextAnswer(Answer::No);
        m_dialogs.setNextAnswer(Answer::No);
        QVERIFY(shown->close());
    }
}

void TestClientsSwap::swapReturnsTheFocus_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("year") << u"year"_s;
    // The date field pops its calendar when entered, not when its window comes back.
    QTest::newRow("send date") << u"sendDate"_s;
}

void TestClientsSwap::swapReturnsTheFocus()
{
    QFETCH(QString, field);
    QWidget *year = m_payroll->findChild<QWidget *>(field);
    QVERIFY(year);
    year->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), year);
    trigger(m_payroll, u"clientsAction"_s);
    QTRY_VERIFY(m_clients->isActiveWindow());
    QWidget *clientField = m_clients->findChild<QWidget *>(u"surname"_s);
    clientField->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), clientField);
    for (int swap = 0; swap < 2; ++swap) {
        trigger(m_clients, u"payrollAction"_s);
        QTRY_COMPARE(QApplication::focusWidget(), year);
        QVERIFY(!m_payroll->findChild<QWidget *>(u"calendar"_s)->isVisible());
        trigger(m_payroll, u"clientsAction"_s);
        QTRY_COMPARE(QApplication::focusWidget(), clientField);
    }
}

QTEST_MAIN(TestClientsSwap)
#include "tst_windowswap.moc"
