#include "common/UserError.h"
#include "common/print/PrintoutRenderer.h"
#include "common/ui/PrintJob.h"
#include "payroll/AmountInWords.h"
#include "payroll/PayrollPrintout.h"
#include "payroll/ui/PayrollPrinting.h"
#include "settings/SettingsRecord.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(PayrollRow)

namespace {

const QString kRule(97, u'-');
const QString kColumns = u"|№   |    Фамилия Имя Отчество                  |       № карты         |          Сумма        |"_s;
const QString kDirector = u"Руководитель__________________________________________________________________________________"_s;
const QString kAccountant = u"Глав. бухгалтер_______________________________________________________________________________"_s;

SettingsRecord Settings()
{
    return {u"12345678"_s, u"ООО «Ромашка»"_s, u"00450"_s};
}

PayrollHeader Header()
{
    return {u"00007"_s, u"05.03.2026"_s, 2, u"2026"_s};
}

QList<PayrollRow> Rows(int n)
{
    QList<PayrollRow> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({u"Сотрудник %1"_s.arg(i), u"8600%1"_s.arg(i, 12, 10, QLatin1Char('0')), u"100.00"_s});
    return rows;
}

// The item whose text starts with the row's number column.
PrintItem RowItem(const Printout &printout, int number)
{
    const QString prefix = u'|' + PadRowNumber(number) + u'|';
    for (const PrintItem &item : printout.items())
        if (item.text.startsWith(prefix))
            return item;
    return {};
}

QString Run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Dialogs whose printer dialog chooses a PDF file, copies and a page range.
class PdfChoosingDialogs : public ScriptedDialogs
{
public:
    QString file;
    int copies = 1;
    bool collate = true;
    int from = 0, to = 0;
    bool printSetup(QWidget *parent, QPrinter &printer) override
    {
        ScriptedDialogs::printSetup(parent, printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setCopyCount(copies);
        printer.setCollateCopies(collate);
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        return !file.isEmpty();
    }
};

} // namespace

class TestPayrollPrintout : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void oneRowRegister();
    void rowColumns_data();
    void rowColumns();
    void paging_data();
    void paging();
    void pagesStandAlone_data();
    void pagesStandAlone();
    void noRowsPrintOneBlankRow();
    void wordsBreakAfterSum();
    void splitWords_data();
    void splitWords();
    void refusedBeforeLayout_data();
    void refusedBeforeLayout();
    void totalLeavesTheRangeOnlyOnTheWay();
    void fontIsFixedPitch();
    void pdfReadsBack();
    void printDialogChoices_data();
    void printDialogChoices();
    void cancelledRunKeepsTheOldFile_data();
    void cancelledRunKeepsTheOldFile();
    void printErrorsBeforeDialog();
    void previewShowsTheRegister();

private:
    QTemporaryDir m_dir;
};

void TestPayrollPrintout::init()
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
    WriteSettingsRecord(Settings());
}

void TestPayrollPrintout::oneRowRegister()
{
    const Printout printout = LayOutPayroll({{u"Иванов Иван Иванович"_s, u"8600123456789012"_s, u"1500000"_s}},
                                           Header(), Settings());
    const QList<PrintItem> expected = {
        {0, 350, 400, u"Филиал : 00450"_s},
        {0, 350, 500, u"Клиент : [12345678] ООО «Ромашка»"_s},
        {0, 1800, 600, u"ВЕДОМОСТЬ № 00007"_s},
        {0, 1800, 700, u"oт 05.03.2026"_s},
        {0, 1400, 800, u"на зачисление заработной платы за Март 2026 г."_s},
        {0, 350, 900, kRule},
        {0, 350, 1000, kColumns},
        {0, 350, 1100, kRule},
        {0, 350, 1200, u"|1   | Иванов Иван Иванович                     |8600123456789012       |           1 500 000.00|"_s},
        {0, 350, 1300, kRule},
        {0, 350, 1400, u"ИТОГО:                                                                              1 500 000.00"_s},
        {0, 350, 1500, u"Один миллион пятьсот тысяч сум 00 тийин"_s},
        {0, 350, 6100, kDirector},
        {0, 350, 6300, kAccountant},
    };
    QCOMPARE(printout.items(), expected);
    QCOMPARE(printout.pageCount, 1);
    QCOMPARE(printout.items()[3].text[0], QLatin1Char('o'));
}

void TestPayrollPrintout::rowColumns_data()
{
    QTest::addColumn<PayrollRow>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("amount");

    const QString name40 = u"Абдуллаева-Константинопольская Александр"_s; // 40 characters
    QTest::newRow("name of 40") << PayrollRow{name40, u"1"_s, u"1"_s} << name40 + u' ' << u"1"_s << u"1.00"_s;
    QTest::newRow("name of 41 is cut") << PayrollRow{name40 + u'ы', u"1"_s, u"1"_s} << name40 + u' ' << u"1"_s << u"1.00"_s;
    QTest::newRow("name of 45 is cut") << PayrollRow{name40 + u"ович"_s + u'!', u"1"_s, u"1"_s}
                                       << name40 + u' ' << u"1"_s << u"1.00"_s;
    QTest::newRow("amount plain") << PayrollRow{u"А"_s, u"1"_s, u"1500000.00"_s} << u"А"_s << u"1"_s << u"1 500 000.00"_s;
    QTest::newRow("amount display") << PayrollRow{u"А"_s, u"1"_s, u"1 500 000.00"_s} << u"А"_s << u"1"_s << u"1 500 000.00"_s;
    QTest::newRow("empty amount") << PayrollRow{u"А"_s, u"1"_s, QString()} << u"А"_s << u"1"_s << u"0.00"_s;
    QTest::newRow("blank amount") << PayrollRow{u"А"_s, u"1"_s, u"  "_s} << u"А"_s << u"1"_s << u"0.00"_s;
    QTest::newRow("zero amount") << PayrollRow{u"А"_s, u"1"_s, u"0.00"_s} << u"А"_s << u"1"_s << u"0.00"_s;
    QTest::newRow("card of 22") << PayrollRow{u"А"_s, QString(22, u'7'), u"1"_s} << u"А"_s << QString(22, u'7') << u"1.00"_s;
    QTest::newRow("empty row") << PayrollRow{} << QString() << QString() << u"0.00"_s;
}

void TestPayrollPrintout::rowColumns()
{
    QFETCH(PayrollRow, row);
    QFETCH(QString, name);
    QFETCH(QString, card);
    QFETCH(QString, amount);

    const Printout printout = LayOutPayroll({row}, Header(), Settings());
    const QString line = RowItem(printout, 1).text;
    QCOMPARE(line.size(), 97);
    for (qsizetype i = 0; i < 97; ++i)
        QCOMPARE(line[i] == u'|', kColumns[i] == u'|');
    QCOMPARE(line.mid(7, 41).trimmed(), name.trimmed());
    QCOMPARE(line.mid(7, 41).left(name.size()), name);
    QCOMPARE(line.mid(49, 23).trimmed(), card);
    QCOMPARE(line.mid(73, 23), QString(23 - amount.size(), u' ') + amount);
}

void TestPayrollPrintout::paging_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("twoWordLines");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("lastRowPage");
    QTest::addColumn<int>("lastRowY");
    QTest::addColumn<int>("rulePage");
    QTest::addColumn<int>("ruleY");

    // The page breaks after every 6100 line, even after the last row.
    QTest::newRow("1") << 1 << false << 1 << 0 << 1200 << 0 << 1300;
    QTest::newRow("45, words on two lines") << 45 << true << 1 << 0 << 5600 << 0 << 5700;
    QTest::newRow("46") << 46 << false << 1 << 0 << 5700 << 0 << 5800;
    QTest::newRow("50") << 50 << false << 2 << 0 << 6100 << 1 << 200;
    QTest::newRow("51") << 51 << false << 2 << 1 << 200 << 1 << 300;
    QTest::newRow("106") << 106 << false << 2 << 1 << 5700 << 1 << 5800;
    QTest::newRow("110") << 110 << false << 3 << 1 << 6100 << 2 << 200;
    QTest::newRow("111") << 111 << false << 3 << 2 << 200 << 2 << 300;

    // A closing block that would reach the signature line at 6100 moves to
    // the next page whole.
    QTest::newRow("46, words on two lines") << 46 << true << 2 << 0 << 5700 << 1 << 200;
    QTest::newRow("47") << 47 << false << 2 << 0 << 5800 << 1 << 200;
    QTest::newRow("48") << 48 << false << 2 << 0 << 5900 << 1 << 200;
    QTest::newRow("49") << 49 << true << 2 << 0 << 6000 << 1 << 200;
    QTest::newRow("106, words on two lines") << 106 << true << 3 << 1 << 5700 << 2 << 200;
    QTest::newRow("107") << 107 << false << 3 << 1 << 5800 << 2 << 200;
    QTest::newRow("108") << 108 << true << 3 << 1 << 5900 << 2 << 200;
    QTest::newRow("109") << 109 << false << 3 << 1 << 6000 << 2 << 200;
}

void TestPayrollPrintout::paging()
{
    QFETCH(int, rows);
    QFETCH(bool, twoWordLines);
    QFETCH(int, pages);
    QFETCH(int, lastRowPage);
    QFETCH(int, lastRowY);
    QFETCH(int, rulePage);
    QFETCH(int, ruleY);

    // 100.00 a row, or a first row that brings the total to 1 234 567.89,
    // whose words take two lines.
    QList<PayrollRow> register_ = Rows(rows);
    Money total = Money::fromTiyin(rows * 10000LL);
    if (twoWordLines) {
        total = Money::fromTiyin(123456789);
        register_[0].amount = Money::fromTiyin(123456789 - (rows - 1) * 10000LL).toDisplay();
    }
    const QStringList words = SplitWordsLine(AmountInWords(total));
    QCOMPARE(words.size(), twoWordLines ? 2 : 1);

    const Printout printout = LayOutPayroll(register_, Header(), Settings());
    QCOMPARE(printout.pageCount, pages);
    const PrintItem last = RowItem(printout, rows);
    QCOMPARE(last.page, lastRowPage);
    QCOMPARE(last.y, lastRowY);

    // Each row 100 below the one before, or at 200 on the next page.
    for (int i = 2; i <= rows; ++i) {
        const PrintItem a = RowItem(printout, i - 1);
        const PrintItem b = RowItem(printout, i);
        QVERIFY2((b.page == a.page && b.y == a.y + 100) || (b.page == a.page + 1 && a.y == 6100 && b.y == 200),
                 qPrintable(u"row %1"_s.arg(i)));
    }
    QCOMPARE(RowItem(printout, 1).y, 1200);
    if (rows >= 51)
        QCOMPARE(RowItem(printout, 51).y, 200);

    QList<PrintItem> closing = {{rulePage, 350, ruleY, kRule},
                                {rulePage, 350, ruleY + 100, PadTotal(total)}};
    for (qsizetype i = 0; i < words.size(); ++i)
        closing.append({rulePage, 350, ruleY + 200 + int(i) * 100, words[i]});
    closing.append({pages - 1, 350, 6100, kDirector});
    closing.append({pages - 1, 350, 6300, kAccountant});
    const QList<PrintItem> items = printout.items();
    QCOMPARE(items.mid(items.size() - closing.size()), closing);

    // Nothing overprints: on every page the lines stand at least one line apart.
    for (int p = 0; p < pages; ++p) {
        QList<int> ys;
        for (const PrintItem &item : items)
            if (item.page == p)
                ys.append(item.y);
        QVERIFY(!ys.isEmpty());
        std::sort(ys.begin(), ys.end());
        for (qsizetype i = 1; i < ys.size(); ++i)
            QVERIFY2(ys[i] - ys[i - 1] >= 100, qPrintable(u"page %1, y %2"_s.arg(p + 1).arg(ys[i])));
        QVERIFY(p == 0 || ys.first() >= 200);
    }
}

void TestPayrollPrintout::pagesStandAlone_data()
{
    QTest::addColumn<int>("rows");
    for (int rows : {49, 50, 51, 109, 110, 111})
        QTest::addRow("%d", rows) << rows;
}

void TestPayrollPrintout::pagesStandAlone()
{
    QFETCH(int, rows);
    QList<PayrollRow> register_ = Rows(rows);
    const Printout printout = LayOutPayroll(register_, Header(), Settings());
    const QList<PrintItem> inOrder = printout.items();

    // The rows may change or go once laid out: the printout keeps its own.
    register_[0].name = u"Другой"_s;
    register_.clear();

    // Asked last page first, each page holds exactly its own items.
    QList<PrintItem> backwards;
    for (int p = printout.pageCount - 1; p >= 0; --p) {
        const QList<PrintItem> page = printout.pageItems(p);
        QVERIFY(!page.isEmpty());
        QVERIFY(std::all_of(page.cbegin(), page.cend(), [p](const PrintItem &item) { return item.page == p; }));
        backwards = page + backwards;
    }
    QCOMPARE(backwards, inOrder);
    QCOMPARE(RowItem(printout, 1).text.mid(7, 12), u"Сотрудник 1 "_s);
    QVERIFY(printout.pageItems(printout.pageCount).isEmpty());
}

void TestPayrollPrintout::noRowsPrintOneBlankRow()
{
    const Printout printout = LayOutPayroll({}, Header(), Settings());
    QCOMPARE(printout.pageCount, 1);
    QCOMPARE(printout.items(), LayOutPayroll({PayrollRow{}}, Header(), Settings()).items());
}

void TestPayrollPrintout::wordsBreakAfterSum()
{
    // 1234567.89: 79 characters, the first space from position 70 follows "сум".
    const Printout printout = LayOutPayroll({{u"А"_s, u"1"_s, u"1 000 000.00"_s}, {u"Б"_s, u"2"_s, u"234567.89"_s}},
                                           Header(), Settings());
    const QList<PrintItem> items = printout.items();
    const qsizetype n = items.size();
    QCOMPARE(items[n - 5].text, PadTotal(Money::fromTiyin(123456789)));
    QCOMPARE(items[n - 4], (PrintItem{0, 350, 1600,
        u"Один миллион двести тридцать четыре тысячи пятьсот шестьдесят семь сум "_s}));
    QCOMPARE(items[n - 3], (PrintItem{0, 350, 1700, u"89 тийин"_s}));
}

void TestPayrollPrintout::splitWords_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QStringList>("lines");

    const QString a69 = QString(69, u'а');
    QTest::newRow("70 characters stay") << a69 + u' ' << QStringList{a69 + u' '};
    QTest::newRow("space at 70") << a69 + u" б"_s << QStringList{a69 + u' ', u"б"_s};
    QTest::newRow("space at 69 only") << QString(68, u'а') + u" бб"_s << QStringList{QString(68, u'а') + u" бб"_s};
    QTest::newRow("first space from 70") << QString(68, u'а') + u" бб в г"_s
                                         << QStringList{QString(68, u'а') + u" бб "_s, u"в г"_s};
}

void TestPayrollPrintout::splitWords()
{
    QFETCH(QString, words);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitWordsLine(words), lines);
}

void TestPayrollPrintout::refusedBeforeLayout_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("message");
    QTest::newRow("amount not a number") << QStringList{u"1.00"_s, u"12 a"_s, u"2.00"_s}
                                         << u"'12a' is not a valid floating point value"_s;
    QTest::newRow("negative total beyond the range")
            << QStringList{u"-600 000 000 000 000.00"_s, u"-600 000 000 000 000.00"_s}
            << Money::rangeMessage(u"-1200000000000000.00"_s);
    QTest::newRow("total beyond the range")
            << QStringList{u"999 999 999 999 999.99"_s, u"0.01"_s} << Money::rangeMessage(u"1000000000000000.00"_s);
    QTest::newRow("negative total beyond words")
            << QStringList{u"-1 000 000 000 000.00"_s} << u"Сумма -1 000 000 000 000.00 слишком велика"_s;
}

void TestPayrollPrintout::refusedBeforeLayout()
{
    QFETCH(QStringList, amounts);
    QFETCH(QString, message);
    QList<PayrollRow> rows;
    for (const QString &amount : amounts)
        rows.append({u"А"_s, u"1"_s, amount});
    try {
        LayOutPayroll(rows, Header(), Settings());
        QFAIL("laid out a register that cannot be printed");
    } catch (const UserError &e) {
        QVERIFY2(e.text().startsWith(message), qPrintable(e.text()));
    }
}

// The total alone must fit: rows that pass the limit and come back print.
void TestPayrollPrintout::totalLeavesTheRangeOnlyOnTheWay()
{
    const QList<PayrollRow> rows{{u"А"_s, u"1"_s, u"999 999 999 999 999.99"_s},
                                 {u"Б"_s, u"2"_s, u"1.00"_s},
                                 {u"В"_s, u"3"_s, u"-999 999 999 999 999.99"_s}};
    const QList<PrintItem> items = LayOutPayroll(rows, Header(), Settings()).items();
    QCOMPARE(items[items.size() - 4].text, PadTotal(Money::fromTiyin(100)));
    QCOMPARE(items[items.size() - 3].text, u"Один сум 00 тийин"_s);
}

void TestPayrollPrintout::fontIsFixedPitch()
{
    const QFontInfo info(PrintoutFont());
    QVERIFY2(info.fixedPitch(), qPrintable(info.family()));
}

void TestPayrollPrintout::pdfReadsBack()
{
    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    const QString pdfinfo = QStandardPaths::findExecutable(u"pdfinfo"_s);
    if (pdftotext.isEmpty() || pdfinfo.isEmpty())
        QSKIP("poppler-utils not installed");

    QList<PayrollRow> rows = Rows(111);
    rows[0] = {u"Ёлкина Фёкла Юрьевна"_s, u"8600123456789012"_s, u"1 234 467.89"_s};
    const QByteArray pdf = RenderPrintoutPdf(LayOutPayroll(rows, Header(), Settings()));
    QVERIFY(!pdf.isEmpty());
    QFile file(u"register.pdf"_s);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();

    QVERIFY(Run(pdfinfo, {file.fileName()}).contains(QRegularExpression(u"Pages:\\s+3\\n"_s)));
    // pdftotext guesses the width of blank runs: compare with blanks collapsed.
    const QString text = Run(pdftotext, {u"-layout"_s, file.fileName(), u"-"_s});
    QStringList pages = text.split(u'\f');
    QVERIFY(pages.size() >= 3);
    for (QString &page : pages)
        page = page.simplified();
    auto on = [&pages](int page, const QString &line) {
        if (pages[page].contains(line.simplified()))
            return true;
        qWarning("not on page %d: %s", page + 1, qPrintable(line));
        return false;
    };
    QVERIFY(on(0, u"Клиент : [12345678] ООО «Ромашка»"_s));
    QVERIFY(on(0, u"ВЕДОМОСТЬ № 00007"_s));
    QVERIFY(on(0, u"oт 05.03.2026"_s));
    QVERIFY(on(0, kColumns));
    QVERIFY(on(0, u"|1 | Ёлкина Фёкла Юрьевна |8600123456789012 | 1 234 467.89|"_s));
    QVERIFY(on(0, u"|50 | Сотрудник 50 |8600000000000050 | 100.00|"_s));
    QVERIFY(!pages[0].contains(u"|51 |"_s));
    QVERIFY(on(1, u"|51 | Сотрудник 51 |8600000000000051 | 100.00|"_s));
    QVERIFY(on(1, u"|110 | Сотрудник 110 |"_s));
    QVERIFY(on(2, u"|111 | Сотрудник 111 |"_s));
    QVERIFY(on(2, u"ИТОГО: 1 245 467.89"_s));
    for (const QString &line : SplitWordsLine(u"Один миллион двести сорок пять тысяч четыреста шестьдесят семь сум 89 тийин"_s))
        QVERIFY(on(2, line));
    QVERIFY(on(2, kDirector));
    QVERIFY(on(2, kAccountant));
    QVERIFY(!pages[1].contains(u"Руководитель"_s));

    const QString fonts = Run(QStandardPaths::findExecutable(u"pdffonts"_s), {file.fileName()});
    QVERIFY2(fonts.isEmpty() || fonts.contains(u"Mono"_s) || fonts.contains(u"Courier"_s), qPrintable(fonts));
}

void TestPayrollPrintout::printDialogChoices_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("pages");

    QTest::newRow("all") << 1 << true << 0 << 0 << QList<int>{0, 1, 2};
    QTest::newRow("range") << 1 << true << 2 << 3 << QList<int>{1, 2};
    QTest::newRow("range past the end") << 1 << true << 3 << 9 << QList<int>{2};
    QTest::newRow("collated copies") << 2 << true << 0 << 0 << QList<int>{0, 1, 2, 0, 1, 2};
    QTest::newRow("uncollated copies of a range") << 2 << false << 1 << 2 << QList<int>{0, 0, 1, 1};
}

void TestPayrollPrintout::printDialogChoices()
{
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<int>, pages);

    PdfChoosingDialogs dialogs;
    dialogs.file = QDir::current().absoluteFilePath(u"printed.pdf"_s);
    dialogs.copies = copies;
    dialogs.collate = collate;
    dialogs.from = from;
    dialogs.to = to;
    QFile::remove(dialogs.file);

    QPrinter probe;
    dialogs.printSetup(nullptr, probe);
    if (probe.supportsMultipleCopies() && copies > 1)
        QSKIP("the PDF printer makes copies itself");
    QCOMPARE(PagesToPrint(probe, 3), pages);

    QVERIFY(PrintPayroll(nullptr, dialogs, Rows(111), Header()));
    QFile printed(dialogs.file);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.readAll().startsWith("%PDF"));
    const QString pdfinfo = QStandardPaths::findExecutable(u"pdfinfo"_s);
    if (!pdfinfo.isEmpty())
        QVERIFY(Run(pdfinfo, {dialogs.file}).contains(u"Pages:           %1\n"_s.arg(pages.size())));
}

void TestPayrollPrintout::cancelledRunKeepsTheOldFile_data()
{
    QTest::addColumn<int>("cancelAfter");
    QTest::newRow("before the first page") << 0;
    QTest::newRow("after two pages") << 2;
    QTest::newRow("never") << -1;
}

void TestPayrollPrintout::cancelledRunKeepsTheOldFile()
{
    QFETCH(int, cancelAfter);
    PdfChoosingDialogs dialogs;
    dialogs.file = QDir::current().absoluteFilePath(u"printed.pdf"_s);
    dialogs.cancelPrintAfterPages = cancelAfter;
    QFile old(dialogs.file);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();

    QCOMPARE(PrintPayroll(nullptr, dialogs, Rows(111), Header()), cancelAfter < 0);
    QCOMPARE(dialogs.printPagesStarted, cancelAfter < 0 ? 3 : cancelAfter);
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray bytes = old.readAll();
    QVERIFY(cancelAfter < 0 ? bytes.startsWith("%PDF") : bytes == "old");
    QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden).filter(u"part"_s), QStringList());
}

void TestPayrollPrintout::printErrorsBeforeDialog()
{
    PdfChoosingDialogs dialogs;
    // Cancelled: nothing printed.
    QVERIFY(!PrintPayroll(nullptr, dialogs, Rows(2), Header()));
    QCOMPARE(dialogs.shown.size(), 1);

    // A bad amount stops before the dialog.
    dialogs.clear();
    dialogs.file = QDir::current().absoluteFilePath(u"never.pdf"_s);
    QList<PayrollRow> rows = Rows(2);
    rows[1].amount = u"."_s;
    QVERIFY_THROWS_EXCEPTION(UserError, PrintPayroll(nullptr, dialogs, rows, Header()));
    QVERIFY(dialogs.shown.isEmpty());
    QVERIFY(!QFile::exists(dialogs.file));
}

void TestPayrollPrintout::previewShowsTheRegister()
{
    ScriptedDialogs dialogs;
    const QString file = QDir::current().absoluteFilePath(u"preview.pdf"_s);
    dialogs.setPreviewPdf(file);
    PreviewPayroll(nullptr, dialogs, Rows(51), Header());
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].kind, ScriptedDialogs::Kind::PrintPreview);
    QCOMPARE(dialogs.shown[0].text, u"Ведомость № 00007"_s);

    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty())
        QSKIP("poppler-utils not installed");
    const QStringList pages = Run(pdftotext, {u"-layout"_s, file, u"-"_s}).split(u'\f');
    QVERIFY(pages.size() >= 2);
    QVERIFY(pages[0].simplified().contains(u"|50 | Сотрудник 50 |"_s));
    QVERIFY(pages[1].simplified().contains(u"|51 | Сотрудник 51 |"_s));
}

QTEST_MAIN(TestPayrollPrintout)
#include "tst_payrollprintout.moc"
