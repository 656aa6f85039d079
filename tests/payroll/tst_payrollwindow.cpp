#include "support/SettingsFolder.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowDriver.h"
#include "common/Clock.h"
#include "common/ui/MaskedEdit.h"
#include "common/ui/SheetRowsChoice.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Answer = Dialogs::Answer;
Q_DECLARE_METATYPE(Dialogs::Answer)
Q_DECLARE_METATYPE(ScriptedDialogs::Kind)

namespace {

const QDateTime kNow(QDate(2026, 3, 8), QTime(14, 5, 9));
const QString kDeleteQuestion = u"Вы действительно хотите удалить данную запись?"_s;
const QString kClearQuestion = u"Вы действительно хотите очистить таблицу?"_s;

} // namespace

class TestPayrollWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startState();
    void typing_data();
    void typing();
    void tabFlowsAcrossRowsAndAddsRows();
    void refusedNumberCell();
    void amountNotANumberHoldsTheCursor();
    void pasteIntoCell();
    void refusedKeysAreNoted_data();
    void refusedKeysAreNoted();
    void onlyAChangedValueIsAChange_data();
    void onlyAChangedValueIsAChange();
    void noSaveQuestionRightAfterSaving();
    void destroyingQuestionsDefaultToNo();
    void keyboardReachesEverything();
    void lettersOutsideTheCodePage_data();
    void lettersOutsideTheCodePage();
    void deleteRow_data();
    void deleteRow();
    void clearTable_data();
    void clearTable();
    void pageKeys_data();
    void pageKeys();
    void pageKeysStopAtBadAmount_data();
    void pageKeysStopAtBadAmount();
    void headerFields();
    void closeQuestion_data();
    void closeQuestion();
    void untouchedRegisterAsksNothing();
    void refusedMaskKeyIsNoChange_data();
    void refusedMaskKeyIsNoChange();
    void disabledWindowIgnoresClose_data();
    void disabledWindowIgnoresClose();
    void tabOrder();
    void focusReturnsAfterSettings_data();
    void focusReturnsAfterSettings();
    void checkMessagePlacesCursor_data();
    void checkMessagePlacesCursor();
    void widenedColumnStaysReachable();
    void menuShortcuts_data();
    void menuShortcuts();

private:
    void makeRows(int count);
    static QWidget *focus() { return WindowDriver::focus(); }
    static void type(const QString &text) { WindowDriver::type(text); }
    static void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { WindowDriver::key(k, mods); }
    void click(int row, int column) { WindowDriver::clickCell(m_grid, row, column); }
    QString cell(int row, int column) const { return m_form->model()->cell(row, column); }
    QString status(int panel) const { return m_driver.text(u"StatusPanel%1"_s.arg(panel)); }
    int scrollPosition() const { return child<QScrollArea>(u"gridScrollArea"_s)->verticalScrollBar()->value(); }
    // x the column, y the row.
    QPoint current() const { return {m_grid->currentColumn(), m_grid->currentRow()}; }
    template<typename T> T *child(const QString &name) const { return m_driver.child<T>(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{kNow};
    std::unique_ptr<PayrollWindow> m_form;
    WindowDriver m_driver;
    PayrollGrid *m_grid = nullptr;
};

void TestPayrollWindow::init()
{
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
    m_driver.setWindow(m_form.get());
    m_grid = child<PayrollGrid>(u"mainGrid"_s);
}

void TestPayrollWindow::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

void TestPayrollWindow::makeRows(int count)
{
    QList<PayrollRow> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({u"Сотрудник %1"_s.arg(i), u"8600%1"_s.arg(i), QString::number(i)});
    m_form->model()->setRows(rows);
}

void TestPayrollWindow::startState()
{
    QCOMPARE(child<MaskedEdit>(u"registerNum"_s)->storedText(), u"     "_s);
    QCOMPARE(child<QLineEdit>(u"sendDate"_s)->text(), u"08.03.2026"_s);
    QCOMPARE(child<QComboBox>(u"months"_s)->currentText(), u"Март"_s);
    QCOMPARE(child<MaskedEdit>(u"year"_s)->storedText(), u"2026"_s);
    QCOMPARE(child<QLabel>(u"clientName"_s)->text(), u" Организация: ООО Ромашка"_s);
    QCOMPARE(cell(0, 0), u"1"_s);
    QCOMPARE(cell(0, 3), u"0.00"_s);
    QCOMPARE(child<QLabel>(u"overallSumma"_s)->text(), u"Общая сумма : 0.00"_s);
    QCOMPARE(status(1), u"Общая сумма : 0.00"_s);
    QCOMPARE(status(0), u"Всего строк:1"_s);
    // Typing starts in the register number; the grid is entered by clicking.
    QCOMPARE(current(), QPoint(1, 0));
    QCOMPARE(focus(), child<QWidget>(u"registerNum"_s));
    QVERIFY(!m_form->isModified());
    QVERIFY(m_form->close());
    QVERIFY(m_dialogs.shown.isEmpty());
}

void TestPayrollWindow::typing_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("name takes Cyrillic and blanks") << 1 << u"Иванов Иван"_s << u"Иванов Иван"_s;
    QTest::newRow("name refuses what Windows-1251 lacks") << 1 << u"Ли中"_s << u"Ли"_s;
    QTest::newRow("card takes digits only") << 2 << u"86a0 0-1"_s << u"86001"_s;
    QTest::newRow("card stops at 28") << 2 << QString(30, u'7') << QString(28, u'7');
    QTest::newRow("card backspace when full") << 2 << QString(28, u'7') + u"\b1"_s << QString(27, u'7') + u"1"_s;
    QTest::newRow("amount takes one point") << 3 << u"12.3.4a,-5"_s << u"12.345"_s;
    QTest::newRow("comma is the point") << 3 << u"1500000,50"_s << u"1500000.50"_s;
}

void TestPayrollWindow::typing()
{
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    click(0, col);
    // The amount holds "0.00" from the start; the name and card are empty.
    if (col == PayrollModel::AmountColumn)
        m_grid->cellEditor()->clear();
    else
        QVERIFY(!m_form->isModified());
    type(typed);
    QCOMPARE(cell(0, col), stored);
    QVERIFY(m_form->isModified());
}

void TestPayrollWindow::tabFlowsAcrossRowsAndAddsRows()
{
    click(0, 1);
    type(u"Иванов Иван Иванович"_s);
    key(Qt::Key_Tab);
    type(u"8600123412341234"_s);
    key(Qt::Key_Tab);
    type(u"1234.5"_s);
    QCOMPARE(current(), QPoint(3, 0));
    key(Qt::Key_Tab);
    // A new row, and the cursor in its name cell.
    QCOMPARE(m_form->model()->rowCount(), 2);
    QCOMPARE(cell(1, 0), u"2"_s);
    QCOMPARE(current(), QPoint(1, 1));
    QCOMPARE(focus(), m_grid->cellEditor());
    QCOMPARE(status(0), u"Всего записей :2"_s);
    QCOMPARE(cell(0, 3), u"1 234.50"_s);
    QCOMPARE(child<QLabel>(u"overallSumma"_s)->text(), u"Общая сумма : 1 234.50"_s);
    QCOMPARE(status(1), u"Общая сумма : 1 234.50"_s);

    // From a row that is not the last, Tab goes on into the next row's name.
    QVERIFY(m_grid->selectCell(0, 3));
    key(Qt::Key_Tab);
    QCOMPARE(current(), QPoint(1, 1));
    QCOMPARE(m_form->model()->rowCount(), 2);
}

void TestPayrollWindow::refusedNumberCell()
{
    makeRows(3);
    click(2, 0);
    QCOMPARE(current(), QPoint(1, 0));
    const QString before = cell(0, 1);
    type(u"x"_s);
    QCOMPARE(cell(0, 1), before);
    // The row to delete is the last one requested.
    m_dialogs.setNextAnswer(Answer::Yes);
    QTest::mouseClick(child<QPushButton>(u"deleteRowButton"_s), Qt::LeftButton);
    QCOMPARE(m_form->model()->rowCount(), 2);
    QCOMPARE(cell(0, 1), u"Сотрудник 1"_s);
    QCOMPARE(cell(1, 1), u"Сотрудник 2"_s);
}

void TestPayrollWindow::amountNotANumberHoldsTheCursor()
{
    click(0, 3);
    m_grid->cellEditor()->clear();
    type(u"."_s);
    click(0, 1);
    QCOMPARE(current(), QPoint(3, 0));
    QCOMPARE(m_dialogs.lastText(), u"'.' is not a valid floating point value."_s);
    type(u"\b5"_s);
    click(0, 1);
    QCOMPARE(current(), QPoint(1, 0));
    QCOMPARE(cell(0, 3), u"5.00"_s);
}

void TestPayrollWindow::pasteIntoCell()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    // One cell with its line end, as a spreadsheet copies it.
    clipboard->setText(u"860012345\r\n"_s);
    click(0, 2);
    QVERIFY(!m_form->isModified());
    key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cell(0, 2), u"860012345"_s);
    QCOMPARE(clipboard->text(), u"860012345\r\n"_s);
    QVERIFY(m_form->isModified());

    // A pasted blank is taken but makes the card bad.
    clipboard->setText(u" 1"_s);
    key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cell(0, 2), u"860012345 1"_s);
    QVERIFY(m_form->model()->isBadCard(0));

    clipboard->setText(u"中"_s);
    key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cell(0, 2), u"860012345 1"_s);
}

void TestPayrollWindow::refusedKeysAreNoted_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("named"); // in the status bar's note; empty: no note
    QTest::newRow("blank in an amount") << 3 << u"1 500"_s << u"1500"_s << u"« »"_s;
    QTest::newRow("minus in an amount") << 3 << u"-250.75"_s << u"250.75"_s << u"«-»"_s;
    QTest::newRow("exponent in an amount") << 3 << u"1e3"_s << u"13"_s << u"«e»"_s;
    QTest::newRow("second point") << 3 << u"1,5,"_s << u"1.5"_s << u"«.»"_s;
    QTest::newRow("letter in a card") << 2 << u"86a0"_s << u"860"_s << u"«a»"_s;
    QTest::newRow("29th digit") << 2 << QString(29, u'7') << QString(28, u'7') << u"28"_s;
    QTest::newRow("digits only: no note") << 2 << u"8600"_s << u"8600"_s << QString();
}

// A key an amount or card cell refuses is never dropped without a word.
void TestPayrollWindow::refusedKeysAreNoted()
{
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, named);
    click(0, col);
    m_grid->cellEditor()->clear();
    auto *status = child<QStatusBar>(u"statusBar"_s);
    type(typed);
    QCOMPARE(cell(0, col), stored);
    if (named.isEmpty())
        QVERIFY(status->currentMessage().isEmpty());
    else
        QVERIFY2(status->currentMessage().contains(named), qPrintable(status->currentMessage()));
}

void TestPayrollWindow::onlyAChangedValueIsAChange_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("modified");
    QTest::newRow("in and out of the grid") << 1 << QString() << false;
    QTest::newRow("refused letter in a card") << 2 << u"x"_s << false;
    QTest::newRow("refused letter in an amount") << 3 << u"x"_s << false;
    QTest::newRow("amount reformatted on leaving") << 3 << u"\b\b\b\b5"_s << true;
    QTest::newRow("a name typed") << 1 << u"И"_s << true;
}

void TestPayrollWindow::onlyAChangedValueIsAChange()
{
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(bool, modified);
    click(0, col);
    type(typed);
    child<QWidget>(u"year"_s)->setFocus();
    QCOMPARE(cell(0, 3), col == 3 && modified ? u"5.00"_s : u"0.00"_s);
    QCOMPARE(m_form->isModified(), modified);
}

// After a save, a look into the grid and an open ask nothing.
void TestPayrollWindow::noSaveQuestionRightAfterSaving()
{
    child<MaskedEdit>(u"registerNum"_s)->setStoredText(u"7"_s);
    click(0, 1);
    type(u"Иванов"_s);
    key(Qt::Key_Tab);
    type(u"8600"_s);
    key(Qt::Key_Tab);
    m_grid->cellEditor()->clear();
    type(u"1e"_s);
    // Saved without a cell selection: the totals follow the reformatted amount.
    child<QAction>(u"saveAction"_s)->trigger();
    QVERIFY(m_dialogs.lastText().startsWith(u"Файл успешно сохранён как "_s));
    QCOMPARE(status(1), u"Общая сумма : 1.00"_s);
    QCOMPARE(child<QLabel>(u"overallSumma"_s)->text(), u"Общая сумма : 1.00"_s);
    // Tab from the last amount leaves an empty row, which the save ignores.
    key(Qt::Key_Tab);
    QCOMPARE(m_form->model()->rowCount(), 2);
    child<QAction>(u"saveAction"_s)->trigger();
    QVERIFY(m_dialogs.lastText().startsWith(u"Файл успешно сохранён как "_s));
    click(0, 2);
    m_dialogs.clear();
    child<QAction>(u"openAction"_s)->trigger();
    QCOMPARE(m_dialogs.texts(), QStringList{u"ZPSV|ZPSV*"_s});
}

void TestPayrollWindow::destroyingQuestionsDefaultToNo()
{
    makeRows(2);
    QVERIFY(m_grid->selectCell(1, 1));
    m_dialogs.setNextAnswer(Answer::No);
    m_driver.click(u"deleteRowButton"_s);
    m_dialogs.setNextAnswer(Answer::No);
    m_driver.click(u"clearButton"_s);
    QCOMPARE(m_dialogs.defaultNoQuestions, (QStringList{kDeleteQuestion, kClearQuestion}));
    QCOMPARE(m_form->model()->rowCount(), 2);
}

// Alt with the underlined letter opens a menu and types nothing; F10 reaches
// the menu bar; Enter presses a focused button; Tab reaches the grid.
void TestPayrollWindow::keyboardReachesEverything()
{
    auto *number = child<MaskedEdit>(u"registerNum"_s);
    QCOMPARE(focus(), number);
    auto *fileMenu = child<QMenu>(u"fileMenu"_s);
    QVERIFY(fileMenu->title().startsWith(u"&"_s));
    QTest::sendKeyEvent(QTest::Press, number, Qt::Key(0x0424), u"ф"_s, Qt::AltModifier);
    QTRY_VERIFY(fileMenu->isVisible());
    QTest::keyClick(fileMenu, Qt::Key_Escape);
    QTest::keyClick(fileMenu, Qt::Key_Escape);
    QTRY_VERIFY(!fileMenu->isVisible());
    QCOMPARE(number->storedText(), u"     "_s);
    QVERIFY(!m_form->isModified());
    key(Qt::Key_F10);
    QTRY_VERIFY(fileMenu->isVisible());
    QTest::keyClick(fileMenu, Qt::Key_Escape);
    QTest::keyClick(fileMenu, Qt::Key_Escape);
    QTRY_VERIFY(!fileMenu->isVisible());
    // Alt with a letter no menu has types nothing either.
    number->setFocus();
    QTest::keyClick(number, Qt::Key_7, Qt::AltModifier);
    QCOMPARE(number->storedText(), u"     "_s);

    m_dialogs.setNextAnswer(Answer::No);
    auto *clear = child<QPushButton>(u"clearButton"_s);
    clear->setFocus();
    key(Qt::Key_Return);
    QCOMPARE(m_dialogs.texts(), QStringList{kClearQuestion});

    key(Qt::Key_Tab);
    QCOMPARE(focus(), m_grid->cellEditor());
}

void TestPayrollWindow::lettersOutsideTheCodePage_data()
{
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("named"); // in the status bar's note
    QTest::newRow("typed Uzbek letter") << false << u"Қодир"_s << u"АКодир"_s << u"«Қ» на «К»"_s;
    QTest::newRow("typed Chinese") << false << u"Ли中"_s << u"АЛи"_s << u"«中»"_s;
    QTest::newRow("pasted Uzbek letters replaced")
            << true << u"Қ қ Ғ ғ Ҳ ҳ Ў ў"_s << u"АК к Г г Х х Ў ў"_s << u"«Қ» на «К»"_s;
    QTest::newRow("pasted Chinese refuses the text") << true << u"Ли中"_s << u"А"_s << u"«中»"_s;
}

void TestPayrollWindow::lettersOutsideTheCodePage()
{
    QFETCH(bool, paste);
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QFETCH(QString, named);
    click(0, 1);
    type(u"А"_s);
    auto *status = child<QStatusBar>(u"statusBar"_s);
    QVERIFY(status->currentMessage().isEmpty());
    if (paste) {
        QGuiApplication::clipboard()->setText(text);
        key(Qt::Key_V, Qt::ControlModifier);
    } else {
        type(text);
    }
    QCOMPARE(cell(0, 1), stored);
    QVERIFY2(status->currentMessage().contains(named), qPrintable(status->currentMessage()));
    QVERIFY(status->currentMessage().contains(u"Windows-1251"_s));
}

void TestPayrollWindow::deleteRow_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<Answer>("answer"); // Ok: no question expected
    QTest::addColumn<QStringList>("names");
    QTest::newRow("yes: the last row moves in") << 5 << 2 << true << Answer::Yes
                                                << QStringList{u"Сотрудник 1"_s, u"Сотрудник 5"_s, u"Сотрудник 3"_s,
                                                               u"Сотрудник 4"_s};
    QTest::newRow("no keeps the row") << 2 << 2 << true << Answer::No
                                      << QStringList{u"Сотрудник 1"_s, u"Сотрудник 2"_s};
    QTest::newRow("only row, named") << 1 << 1 << true << Answer::Yes << QStringList{QString()};
    QTest::newRow("only row, amount only") << 1 << 1 << false << Answer::Ok << QStringList{QString()};
}

void TestPayrollWindow::deleteRow()
{
    QFETCH(int, rows);
    QFETCH(int, row);
    QFETCH(bool, filled);
    QFETCH(Answer, answer);
    QFETCH(QStringList, names);
    makeRows(rows);
    if (!filled)
        m_form->model()->setRows({{QString(), QString(), u"7"_s}});
    QVERIFY(m_grid->selectCell(row - 1, 1));
    if (answer != Answer::Ok)
        m_dialogs.setNextAnswer(answer);
    QTest::mouseClick(child<QPushButton>(u"deleteRowButton"_s), Qt::LeftButton);

    QCOMPARE(m_dialogs.shown.size(), answer == Answer::Ok ? 0 : 1);
    if (answer != Answer::Ok)
        QCOMPARE(m_dialogs.shown[0].caption, u"Удаление записи"_s);
    QCOMPARE(m_form->model()->rowCount(), names.size());
    for (int r = 0; r < names.size(); ++r) {
        QCOMPARE(cell(r, 0), QString::number(r + 1));
        QCOMPARE(cell(r, 1), names[r]);
    }
    QCOMPARE(status(0), u"Всего записей :%1"_s.arg(names.size()));
    QVERIFY(m_grid->cellEditor());
}

void TestPayrollWindow::clearTable_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("yes") << Answer::Yes;
    QTest::newRow("no") << Answer::No;
}

void TestPayrollWindow::clearTable()
{
    QFETCH(Answer, answer);
    makeRows(30);
    QVERIFY(m_grid->selectCell(29, 1));
    const QString total = status(1);
    m_dialogs.setNextAnswer(answer);
    QTest::mouseClick(child<QPushButton>(u"clearButton"_s), Qt::LeftButton);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].caption, u"Очистка таблицы"_s);
    QCOMPARE(m_dialogs.shown[0].text, kClearQuestion);
    if (answer == Answer::No) {
        QCOMPARE(m_form->model()->rowCount(), 30);
        QCOMPARE(status(1), total);
        return;
    }
    QCOMPARE(m_form->model()->rows(), QList<PayrollRow>{PayrollRow{}});
    QCOMPARE(cell(0, 0), u"1"_s);
    QCOMPARE(status(0), u"Всего записей :1"_s);
    QCOMPARE(status(1), u"Общая сумма : 0.00"_s);
    QCOMPARE(current().y(), 0);
}

void TestPayrollWindow::pageKeys_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<Qt::Key>("pressed");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("position");
    QTest::newRow("page down from 5") << 5 << Qt::Key_PageDown << 21 << 520;
    QTest::newRow("page up from 45") << 45 << Qt::Key_PageUp << 21 << 520;
    QTest::newRow("home") << 57 << Qt::Key_Home << 1 << 1;
    QTest::newRow("end") << 3 << Qt::Key_End << 100 << -1;
}

void TestPayrollWindow::pageKeys()
{
    QFETCH(int, from);
    QFETCH(Qt::Key, pressed);
    QFETCH(int, row);
    QFETCH(int, position);
    makeRows(100);
    QVERIFY(m_grid->selectCell(from - 1, 2));
    m_grid->focusCellEditor();
    key(pressed);
    QCOMPARE(current(), QPoint(2, row - 1));
    auto *bar = child<QScrollArea>(u"gridScrollArea"_s)->verticalScrollBar();
    QCOMPARE(scrollPosition(), position < 0 ? bar->maximum() : position);
    // The grid itself never scrolls: it is as tall as the header and its rows.
    QCOMPARE(m_grid->height(), 101 * PayrollGrid::kRowHeight);
    QCOMPARE(m_grid->visualRect(m_form->model()->index(row - 1, 0)).top() + PayrollGrid::kRowHeight,
             row * PayrollGrid::kRowHeight);
}

void TestPayrollWindow::pageKeysStopAtBadAmount_data()
{
    QTest::addColumn<Qt::Key>("pressed");
    QTest::newRow("page down") << Qt::Key_PageDown;
    QTest::newRow("page up") << Qt::Key_PageUp;
    QTest::newRow("home") << Qt::Key_Home;
    QTest::newRow("end") << Qt::Key_End;
}

// The refused selection ends the key's handling: the view stays on the cell.
void TestPayrollWindow::pageKeysStopAtBadAmount()
{
    QFETCH(Qt::Key, pressed);
    makeRows(100);
    QVERIFY(m_grid->selectCell(44, 2));
    const int position = scrollPosition();
    m_form->model()->setCell(44, PayrollModel::AmountColumn, u"."_s);
    m_grid->focusCellEditor();
    m_dialogs.clear();
    key(pressed);
    QCOMPARE(current(), QPoint(2, 44));
    QCOMPARE(scrollPosition(), position);
    QVERIFY(m_dialogs.texts().contains(u"'.' is not a valid floating point value."_s));
}

void TestPayrollWindow::headerFields()
{
    auto *number = child<MaskedEdit>(u"registerNum"_s);
    number->setFocus();
    QTest::keyClicks(number, u"7"_s);
    QVERIFY(m_form->isModified());
    child<QComboBox>(u"months"_s)->setFocus();
    QCOMPARE(number->storedText(), u"00007"_s);

    // The date comes from the calendar alone.
    auto *date = child<QLineEdit>(u"sendDate"_s);
    auto *calendar = child<QCalendarWidget>(u"calendar"_s);
    date->setFocus();
    QVERIFY(calendar->isVisible());
    QTest::keyClicks(date, u"1"_s);
    QCOMPARE(date->text(), u"08.03.2026"_s);
    emit calendar->activated(QDate(2026, 12, 31));
    QCOMPARE(date->text(), u"31.12.2026"_s);
    QVERIFY(!calendar->isVisible());
}

void TestPayrollWindow::closeQuestion_data()
{
    QTest::addColumn<bool>("complete");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("message");
    QTest::newRow("no") << true << Answer::No << true << QString();
    QTest::newRow("cancel") << true << Answer::Cancel << false << QString();
    QTest::newRow("yes saves") << true << Answer::Yes << true << u"Файл успешно сохранён как "_s;
    QTest::newRow("yes without card")
            << false << Answer::Yes << false
            << u"Таблица не заполнена! Заполните поля в таблице, затем повторно нажмите \"Сохранить\""_s;
}

void TestPayrollWindow::closeQuestion()
{
    QFETCH(bool, complete);
    QFETCH(Answer, answer);
    QFETCH(bool, closes);
    QFETCH(QString, message);
    m_form->model()->setRows({{u"Иванов"_s, complete ? u"8600"_s : QString(), u"10"_s}});
    child<MaskedEdit>(u"registerNum"_s)->setStoredText(u"7"_s);
    child<QComboBox>(u"months"_s)->setCurrentIndex(11);
    m_dialogs.setNextAnswer(answer);
    QCOMPARE(m_form->close(), closes);
    QCOMPARE(m_dialogs.shown[0].caption, u"Выход"_s);
    QCOMPARE(m_dialogs.shown[0].text, u"Сохранить изменения?"_s);
    QCOMPARE(m_dialogs.shown[0].buttons, Dialogs::Buttons::YesNoCancel);
    QCOMPARE(m_dialogs.shown.size(), message.isEmpty() ? 1 : 2);
    if (!message.isEmpty())
        QVERIFY(m_dialogs.lastText().startsWith(message));
    QCOMPARE(QFile::exists(u"Кардолист/2026/ZPSV001231234567812202600007"_s), answer == Answer::Yes && complete);
}

// The open dialog lists the program's own files, which have no extension,
// in the folder where the save puts them.
void TestPayrollWindow::untouchedRegisterAsksNothing()
{
    child<QAction>(u"openAction"_s)->trigger();
    child<QAction>(u"importTextAction"_s)->trigger();
    QCOMPARE(m_dialogs.texts(), (QStringList{u"ZPSV|ZPSV*"_s, SheetRowsFilter()}));
    QCOMPARE(m_dialogs.folders, QStringList{u"Кардолист/2026"_s});
    QVERIFY(!m_form->isModified());
    QVERIFY(m_form->close());
    QCOMPARE(m_dialogs.shown.size(), 2);
}

void TestPayrollWindow::refusedMaskKeyIsNoChange_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("modified");
    QTest::newRow("letter in the number") << u"registerNum"_s << QString() << 0 << u"a"_s << false;
    QTest::newRow("digit into a full year") << u"year"_s << u"2026"_s << 4 << u"5"_s << false;
    QTest::newRow("letter in the year") << u"year"_s << u"2026"_s << 1 << u"x"_s << false;
    QTest::newRow("digit in the number") << u"registerNum"_s << QString() << 0 << u"7"_s << true;
    QTest::newRow("digit over the year") << u"year"_s << u"2026"_s << 0 << u"1"_s << true;
}

void TestPayrollWindow::refusedMaskKeyIsNoChange()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, typed);
    QFETCH(bool, modified);
    auto *edit = child<MaskedEdit>(field);
    edit->setStoredText(before);
    edit->setFocus();
    edit->setCursorPosition(cursor);
    QVERIFY(!m_form->isModified());
    QTest::keyClicks(edit, typed);
    QCOMPARE(m_form->isModified(), modified);
}

void TestPayrollWindow::disabledWindowIgnoresClose_data()
{
    QTest::addColumn<bool>("bySettings");
    QTest::newRow("first run") << false;
    QTest::newRow("settings window open") << true;
}

void TestPayrollWindow::disabledWindowIgnoresClose()
{
    QFETCH(bool, bySettings);
    m_driver.click(u"addRowButton"_s);
    QVERIFY(m_form->isModified());
    if (bySettings)
        child<QAction>(u"settingsAction"_s)->trigger();
    else
        m_form->setEnabled(false);
    QVERIFY(!m_form->isEnabled());
    QVERIFY(!m_form->close());
    QVERIFY(m_form->isVisible());
    QVERIFY(m_dialogs.shown.isEmpty());
}

void TestPayrollWindow::tabOrder()
{
    const QStringList expected{u"registerNum"_s, u"sendDate"_s, u"months"_s, u"year"_s, u"printButton"_s};
    QCOMPARE(focus()->objectName(), expected[0]);
    QStringList reached{focus()->objectName()};
    while (reached.size() < expected.size()) {
        key(Qt::Key_Tab);
        reached << focus()->objectName();
    }
    QCOMPARE(reached, expected);
}

void TestPayrollWindow::focusReturnsAfterSettings_data()
{
    QTest::addColumn<QString>("field"); // empty: the grid's cell editor
    QTest::newRow("register number") << u"registerNum"_s;
    QTest::newRow("month") << u"months"_s;
    QTest::newRow("year") << u"year"_s;
    QTest::newRow("grid") << QString();
}

void TestPayrollWindow::focusReturnsAfterSettings()
{
    QFETCH(QString, field);
    if (field.isEmpty())
        click(0, 2);
    else
        child<QWidget>(field)->setFocus();
    QWidget *before = focus();
    QVERIFY(before);
    child<QAction>(u"settingsAction"_s)->trigger();
    QVERIFY(!m_form->isEnabled());
    QVERIFY(!before->hasFocus());
    m_form->setEnabled(true); // the settings window was left
    QTRY_COMPARE(focus(), before);
    QCOMPARE(current(), QPoint(field.isEmpty() ? 2 : 1, 0));
}

void TestPayrollWindow::checkMessagePlacesCursor_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QList<PayrollRow>>("rows");
    QTest::addColumn<QString>("field");  // empty: the grid's cell editor
    QTest::addColumn<QPoint>("place");   // cursor in a field; cell in the grid
    const QList<PayrollRow> good{{u"Иванов"_s, u"8600"_s, u"10"_s}};
    QTest::newRow("number empty") << QString() << u"2026"_s << good << u"registerNum"_s << QPoint(0, 0);
    QTest::newRow("year half typed") << u"7"_s << u"20"_s << good << u"year"_s << QPoint(2, 0);
    QTest::newRow("card missing")
            << u"7"_s << u"2026"_s << QList<PayrollRow>{good[0], {u"Петров"_s, QString(), u"5"_s}} << QString()
            << QPoint(2, 1);
    QTest::newRow("name missing")
            << u"7"_s << u"2026"_s << QList<PayrollRow>{good[0], {QString(), u"8600"_s, u"5"_s}} << QString()
            << QPoint(1, 1);
    QTest::newRow("card not digits")
            << u"7"_s << u"2026"_s << QList<PayrollRow>{good[0], good[0], {u"Петров"_s, u"86 00"_s, u"5"_s}}
            << QString() << QPoint(2, 2);
}

void TestPayrollWindow::checkMessagePlacesCursor()
{
    QFETCH(QString, number);
    QFETCH(QString, year);
    QFETCH(QList<PayrollRow>, rows);
    QFETCH(QString, field);
    QFETCH(QPoint, place);
    m_form->model()->setRows(rows);
    child<MaskedEdit>(u"registerNum"_s)->setStoredText(number);
    child<MaskedEdit>(u"year"_s)->setStoredText(year);
    child<QWidget>(u"months"_s)->setFocus();
    child<QAction>(u"saveAction"_s)->trigger();
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].kind, ScriptedDialogs::Kind::Information);
    if (field.isEmpty()) {
        QCOMPARE(focus(), m_grid->cellEditor());
        QCOMPARE(current(), place);
    } else {
        auto *edit = child<MaskedEdit>(field);
        QCOMPARE(focus(), edit);
        QCOMPARE(edit->cursorPosition(), place.x());
    }
}

// Widening a column never pushes the amount out of reach.
void TestPayrollWindow::widenedColumnStaysReachable()
{
    auto *area = child<QScrollArea>(u"gridScrollArea"_s);
    makeRows(40);
    QTRY_VERIFY(area->verticalScrollBar()->isVisible());
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    m_grid->setColumnWidth(PayrollModel::NameColumn, 700);
    QTRY_VERIFY(area->horizontalScrollBar()->isVisible());
    auto *bar = area->horizontalScrollBar();
    bar->setValue(bar->maximum());
    const QRect amount = m_grid->visualRect(m_form->model()->index(1, PayrollModel::AmountColumn));
    const QPoint right = m_grid->viewport()->mapTo(area->viewport(), amount.topRight());
    QVERIFY2(right.x() < area->viewport()->width(), qPrintable(QString::number(right.x())));
}

void TestPayrollWindow::menuShortcuts_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<ScriptedDialogs::Kind>("shown");
    QTest::newRow("open") << u"openAction"_s << QKeySequence(u"Ctrl+O"_s) << ScriptedDialogs::Kind::OpenFile;
    QTest::newRow("save") << u"saveAction"_s << QKeySequence(u"Ctrl+S"_s) << ScriptedDialogs::Kind::Information;
    QTest::newRow("print") << u"printAction"_s << QKeySequence(u"Ctrl+P"_s) << ScriptedDialogs::Kind::PrintSetup;
}

void TestPayrollWindow::menuShortcuts()
{
    QFETCH(QString, action);
    QFETCH(QKeySequence, keys);
    QFETCH(ScriptedDialogs::Kind, shown);
    QCOMPARE(child<QAction>(action)->shortcut(), keys);
    for (bool inGrid : {false, true}) {
        m_dialogs.clear();
        if (inGrid)
            click(0, 1);
        QTest::keySequence(focus(), keys);
        QVERIFY(!m_dialogs.shown.isEmpty());
        QCOMPARE(m_dialogs.shown.last().kind, shown);
    }
}

QTEST_MAIN(TestPayrollWindow)
#include "tst_payrollwindow.moc"
