#include "support/SettingsFolder.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowDriver.h"
#include "about/ui/AboutDialog.h"
#include "common/Clock.h"
#include "common/Cp1251.h"
#include "common/UserError.h"
#include "common/ui/SheetRowsChoice.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollHeaderPanel.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/SettingsRecord.h"
#include "support/FileBytes.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

using Kind = ScriptedDialogs::Kind;
using Answer = Dialogs::Answer;
Q_DECLARE_METATYPE(Dialogs::Answer)
Q_DECLARE_METATYPE(ScriptedDialogs::Kind)

namespace {

const QDateTime kMoment(QDate(2026, 12, 8), QTime(14, 5, 9));
const SettingsRecord kSettings = SampleSettings();
const QString kSavedPath = u"Кардолист/2026/ZPSV001231234567812202600007"_s;
const QString kPayrollFilter = u"ZPSV|ZPSV*"_s;
const QString kTextFilter = SheetRowsFilter();
const QString kChangesQuestion = u"Сохранить изменения?"_s;
const QString kTotal = u"Общая сумма : "_s;

// The window before a load: a register that is not the file's.
const PayrollHeader kBeforeHeader{u"00042"_s, u"01.02.2026"_s, 1, u"2025"_s};
const QList<PayrollRow> kBeforeRows{{u"Старый Сотрудник"_s, u"8600000000000001"_s, u"10.00"_s},
                                    {u"Другой Сотрудник"_s, u"8600000000000002"_s, u"20.00"_s}};

// Header line of a file for register 00009 of January 2026.
const QString kFileHeader = u"H\t0000000001\t05.01.2026 10:00:00\t00123\t12345678\t05.01.2026\t01\t2026\t00009\t"_s;
const PayrollHeader kFileHeaderFields{u"00009"_s, u"05.01.2026"_s, 0, u"2026"_s};

QByteArray cp1251(const QString &text)
{
    return Cp1251::encode(text);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Rows as comparable text, so that a failure shows which cell differs.
QStringList rowTexts(const PayrollRows &rows)
{
    QStringList out;
    for (const PayrollRow &r : rows)
        out << r.name + u'|' + r.card + u'|' + r.amount;
    return out;
}

// The open dialog may move the working directory, or fail outright.
class WanderingDialogs : public ScriptedDialogs
{
public:
    QString wanderTo;
    bool throwInDialog = false;

    QString openFileName(QWidget *parent, const QString &filter) override
    {
        const QString picked = ScriptedDialogs::openFileName(parent, filter);
        if (!wanderTo.isEmpty())
            QDir::setCurrent(wanderTo);
        if (throwInDialog)
            throw UserError(u"dialog failed"_s);
        return picked;
    }
};

} // namespace

class TestPayrollOpen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menus();
    void roundTrip();
    void failures_data();
    void failures();
    void loads_data();
    void loads();
    void saveQuestionBeforeOpen_data();
    void saveQuestionBeforeOpen();
    void leavingTheGrid_data();
    void leavingTheGrid();
    void workingDirectoryRestored_data();
    void workingDirectoryRestored();
    void print_data();
    void print();
    void aboutIsModal();
    void hundredThousandRows();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void trigger(const char *action) { m_driver.trigger(QLatin1String(action)); }
    QString label(const char *name) const { return m_driver.text(QLatin1String(name)); }
    PayrollGrid *grid() const { return m_driver.child<PayrollGrid>(u"mainGrid"_s); }
    PayrollHeaderPanel *panel() const { return m_driver.child<PayrollHeaderPanel>(u"headerGroup"_s); }
    PayrollHeader header() const { return panel()->header(); }
    void setBefore(bool changed);
    void verifyLoaded(const QStringList &rows, const QString &total);

    std::unique_ptr<QTemporaryDir> m_dir;
    WanderingDialogs m_dialogs;
    FixedClock m_clock{kMoment};
    std::unique_ptr<PayrollWindow> m_form;
    WindowDriver m_driver;
};

void TestPayrollOpen::init()
{
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
    m_driver.setWindow(m_form.get());
    // Out of the grid, whose exit counts as a change.
    m_driver.child(u"year"_s)->setFocus();
    QVERIFY(!m_form->isModified());
}

void TestPayrollOpen::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

void TestPayrollOpen::setBefore(bool changed)
{
    // The header typed, the rows imported: the import asks about the header first.
    panel()->setHeader(kBeforeHeader);
    QStringList lines;
    for (const PayrollRow &r : kBeforeRows)
        lines << r.name + u'\t' + r.card + u'\t' + r.amount;
    writeFile(path(u"before.txt"_s), cp1251(lines.join(u"\r\n"_s)));
    m_dialogs.setNextAnswer(Answer::No);
    m_dialogs.setNextFileName(path(u"before.txt"_s));
    trigger("importTextAction");
    QCOMPARE(rowTexts(m_form->model()->rows()), rowTexts(kBeforeRows));
    // The focus leaves the window, as to another program, and comes back
    // to the year: leaving the grid for a field would count as a change.
    WindowDriver::focus()->clearFocus();
    m_driver.child(u"year"_s)->setFocus();
    QVERIFY(!m_form->isModified());
    if (changed) {
        WindowDriver::clickCell(grid(), 0, PayrollModel::NameColumn);
        grid()->cellEditor()->end(false);
        WindowDriver::type(u"а\b"_s);
        m_driver.child(u"year"_s)->setFocus();
        QVERIFY(m_form->isModified());
    }
    m_dialogs.clear();
    m_dialogs.filters.clear();
    m_dialogs.loadsShown = m_dialogs.loadSteps = 0;
}

// What every finished load leaves: the rows, counter and totals, no unsaved
// changes, the focus in the grid on the last row, scrolled to the bottom.
void TestPayrollOpen::verifyLoaded(const QStringList &rows, const QString &total)
{
    PayrollGrid *grid = this->grid();
    QCOMPARE(rowTexts(m_form->model()->rows()), rows);
    QCOMPARE(label("StatusPanel0"), u"Всего записей :"_s + QString::number(rows.size()));
    QCOMPARE(label("StatusPanel1"), kTotal + total);
    QCOMPARE(label("overallSumma"), kTotal + total);
    QVERIFY(!m_form->isModified());
    QCOMPARE(grid->currentRow(), int(rows.size()) - 1);
    QCOMPARE(grid->currentColumn(), int(PayrollModel::NameColumn));
    // A progress dialog (a slow load) hands the activation back through the event loop.
    QTRY_COMPARE(QApplication::focusWidget(), grid->cellEditor());
    const QScrollBar *bar = m_form->findChild<QScrollArea *>(u"gridScrollArea"_s)->verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());
}

void TestPayrollOpen::menus()
{
    QMenu *file = m_form->findChild<QMenu *>(u"fileMenu"_s);
    QStringList items;
    for (QAction *a : file->actions())
        items << a->text().remove(u'&');
    QCOMPARE(items, (QStringList{u"Открыть"_s, u"Открыть из *.txt"_s, u"Сохранить"_s, u"Печать"_s,
                                 u"Предварительный просмотр"_s, u"Последние файлы"_s, QString(), u"Выход"_s}));
    QStringList bar;
    for (QAction *a : m_form->menuBar()->actions())
        bar << a->text().remove(u'&');
    QCOMPARE(bar, (QStringList{u"Файл"_s, u"Правка"_s, u"Сервис"_s, u"Настройки"_s, u"О программе"_s}));
}

void TestPayrollOpen::roundTrip()
{
    panel()->setHeader({u"7"_s, u"08.12.2026"_s, 11, u"2026"_s});
    m_form->model()->setRows({{u"Иванов Иван Иванович"_s, u"8600123412341234"_s, u"1500000.00"_s},
                              {u"Сёмина Анна"_s, u"8600000000000003"_s, u"0.75"_s}});
    m_form->findChild<QAction *>(u"saveAction"_s)->trigger();
    const QByteArray saved = FileBytes(kSavedPath);
    QVERIFY(!saved.isEmpty());

    setBefore(false);
    m_dialogs.clear();
    const QString full = QDir::current().absoluteFilePath(kSavedPath);
    m_dialogs.setNextFileName(full);
    trigger("openAction");

    QCOMPARE(m_dialogs.texts(), QStringList{kPayrollFilter});
    QCOMPARE(header(), (PayrollHeader{u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s}));
    verifyLoaded({u"Иванов Иван Иванович|8600123412341234|1 500 000.00"_s, u"Сёмина Анна|8600000000000003|0.75"_s},
                 u"1 500 000.75"_s);
    QCOMPARE(m_form->windowTitle(), u"Кардолист - "_s + full);

    // Saving over the opened file asks first; the same moment gives the same bytes.
    m_dialogs.clear();
    m_dialogs.setNextAnswer(Answer::Yes);
    m_form->findChild<QAction *>(u"saveAction"_s)->trigger();
    QCOMPARE(m_dialogs.shown.size(), 2);
    QCOMPARE(m_dialogs.shown[0].caption, u"Сохранение файла"_s);
    QCOMPARE(m_dialogs.shown[0].text, u"Вы действительно хотите перезаписать данный файл?"_s);
    QCOMPARE(FileBytes(kSavedPath), saved);
    QVERIFY(!m_form->isModified());

    // Rows imported from a text over the opened register: the question says
    // how many rows the file has and how many the grid has.
    writeFile(path(u"three.txt"_s), cp1251(u"А\t1\t1\r\nБ\t2\t2\r\nВ\t3\t3\r\n"_s));
    m_dialogs.clear();
    m_dialogs.setNextFileName(path(u"three.txt"_s));
    trigger("importTextAction");
    m_dialogs.clear();
    m_dialogs.setNextAnswer(Answer::No);
    m_form->findChild<QAction *>(u"saveAction"_s)->trigger();
    QCOMPARE(m_dialogs.texts(),
             QStringList{u"Вы действительно хотите перезаписать данный файл?\nСтрок в файле: 2, в таблице: 3."_s});
    QCOMPARE(FileBytes(kSavedPath), saved);
}

enum class Outcome { Unchanged, MonthApplied, RowsIn };

void TestPayrollOpen::failures_data()
{
    QTest::addColumn<bool>("text");
    QTest::addColumn<QByteArray>("content"); // null: no file there
    QTest::addColumn<bool>("unsaved");       // then Cancel at the question
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("message");    // %1: the file's path
    QTest::addColumn<int>("outcome");

    const QByteArray trailer = "T\t0000000003\t00000000\t\r\n";
    QTest::newRow("bad first line") << false << QByteArray("X\r\nD\t2\tA\t1\t1\t\r\n") << false << Kind::Information
                                    << u"Неверный формат файла!"_s << int(Outcome::Unchanged);
    QTest::newRow("payroll file unreadable") << false << QByteArray() << false << Kind::Error
                                             << u"Cannot open file \"%1\". No such file or directory."_s
                                             << int(Outcome::Unchanged);
    QTest::newRow("text file unreadable")
            << true << QByteArray() << false << Kind::Information
            << u"Не могу открыть файл. Возможно файл занят другим приложением или у вас нет доступа к данному файлу"_s
            << int(Outcome::Unchanged);
    QTest::newRow("month not a whole number")
            << false << cp1251(u"H\t1\t05.01.2026 10:00:00\t00123\t12345678\t05.01.2026\t1x\t2026\t00009\t\r\n"_s + u"D\t2\tА\t1\t1\t\r\n"_s)
                            + trailer
            << false << Kind::Error << u"'1x' is not a valid integer value."_s << int(Outcome::MonthApplied);
    QTest::newRow("amount not a number in a payroll file")
            << false << cp1251(kFileHeader + u"\r\nD\t2\tА\t1\t12x\t\r\nD\t3\tБ\t2\t5\t\r\n"_s) + trailer << false
            << Kind::Error << u"Строка 1: '12x' is not a valid floating point value."_s << int(Outcome::RowsIn);
    QTest::newRow("amount not a number in a text") << true << cp1251(u"А\t1\t12x\r\nБ\t2\t5\r\n"_s) << false
                                                   << Kind::Error << u"Строка 1: '12x' is not a valid floating point value."_s
                                                   << int(Outcome::RowsIn);
    QTest::newRow("cancel at the save question") << false << cp1251(kFileHeader + u"\r\n"_s) + trailer << true
                                                 << Kind::Question << kChangesQuestion << int(Outcome::Unchanged);
}

void TestPayrollOpen::failures()
{
    QFETCH(bool, text);
    QFETCH(QByteArray, content);
    QFETCH(bool, unsaved);
    QFETCH(Kind, kind);
    QFETCH(QString, message);
    QFETCH(int, outcome);

    const QString file = path(text ? u"in/rows.txt"_s : u"in/ZPSV1"_s);
    if (!content.isNull())
        writeFile(file, content);
    setBefore(unsaved);
    m_dialogs.setNextFileName(file);
    if (unsaved)
        m_dialogs.setNextAnswer(Answer::Cancel);
    trigger(text ? "importTextAction" : "openAction");

    QCOMPARE(m_dialogs.shown.last().kind, kind);
    QCOMPARE(m_dialogs.lastText(), message.contains(u"%1"_s) ? message.arg(file) : message);
    // The load's progress went before its message.
    QCOMPARE(m_dialogs.messagesDuringLoad, 0);
    QCOMPARE(m_dialogs.loadsOpen, 0);
    QCOMPARE(m_form->windowTitle(), u"Кардолист"_s);
    switch (Outcome(outcome)) {
    case Outcome::Unchanged:
        QCOMPARE(m_dialogs.filters.size(), unsaved ? 0 : 1);
        QCOMPARE(header(), kBeforeHeader);
        QCOMPARE(rowTexts(m_form->model()->rows()), rowTexts(kBeforeRows));
        QCOMPARE(m_form->isModified(), unsaved);
        break;
    case Outcome::MonthApplied:
        // The grid was emptied and the register number set; the rest stays.
        QCOMPARE(header(), (PayrollHeader{u"00009"_s, kBeforeHeader.date, 1, kBeforeHeader.year}));
        QCOMPARE(rowTexts(m_form->model()->rows()), QStringList{u"||"_s});
        QVERIFY(m_form->isModified());
        break;
    case Outcome::RowsIn:
        QCOMPARE(m_form->model()->rowCount(), 2);
        QCOMPARE(m_form->model()->cell(0, PayrollModel::AmountColumn), u"12x"_s);
        QCOMPARE(header(), text ? kBeforeHeader : kFileHeaderFields);
        // No total of the register before, and the bad amount current for typing.
        QCOMPARE(label("overallSumma"), kTotal + u"0.00"_s);
        QCOMPARE(label("StatusPanel1"), kTotal + u"0.00"_s);
        QVERIFY(m_form->isModified());
        QCOMPARE(grid()->currentRow(), 0);
        QCOMPARE(grid()->currentColumn(), int(PayrollModel::AmountColumn));
        QCOMPARE(QApplication::focusWidget(), grid()->cellEditor());
        WindowDriver::type(u"\b\b\b7"_s);
        QCOMPARE(m_form->model()->cell(0, PayrollModel::AmountColumn), u"7"_s);
        WindowDriver::clickCell(grid(), 1, PayrollModel::NameColumn);
        QCOMPARE(grid()->currentRow(), 1);
        QCOMPARE(label("overallSumma"), kTotal + u"12.00"_s);
        break;
    }
}

void TestPayrollOpen::loads_data()
{
    QTest::addColumn<bool>("text");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("total");

    const QByteArray trailer = "T\t0000000009\t00000000\t\r\n";
    QTest::newRow("CR LF, LF, CR, an empty line, comma")
            << false
            << cp1251(kFileHeader + u"\r\nD\t2\tАнна\t1\t1.50\t\nD\t3\tБорис\t2\t2,50\t\r\rD\t4\tВера\t3\t3\t\r\n"_s)
                            + trailer
            << QStringList{u"Анна|1|1.50"_s, u"Борис|2|2.50"_s, u"Вера|3|3.00"_s} << u"7.00"_s;
    QTest::newRow("no trailer keeps the last detail line")
            << false << cp1251(kFileHeader + u"\r\nD\t2\tАнна\t1\t1\t\r\nD\t3\tБорис\t2\t2\t\r\n"_s)
            << QStringList{u"Анна|1|1.00"_s, u"Борис|2|2.00"_s} << u"3.00"_s;
    QTest::newRow("payroll file without rows") << false << cp1251(kFileHeader + u"\r\n"_s) + trailer
                                               << QStringList{u"||0.00"_s} << u"0.00"_s;
    QTest::newRow("text with blanks in the card and a comma")
            << true << cp1251(u"Петров Пётр\t8600 1234 5678 9012\t1 000,00\r\n\t\t\r\nСидоров\t7\t0,5"_s)
            << QStringList{u"Петров Пётр|8600123456789012|1 000.00"_s, u"Сидоров|7|0.50"_s} << u"1 000.50"_s;
    QTest::newRow("empty text") << true << QByteArray("") << QStringList{u"||0.00"_s} << u"0.00"_s;
}

void TestPayrollOpen::loads()
{
    QFETCH(bool, text);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, rows);
    QFETCH(QString, total);

    const QString file = path(text ? u"in/rows.txt"_s : u"in/ZPSV1"_s);
    writeFile(file, content);
    setBefore(false);
    m_dialogs.setNextFileName(file);
    trigger(text ? "importTextAction" : "openAction");

    QCOMPARE(m_dialogs.texts(), QStringList{text ? kTextFilter : kPayrollFilter});
    verifyLoaded(rows, total);
    QCOMPARE(m_dialogs.loadsShown, 1);
    QCOMPARE(m_dialogs.loadSteps, 2);
    QCOMPARE(m_dialogs.loadsOpen, 0);
    if (text) {
        // The text brings rows only.
        QCOMPARE(header(), kBeforeHeader);
        QCOMPARE(m_form->windowTitle(), u"Кардолист"_s);
    } else {
        QCOMPARE(header(), kFileHeaderFields);
        QCOMPARE(m_form->windowTitle(), u"Кардолист - "_s + file);
    }
}

void TestPayrollOpen::saveQuestionBeforeOpen_data()
{
    QTest::addColumn<QString>("amount");      // of the register in the window
    QTest::addColumn<QString>("card");
    QTest::addColumn<bool>("blockSave");      // a folder where the save goes
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("texts");   // %cwd: the working directory
    QTest::addColumn<bool>("opened");

    const QString saved = u"Файл успешно сохранён как %cwd/"_s + kSavedPath;
    const QString notFilled =
            u"Таблица не заполнена! Заполните поля в таблице, затем повторно нажмите \"Сохранить\""_s;
    const QString cannotReplace = u"Не смог перезаписать файл. Может быть файл занят другим приложением. "
                                  u"Закройте все приложения, использующие этот файл и повторите процедуру! "
                                  u"Это папка"_s;
    const QString card = u"8600123412341234"_s;
    QTest::newRow("no discards") << u"5"_s << card << false << Answer::No
                                 << QStringList{kChangesQuestion, kPayrollFilter} << true;
    QTest::newRow("yes saves, then opens") << u"5"_s << card << false << Answer::Yes
                                           << QStringList{kChangesQuestion, saved, kPayrollFilter} << true;
    QTest::newRow("yes, a check refuses, opens all the same")
            << u"5"_s << QString() << false << Answer::Yes << QStringList{kChangesQuestion, notFilled, kPayrollFilter}
            << true;
    QTest::newRow("yes, the write fails: the register stays")
            << u"5"_s << card << true << Answer::Yes << QStringList{kChangesQuestion, cannotReplace} << false;
    QTest::newRow("yes, an amount not a number: the register stays")
            << u"5x"_s << card << false << Answer::Yes
            << QStringList{kChangesQuestion, u"'5x' is not a valid floating point value."_s} << false;
}

void TestPayrollOpen::saveQuestionBeforeOpen()
{
    QFETCH(QString, amount);
    QFETCH(QString, card);
    QFETCH(bool, blockSave);
    QFETCH(Answer, answer);
    QFETCH(QStringList, texts);
    QFETCH(bool, opened);

    const QString file = path(u"in/ZPSV1"_s);
    writeFile(file, cp1251(kFileHeader + u"\r\nD\t2\tАнна\t1\t1\t\r\nT\t3\t0\t\r\n"_s));
    if (blockSave)
        QVERIFY(QDir().mkpath(kSavedPath));
    panel()->setHeader({u"7"_s, u"08.12.2026"_s, 11, u"2026"_s});
    m_form->model()->setRows({{u"Иванов"_s, card, amount}});
    QVERIFY(m_form->isModified());
    m_dialogs.setNextAnswer(answer);
    m_dialogs.setNextFileName(file);
    trigger("openAction");

    QCOMPARE(m_dialogs.texts(), texts.replaceInStrings(u"%cwd"_s, QDir::currentPath()));
    QCOMPARE(QFileInfo(kSavedPath).isFile(), texts.size() == 3 && texts[1].startsWith(u"Файл успешно"_s));
    if (opened) {
        QCOMPARE(rowTexts(m_form->model()->rows()), QStringList{u"Анна|1|1.00"_s});
        QVERIFY(!m_form->isModified());
    } else {
        QCOMPARE(m_form->model()->cell(0, PayrollModel::NameColumn), u"Иванов"_s);
        QVERIFY(m_form->isModified());
    }
}

// The open starts by moving the focus to the year box: leaving the grid is
// no change, and an amount that is not a number waits for the next cell
// selection or the save to report it.
void TestPayrollOpen::leavingTheGrid_data()
{
    QTest::addColumn<QString>("amount");
    QTest::newRow("good amount") << u"5"_s;
    QTest::newRow("amount not a number") << u"5x"_s;
}

void TestPayrollOpen::leavingTheGrid()
{
    QFETCH(QString, amount);

    m_form->model()->setRows({{u"Иванов"_s, u"1"_s, amount}});
    grid()->focusCellEditor();
    QVERIFY(!m_form->isModified());
    trigger("openAction");
    QCOMPARE(m_dialogs.texts(), QStringList{kPayrollFilter});
    QVERIFY(!m_form->isModified());
}

void TestPayrollOpen::workingDirectoryRestored_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<bool>("throwInDialog");
    QTest::addColumn<QString>("lastText");

    QTest::newRow("a file opened") << true << false << kPayrollFilter;
    QTest::newRow("the reader failed") << false << false << u"Cannot open file"_s;
    QTest::newRow("the dialog failed") << true << true << u"dialog failed"_s;
}

void TestPayrollOpen::workingDirectoryRestored()
{
    QFETCH(bool, fileExists);
    QFETCH(bool, throwInDialog);
    QFETCH(QString, lastText);

    const QString file = path(u"in/picked"_s);
    if (fileExists)
        writeFile(file, cp1251(kFileHeader + u"\r\nD\t2\tАнна\t1\t1\t\r\nT\t3\t0\t\r\n"_s));
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    m_dialogs.wanderTo = elsewhere.path();
    m_dialogs.throwInDialog = throwInDialog;
    m_dialogs.setNextFileName(file);
    trigger("openAction");

    QVERIFY(m_dialogs.lastText().startsWith(lastText));
    QCOMPARE(QDir::currentPath(), before);
}

void TestPayrollOpen::print_data()
{
    QTest::addColumn<bool>("button");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QList<Kind>>("kinds");

    QTest::newRow("menu, dialog cancelled") << false << u"5"_s << QList<Kind>{Kind::PrintSetup};
    QTest::newRow("button, dialog cancelled") << true << QString() << QList<Kind>{Kind::PrintSetup};
    QTest::newRow("button, amount not a number") << true << u"5x"_s << QList<Kind>{Kind::Error};
}

void TestPayrollOpen::print()
{
    QFETCH(bool, button);
    QFETCH(QString, amount);
    QFETCH(QList<Kind>, kinds);

    m_form->model()->setRows({{u"Иванов"_s, u"1"_s, amount}});
    if (button)
        QTest::mouseClick(m_form->findChild<QPushButton *>(u"printButton"_s), Qt::LeftButton);
    else
        trigger("printAction");

    QList<Kind> shown;
    for (const auto &s : m_dialogs.shown)
        shown << s.kind;
    QCOMPARE(shown, kinds);
    if (kinds.first() == Kind::Error)
        QCOMPARE(m_dialogs.lastText(), u"'5x' is not a valid floating point value."_s);
}

void TestPayrollOpen::aboutIsModal()
{
    AboutDialog about(nullptr, &m_dialogs);
    connect(m_form.get(), &PayrollWindow::aboutRequested, &about, [&about] { about.exec(); });
    QWidget *modal = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer::singleShot(0, this, [&] {
        modal = QApplication::activeModalWidget();
        modality = about.windowModality();
        about.accept();
    });
    trigger("aboutAction");
    QCOMPARE(modal, &about);
    QCOMPARE(modality, Qt::ApplicationModal);
    QVERIFY(!about.isVisible());
    QVERIFY(m_dialogs.shown.isEmpty());
}

// A register of 100,000 rows opens in one go, and the grid still edits it.
void TestPayrollOpen::hundredThousandRows()
{
    const int count = 100000;
    QList<PayrollRow> rows;
    rows.reserve(count);
    for (int i = 1; i <= count; ++i)
        rows.append({u"Сотрудник %1"_s.arg(i), u"8600%1"_s.arg(i, 12, 10, QLatin1Char('0')), u"1000.25"_s});
    const QString file = path(u"in/ZPSVbig"_s);
    writeFile(file, BuildPayrollFile(kSettings, kFileHeaderFields, rows, kMoment));

    QElapsedTimer timer;
    timer.start();
    m_dialogs.setNextFileName(file);
    trigger("openAction");
    qInfo("opened %d rows in %lld ms", count, timer.elapsed());

    QCOMPARE(m_form->model()->rowCount(), count);
    QCOMPARE(label("StatusPanel0"), u"Всего записей :100000"_s);
    QCOMPARE(label("overallSumma"), kTotal + u"100 025 000.00"_s);
    QCOMPARE(grid()->currentRow(), count - 1);
    QVERIFY(!m_form->isModified());

    // Typing into the last amount changes the total on the next selection.
    PayrollGrid *grid = this->grid();
    QVERIFY(grid->selectCell(count - 1, PayrollModel::AmountColumn));
    grid->cellEditor()->selectAll();
    QTest::keyClicks(grid->cellEditor(), u"7"_s);
    QVERIFY(grid->selectCell(count - 1, PayrollModel::NameColumn));
    QCOMPARE(label("overallSumma"), kTotal + u"100 024 006.75"_s);
    QVERIFY(m_form->isModified());
}

QTEST_MAIN(TestPayrollOpen)
#include "tst_payrollwindowopen.moc"
