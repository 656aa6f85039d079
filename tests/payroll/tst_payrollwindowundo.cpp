#include "support/SettingsFolder.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowDriver.h"
#include "common/Clock.h"
#include "common/Cp1251.h"
#include "common/ui/MaskedEdit.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollHeaderPanel.h"
#include "payroll/ui/PayrollWindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime kNow(QDate(2026, 3, 8), QTime(14, 5, 9));

} // namespace

// Undo and redo through the window's own menu, against a plain list of
// the names and cards the register should hold.
class TestPayrollWindowUndo : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void editMenuFollowsFile();
    void actionSequences_data();
    void actionSequences();
    void undoToUnchangedClearsMark_data();
    void undoToUnchangedClearsMark();
    void headerField();
    void importUndoneOpenStartsAfresh();

private:
    void run(const QString &step);
    QStringList namesAndCards() const;
    template<typename T = QWidget> T *child(const QString &name) const { return m_driver.child<T>(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{kNow};
    std::unique_ptr<PayrollWindow> m_form;
    WindowDriver m_driver;
    PayrollGrid *m_grid = nullptr;
};

void TestPayrollWindowUndo::init()
{
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
    m_driver.setWindow(m_form.get());
    m_grid = child<PayrollGrid>(u"mainGrid"_s);
}

void TestPayrollWindowUndo::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

// "R C text": click the cell, type; "+": add a row; "-R": delete row R
// (answering Yes); "x": clear (Yes); "u" / "r": undo / redo; "U": Ctrl+Z;
// "v R C a;b/c;d": Ctrl+V at the cell of rows a,b and c,d copied from a sheet.
void TestPayrollWindowUndo::run(const QString &step)
{
    const QChar op = step.at(0);
    if (op == u'+') {
        m_driver.click(u"addRowButton"_s);
    } else if (op == u'-') {
        const int row = step.mid(1).toInt();
        WindowDriver::clickCell(m_grid, row, PayrollModel::NameColumn);
        if (!m_form->model()->cell(row, PayrollModel::NameColumn).isEmpty())
            m_dialogs.setNextAnswer(Dialogs::Answer::Yes);
        m_driver.click(u"deleteRowButton"_s);
    } else if (op == u'x') {
        m_dialogs.setNextAnswer(Dialogs::Answer::Yes);
        m_driver.click(u"clearButton"_s);
    } else if (op == u'u') {
        m_driver.trigger(u"undoAction"_s);
    } else if (op == u'r') {
        m_driver.trigger(u"redoAction"_s);
    } else if (op == u'U') {
        WindowDriver::key(Qt::Key_Z, Qt::ControlModifier);
    } else if (op == u'v') {
        const QStringList parts = step.split(u' ');
        QGuiApplication::clipboard()->setText(QString(parts[3]).replace(u';', u'\t').replace(u'/', u'\n'));
        WindowDriver::clickCell(m_grid, parts[1].toInt(), parts[2].toInt());
        WindowDriver::key(Qt::Key_V, Qt::ControlModifier);
    } else {
        const QStringList parts = step.split(u' ');
        WindowDriver::clickCell(m_grid, parts[0].toInt(), parts[1].toInt());
        WindowDriver::type(parts.mid(2).join(u' '));
    }
}

QStringList TestPayrollWindowUndo::namesAndCards() const
{
    QStringList rows;
    const PayrollModel *model = m_form->model();
    for (int row = 0; row <= model->lastRow(); ++row)
        rows << model->cell(row, PayrollModel::NameColumn) + u'|' + model->cell(row, PayrollModel::CardColumn);
    return rows;
}

void TestPayrollWindowUndo::editMenuFollowsFile()
{
    const QList<QAction *> menus = m_form->menuBar()->actions();
    QVERIFY(menus.size() > 2);
    QCOMPARE(menus[0]->text().remove(u'&'), u"Файл"_s);
    QCOMPARE(menus[1]->text(), u"&Правка"_s);
}

void TestPayrollWindowUndo::actionSequences_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("undoText");

    // A cell is one step however many keys it took, taken when the cursor leaves it.
    QTest::newRow("cell undone") << QStringList{u"0 1 Иванов"_s, u"0 2 8600"_s, u"u"_s}
                                 << QStringList{u"Иванов|"_s} << u"&Отменить изменение ячейки"_s;
    QTest::newRow("typing undone before leaving")
            << QStringList{u"0 1 Иванов"_s, u"u"_s} << QStringList{u"|"_s} << u"&Отменить"_s;
    QTest::newRow("cell redone") << QStringList{u"0 1 Иванов"_s, u"0 2 8600"_s, u"u"_s, u"r"_s}
                                 << QStringList{u"Иванов|8600"_s} << u"&Отменить изменение ячейки"_s;
    QTest::newRow("ctrl+z in a cell") << QStringList{u"0 1 Иванов"_s, u"0 2 8600"_s, u"U"_s}
                                      << QStringList{u"Иванов|"_s} << u"&Отменить изменение ячейки"_s;
    QTest::newRow("add row undone") << QStringList{u"0 1 А"_s, u"+"_s, u"u"_s} << QStringList{u"А|"_s}
                                    << u"&Отменить изменение ячейки"_s;
    // The last row moved into the deleted one's place; both go back.
    QTest::newRow("delete undone")
            << QStringList{u"0 1 А"_s, u"+"_s, u"1 1 Б"_s, u"+"_s, u"2 1 В"_s, u"-0"_s, u"u"_s}
            << QStringList{u"А|"_s, u"Б|"_s, u"В|"_s} << u"&Отменить изменение ячейки"_s;
    QTest::newRow("delete redone")
            << QStringList{u"0 1 А"_s, u"+"_s, u"1 1 Б"_s, u"+"_s, u"2 1 В"_s, u"-0"_s, u"u"_s, u"r"_s}
            << QStringList{u"В|"_s, u"Б|"_s} << u"&Отменить удаление строки"_s;
    QTest::newRow("delete last row undone")
            << QStringList{u"0 1 А"_s, u"+"_s, u"1 1 Б"_s, u"-1"_s, u"u"_s}
            << QStringList{u"А|"_s, u"Б|"_s} << u"&Отменить изменение ячейки"_s;
    QTest::newRow("delete only row undone") << QStringList{u"0 1 А"_s, u"0 2 1"_s, u"-0"_s, u"u"_s}
                                            << QStringList{u"А|1"_s} << u"&Отменить изменение ячейки"_s;
    QTest::newRow("clear undone") << QStringList{u"0 1 А"_s, u"+"_s, u"1 1 Б"_s, u"x"_s, u"u"_s}
                                  << QStringList{u"А|"_s, u"Б|"_s} << u"&Отменить изменение ячейки"_s;
    QTest::newRow("clear redone") << QStringList{u"0 1 А"_s, u"+"_s, u"1 1 Б"_s, u"x"_s, u"u"_s, u"r"_s}
                                  << QStringList{u"|"_s} << u"&Отменить очистку таблицы"_s;
    QTest::newRow("all undone, all redone")
            << QStringList{u"0 1 А"_s, u"+"_s, u"1 1 Б"_s, u"-0"_s, u"u"_s, u"u"_s, u"u"_s, u"u"_s, u"u"_s,
                           u"r"_s, u"r"_s, u"r"_s, u"r"_s}
            << QStringList{u"Б|"_s} << u"&Отменить удаление строки"_s;
    // Rows pasted from a sheet are one step, with the cell typed before them kept.
    QTest::newRow("paste undone") << QStringList{u"0 1 А"_s, u"v 0 1 Б;1/В;2/Г;3"_s, u"u"_s}
                                  << QStringList{u"А|"_s} << u"&Отменить изменение ячейки"_s;
    QTest::newRow("paste redone") << QStringList{u"0 1 А"_s, u"v 0 1 Б;1/В;2/Г;3"_s, u"u"_s, u"r"_s}
                                  << QStringList{u"Б|1"_s, u"В|2"_s, u"Г|3"_s} << u"&Отменить вставку строк"_s;
    // A new step drops the steps undone.
    QTest::newRow("new step after undo") << QStringList{u"0 1 А"_s, u"+"_s, u"u"_s, u"0 2 5"_s, u"r"_s}
                                         << QStringList{u"А|5"_s} << u"&Отменить изменение ячейки"_s;
}

void TestPayrollWindowUndo::actionSequences()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, rows);
    QFETCH(QString, undoText);

    for (const QString &step : steps)
        run(step);
    QCOMPARE(namesAndCards(), rows);
    QCOMPARE(child<QAction>(u"undoAction"_s)->text(), undoText);
    for (const ScriptedDialogs::Shown &shown : m_dialogs.shown)
        QCOMPARE(shown.kind, ScriptedDialogs::Kind::Question);
}

void TestPayrollWindowUndo::undoToUnchangedClearsMark_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("modified");

    QTest::newRow("edit undone") << QStringList{u"0 1 А"_s, u"u"_s} << false;
    QTest::newRow("edit undone, redone") << QStringList{u"0 1 А"_s, u"u"_s, u"r"_s} << true;
    QTest::newRow("two edits, one undone") << QStringList{u"0 1 А"_s, u"0 2 1"_s, u"u"_s} << true;
    QTest::newRow("add row undone") << QStringList{u"+"_s, u"u"_s} << false;
}

void TestPayrollWindowUndo::undoToUnchangedClearsMark()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, modified);

    for (const QString &step : steps)
        run(step);
    QCOMPARE(m_form->isModified(), modified);
}

void TestPayrollWindowUndo::headerField()
{
    m_driver.typeInto(u"registerNum"_s, u"123"_s);
    m_driver.typeInto(u"year"_s, u"\b\b\b\b2025"_s);
    QVERIFY(m_form->isModified());
    m_driver.trigger(u"undoAction"_s);
    QCOMPARE(child<MaskedEdit>(u"year"_s)->storedText(), u"2026"_s);
    // The number was padded as the cursor left it: one step with its typing.
    QCOMPARE(child<MaskedEdit>(u"registerNum"_s)->storedText(), u"00123"_s);
    m_driver.trigger(u"undoAction"_s);
    QCOMPARE(child<MaskedEdit>(u"registerNum"_s)->storedText(), u"     "_s);
    QVERIFY(!m_form->isModified());
    m_driver.trigger(u"redoAction"_s);
    QCOMPARE(child<MaskedEdit>(u"registerNum"_s)->storedText(), u"00123"_s);
}

void TestPayrollWindowUndo::importUndoneOpenStartsAfresh()
{
    run(u"0 1 А"_s);
    run(u"0 2 1"_s);
    QFile text(u"rows.txt"_s);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(Cp1251::encode(u"Б\t2\t3\r\nВ\t4\t5\r\n"_s));
    text.close();
    m_dialogs.setNextAnswer(Dialogs::Answer::No); // save changes?
    m_dialogs.setNextFileName(QDir::current().absoluteFilePath(u"rows.txt"_s));
    m_driver.trigger(u"importTextAction"_s);
    QCOMPARE(namesAndCards(), (QStringList{u"Б|2"_s, u"В|4"_s}));
    QVERIFY(!m_form->isModified()); // as an import leaves it

    m_driver.trigger(u"undoAction"_s);
    QCOMPARE(namesAndCards(), QStringList{u"А|1"_s});
    QVERIFY(m_form->isModified());
    QCOMPARE(child<QAction>(u"redoAction"_s)->text(), u"&Повторить импорт"_s);
    m_driver.trigger(u"redoAction"_s);
    QCOMPARE(namesAndCards(), (QStringList{u"Б|2"_s, u"В|4"_s}));
    QVERIFY(!m_form->isModified());

    // An opened file has no history before it.
    m_driver.child<PayrollHeaderPanel>(u"headerGroup"_s)->setHeader({u"7"_s, u"08.12.2026"_s, 11, u"2026"_s});
    QVERIFY(m_form->savePayroll());
    m_form->loadPayrollFile(QDir::current().absoluteFilePath(u"Кардолист/2026/ZPSV001231234567812202600007"_s));
    QCOMPARE(child<QAction>(u"undoAction"_s)->text(), u"&Отменить"_s);
    m_driver.trigger(u"undoAction"_s);
    QCOMPARE(namesAndCards(), (QStringList{u"Б|2"_s, u"В|4"_s}));
    QVERIFY(!m_form->isModified());
}

QTEST_MAIN(TestPayrollWindowUndo)
#include "tst_payrollwindowundo.moc"
