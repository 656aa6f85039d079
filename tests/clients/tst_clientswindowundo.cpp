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
#include "common/Clock.h"

#include <QAction>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime kNow(QDate(2026, 3, 8), QTime(14, 5, 9));

} // namespace

// Undo and redo of the client table through the window's menu, against a
// plain list of the passports it should hold.
class TestClientsWindowUndo : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void actionSequences_data();
    void actionSequences();

private:
    void run(const QString &step);
    QStringList documents() const;
    void click(const QString &button)
    {
        QTest::mouseClick(m_form->findChild<QPushButton *>(button), Qt::LeftButton);
    }
    void trigger(const QString &action) { m_form->findChild<QAction *>(action)->trigger(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{kNow};
    std::unique_ptr<ClientsWindow> m_form;
};

void TestClientsWindowUndo::init()
{
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
}

void TestClientsWindowUndo::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

// "aN": add client N; "eN": client N's fields over the current row;
// "dR": delete row R (Yes); "x": clear the table (Yes); "u" / "r": undo / redo.
void TestClientsWindowUndo::run(const QString &step)
{
    const QChar op = step.at(0);
    const int n = step.mid(1).toInt();
    switch (op.unicode()) {
    case u'a':
        WindowDriver(m_form.get()).child<ClientEditPanel>(u"editPanel"_s)->setFields(ValidClientFields(n));
        click(u"addButton"_s);
        break;
    case u'e':
        WindowDriver(m_form.get()).child<ClientEditPanel>(u"editPanel"_s)->setFields(ValidClientFields(n));
        // Fields not loaded from the current row: the edit asks first.
        m_dialogs.setNextAnswer(Dialogs::Answer::Yes);
        click(u"editButton"_s);
        break;
    case u'd': {
        auto *view = m_form->findChild<QTableView *>(u"mainGrid"_s);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(n, 1)).center());
        m_dialogs.setNextAnswer(Dialogs::Answer::Yes);
        click(u"deleteButton"_s);
        break;
    }
    case u'x':
        m_dialogs.setNextAnswer(Dialogs::Answer::Yes);
        click(u"clearButton"_s);
        break;
    case u'u':
        trigger(u"undoAction"_s);
        break;
    case u'r':
        trigger(u"redoAction"_s);
        break;
    }
}

QStringList TestClientsWindowUndo::documents() const
{
    QStringList documents;
    const ClientTableModel *table = WindowDriver(m_form.get()).model<ClientTableModel>(u"mainGrid"_s);
    for (int row = 0; row < table->recordCount(); ++row)
        documents << table->cell(row, ClientColumn::Number) + u' ' + table->cell(row, ClientColumn::Document);
    return documents;
}

void TestClientsWindowUndo::actionSequences_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("documents");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("undoText");

    QTest::newRow("add undone") << QStringList{u"a1"_s, u"a2"_s, u"u"_s} << QStringList{u"1 AA 0000001"_s} << true
                                << u"&Отменить добавление клиента"_s;
    QTest::newRow("everything undone") << QStringList{u"a1"_s, u"u"_s} << QStringList{} << false << u"&Отменить"_s;
    QTest::newRow("add redone") << QStringList{u"a1"_s, u"a2"_s, u"u"_s, u"r"_s}
                                << QStringList{u"1 AA 0000001"_s, u"2 AA 0000002"_s} << true
                                << u"&Отменить добавление клиента"_s;
    QTest::newRow("change undone") << QStringList{u"a1"_s, u"d0"_s, u"u"_s, u"a2"_s, u"e3"_s, u"u"_s}
                                   << QStringList{u"1 AA 0000001"_s, u"2 AA 0000002"_s} << true
                                   << u"&Отменить добавление клиента"_s;
    // The last client moved into the deleted one's place; both go back.
    QTest::newRow("delete undone") << QStringList{u"a1"_s, u"a2"_s, u"a3"_s, u"d0"_s, u"u"_s}
                                   << QStringList{u"1 AA 0000001"_s, u"2 AA 0000002"_s, u"3 AA 0000003"_s} << true
                                   << u"&Отменить добавление клиента"_s;
    QTest::newRow("delete redone") << QStringList{u"a1"_s, u"a2"_s, u"a3"_s, u"d0"_s, u"u"_s, u"r"_s}
                                   << QStringList{u"1 AA 0000003"_s, u"2 AA 0000002"_s} << true
                                   << u"&Отменить удаление клиента"_s;
    QTest::newRow("clear undone") << QStringList{u"a1"_s, u"a2"_s, u"x"_s, u"u"_s}
                                  << QStringList{u"1 AA 0000001"_s, u"2 AA 0000002"_s} << true
                                  << u"&Отменить добавление клиента"_s;
    QTest::newRow("clear redone") << QStringList{u"a1"_s, u"a2"_s, u"x"_s, u"u"_s, u"r"_s} << QStringList{} << true
                                  << u"&Отменить очистку таблицы"_s;
}

void TestClientsWindowUndo::actionSequences()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, documents);
    QFETCH(bool, modified);
    QFETCH(QString, undoText);

    for (const QString &step : steps)
        run(step);
    QCOMPARE(this->documents(), documents);
    QCOMPARE(m_form->isModified(), modified);
    QCOMPARE(m_form->findChild<QAction *>(u"undoAction"_s)->text(), undoText);
    QCOMPARE(WindowDriver(m_form.get()).model<ClientTableModel>(u"mainGrid"_s)->findPassport(u"AA"_s, u"0000002"_s),
             documents.indexOf(u"2 AA 0000002"_s) >= 0 ? int(documents.indexOf(u"2 AA 0000002"_s)) + 1 : -1);
}

QTEST_MAIN(TestClientsWindowUndo)
#include "tst_clientswindowundo.moc"
