#include "common/sheet/DelimitedText.h"
#include "common/sheet/ImportTable.h"
#include "common/sheet/SheetCells.h"
#include "common/sheet/TableTabText.h"
#include "common/UserError.h"
#include "support/FileBytes.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString Sheets(const QString &name)
{
    return QStringLiteral(KARDOLIST_TEST_DATA "/sheets/") + name;
}

TableLayout PayrollLayout()
{
    TableLayout layout;
    layout.fieldCount = 3;
    layout.amountField = 2;
    layout.cardField = 1;
    return layout;
}

TableLayout ClientLayout()
{
    TableLayout layout;
    layout.fieldCount = 13;
    layout.dateField = 5;
    return layout;
}
} // namespace

class TestImportTable : public QObject
{
    Q_OBJECT
private slots:
    void fixtures_data();
    void fixtures();
    void workbookDates_data();
    void workbookDates();
    void refusals_data();
    void refusals();
    void xlsFormula();
    void sheetChoice();
    void numbers_data();
    void numbers();
    void dateFormats_data();
    void dateFormats();
    void delimited_data();
    void delimited();
    void header_data();
    void header();
    void plainTabTextPassesThrough();
    void columnMapping();
    void parseColumns_data();
    void parseColumns();
};

void TestImportTable::fixtures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("replacements");
    const int text = int(ImportFormat::Text);
    QTest::newRow("xlsx") << u"payroll.xlsx"_s << int(ImportFormat::Xlsx) << 0 << QString() << u"payroll_typed.txt"_s << 1;
    QTest::newRow("ods") << u"payroll.ods"_s << int(ImportFormat::Ods) << 0 << QString() << u"payroll_typed.txt"_s << 1;
    QTest::newRow("xls") << u"payroll_values.xls"_s << int(ImportFormat::Xls) << 0 << QString()
                         << u"payroll_typed.txt"_s << 1;
    QTest::newRow("UTF-8 CSV with BOM and ;") << u"payroll_utf8bom.csv"_s << text << int(TextEncoding::Utf8Bom)
                                              << u";"_s << u"payroll_typed.txt"_s << 1;
    QTest::newRow("Windows-1251 CSV, decimal commas") << u"payroll_cp1251.csv"_s << text
                                                      << int(TextEncoding::Windows1251) << u";"_s
                                                      << u"payroll_typed_commas.txt"_s << 0;
    QTest::newRow("UTF-16 LE Unicode text") << u"payroll_utf16.txt"_s << text << int(TextEncoding::Utf16Le)
                                            << u"\t"_s << u"payroll_typed.txt"_s << 1;
    QTest::newRow("comma CSV, quoted comma") << u"payroll_comma.csv"_s << text << int(TextEncoding::Utf8)
                                             << u","_s << u"payroll_typed.txt"_s << 1;
}

// Every export of the same register gives the bytes of the same rows typed as TAB text.
void TestImportTable::fixtures()
{
    QFETCH(QString, file);
    QFETCH(int, format);
    QFETCH(int, encoding);
    QFETCH(QString, separator);
    QFETCH(QString, typed);
    QFETCH(int, replacements);

    const ImportTable table = ReadImportTable(FileBytes(Sheets(file)));
    QCOMPARE(int(table.format), format);
    if (!table.isWorkbook()) {
        QCOMPARE(int(table.encoding), encoding);
        QCOMPARE(QString(table.separator), separator);
    }
    const TableTabText tab = ToTabText(table, PayrollLayout());
    QVERIFY2(tab.ok(), qPrintable(tab.refusal ? tab.refusal->message : QString()));
    QCOMPARE(tab.headerRow, 1);
    QCOMPARE(tab.bytes, FileBytes(Sheets(typed)));
    QCOMPARE(tab.replacements.size(), replacements);
    if (replacements) {
        QCOMPARE(tab.replacements[0].row, 2);
        QCOMPARE(tab.replacements[0].column, 0);
        QCOMPARE(tab.replacements[0].from, QChar(0x0492));
        QCOMPARE(tab.replacements[0].to, QChar(0x0413));
    }
}

void TestImportTable::workbookDates_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("xlsx") << u"payroll.xlsx"_s;
    QTest::newRow("ods") << u"payroll.ods"_s;
    QTest::newRow("xls") << u"payroll_values.xls"_s;
}

// Date cells, a leap day and the last day of a century among them; a formula by its value.
void TestImportTable::workbookDates()
{
    QFETCH(QString, file);
    const ImportTable table = ReadImportTable(FileBytes(Sheets(file)));
    QCOMPARE(table.rows.size(), 5);
    QCOMPARE(table.rows[2].row, 4);
    const QStringList dates = {u"15.01.2026"_s, u"01.02.2026"_s, u"31.12.1999"_s, u"29.02.2024"_s};
    for (int k = 0; k < dates.size(); ++k) {
        QCOMPARE(table.rows[k + 1].cells[3].text, dates[k]);
        QCOMPARE(table.rows[k + 1].cells[3].kind, ImportCell::Date);
    }
    QCOMPARE(table.rows[4].cells[2].text, u"1500000.8"_s);
    QCOMPARE(table.rows[4].cells[2].kind, ImportCell::Number);
    QCOMPARE(table.rows[1].cells[1].kind, ImportCell::Text); // a card kept as text
}

void TestImportTable::refusals_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("message");
    QTest::newRow("a character with no spelling") << u"Символ"_s << 2 << 0
        << u"Строка 2, столбец A: Символ «王» (U+738B) не принят: его нет в кодировке Windows-1251 банковских файлов."_s;
    QTest::newRow("a card number stored as a long number") << u"Карта"_s << 2 << 1
        << u"Строка 2, столбец B: номер карты записан числом 8600123456789010 и потерял цифры. "
           u"Храните номера карт как текст"_s;
    QTest::newRow("an amount that is not a number") << u"Сумма"_s << 2 << 2
        << u"Строка 2, столбец C: сумма «сто» не число"_s;
}

// libfreexl reads no formula: an amount left empty by one is refused, not taken as zero.
void TestImportTable::xlsFormula()
{
    const ImportTable table = ReadImportTable(FileBytes(Sheets(u"payroll.xls"_s)));
    const TableTabText tab = ToTabText(table, PayrollLayout());
    QVERIFY(tab.refusal);
    QCOMPARE(tab.refusal->row, 6);
    QCOMPARE(tab.refusal->column, 2);
}

void TestImportTable::refusals()
{
    QFETCH(QString, sheet);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, message);
    const ImportTable table = ReadImportTable(FileBytes(Sheets(u"refusals.xlsx"_s)), {sheet});
    const TableTabText tab = ToTabText(table, PayrollLayout());
    QVERIFY(!tab.ok());
    QCOMPARE(tab.refusal->row, row);
    QCOMPARE(tab.refusal->column, column);
    QCOMPARE(tab.refusal->message, message);
    QVERIFY(tab.bytes.isEmpty());
}

void TestImportTable::sheetChoice()
{
    const QByteArray bytes = FileBytes(Sheets(u"refusals.xlsx"_s));
    const ImportTable first = ReadImportTable(bytes);
    QCOMPARE(first.sheets, (QStringList{u"Символ"_s, u"Карта"_s, u"Сумма"_s}));
    QCOMPARE(first.sheet, u"Символ"_s); // the first one holding data
    QCOMPARE(ReadImportTable(bytes, {u"3"_s}).sheet, u"Карта"_s); // numbered as the tabs are
    QVERIFY_THROWS_EXCEPTION(UserError, ReadImportTable(bytes, {u"Лист9"_s}));
    QVERIFY_THROWS_EXCEPTION(UserError, ReadImportTable(bytes.left(bytes.size() / 2)));
}

void TestImportTable::numbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 1500000.5 << u"1500000.5"_s;
    QTest::newRow("binary fraction") << 0.3 << u"0.3"_s;
    QTest::newRow("half a tiyin") << 99999.995 << u"99999.995"_s;
    QTest::newRow("sum of fractions") << 0.1 + 0.2 << u"0.30000000000000004"_s;
    QTest::newRow("integer") << 100.0 << u"100"_s;
    QTest::newRow("negative zero") << -0.0 << u"0"_s;
    QTest::newRow("no exponent, small") << 1e-7 << u"0.0000001"_s;
    QTest::newRow("no exponent, large") << 1e15 << u"1000000000000000"_s;
    QTest::newRow("negative") << -12.5 << u"-12.5"_s;
}

void TestImportTable::numbers()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberCellText(value), text);
    QCOMPARE(NumberCellText(value).toDouble(), value);
}

void TestImportTable::dateFormats_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("date");
    QTest::newRow("day month year") << u"DD.MM.YYYY"_s << true;
    QTest::newRow("US") << u"mm/dd/yy"_s << true;
    QTest::newRow("month and year") << u"MMMM YYYY"_s << true;
    QTest::newRow("general") << u"General"_s << false;
    QTest::newRow("money") << u"#,##0.00\"р.\""_s << false;
    QTest::newRow("quoted day") << u"0\"d\""_s << false;
    QTest::newRow("minutes") << u"hh:mm"_s << false;
    QTest::newRow("elapsed minutes") << u"[h]:mm"_s << false;
    QTest::newRow("colour") << u"[Red]0.00"_s << false;
    QTest::newRow("locale and date") << u"[$-419]DD.MM.YYYY"_s << true;
}

void TestImportTable::dateFormats()
{
    QFETCH(QString, code);
    QFETCH(bool, date);
    QCOMPARE(IsDateFormatCode(code.toStdString()), date);
}

void TestImportTable::delimited_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("rows"); // "row: field|field"
    QTest::newRow("quoted separator and quote") << QByteArray("\"Ли, Ольга\",\"a\"\"b\",3\n") << u","_s
                                                << QStringList{u"1: Ли, Ольга|a\"b|3"_s};
    QTest::newRow("separator told outside quotes") << QByteArray("\"a;b\",c\n") << u","_s
                                                   << QStringList{u"1: a;b|c"_s};
    QTest::newRow("TAB before ;") << QByteArray("a;b\tc\n") << u"\t"_s << QStringList{u"1: a;b|c"_s};
    QTest::newRow("line end inside quotes") << QByteArray("\"a\r\nb\";c\r\nd;e") << u";"_s
                                            << QStringList{u"1: a\r\nb|c"_s, u"2: d|e"_s};
    QTest::newRow("blank records counted, not kept") << QByteArray("\n;;\r\n a;b\r") << u";"_s
                                                     << QStringList{u"3:  a|b"_s};
    QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\x04\x1B\x04\x38\x00;\x00\x31", 10) << u";"_s
                               << QStringList{u"1: Ли|1"_s};
    QTest::newRow("not UTF-8: Windows-1251") << QByteArray("\xCB\xE8;1") << u";"_s << QStringList{u"1: Ли|1"_s};
    QTest::newRow("zero byte ends the text") << QByteArray("a;b\n\0c;d", 8) << u";"_s << QStringList{u"1: a|b"_s};
    QTest::newRow("one column") << QByteArray("a\nb") << u"\t"_s << QStringList{u"1: a"_s, u"2: b"_s};
}

void TestImportTable::delimited()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, separator);
    QFETCH(QStringList, rows);
    const ImportTable table = ReadImportTable(bytes);
    QCOMPARE(QString(table.separator), separator);
    QStringList got;
    for (const ImportRow &row : table.rows) {
        QStringList fields;
        for (const ImportCell &cell : row.cells)
            fields << cell.text;
        got << QString::number(row.row) + u": "_s + fields.join(u'|');
    }
    QCOMPARE(got, rows);
}

void TestImportTable::header_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("clients");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("headerRow");
    const QByteArray payrollHeader = "\n\xD4\xC8\xCE;\xCA\xE0\xF0\xF2\xE0;\xD1\xF3\xEC\xEC\xE0\n\xC8;1;5\n";
    QTest::newRow("payroll: amount not a number") << payrollHeader << false << int(HeaderMode::Auto) << 2;
    QTest::newRow("payroll: asked for none") << payrollHeader << false << int(HeaderMode::No) << 0;
    QTest::newRow("payroll: amount a number") << QByteArray("A;1;1 000,50\n") << false << int(HeaderMode::Auto) << 0;
    QTest::newRow("payroll: asked for one") << QByteArray("A;1;1\nB;2;2\n") << false << int(HeaderMode::Yes) << 1;
    const QByteArray client = ";;;;;01.02.1990;;;;;;;\n";
    QTest::newRow("clients: a birth date") << client << true << int(HeaderMode::Auto) << 0;
    QTest::newRow("clients: not a date") << QByteArray(";;;;;Birthday;;;;;;;\n") + client << true
                                         << int(HeaderMode::Auto) << 1;
}

void TestImportTable::header()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, clients);
    QFETCH(int, mode);
    QFETCH(int, headerRow);
    TableLayout layout = clients ? ClientLayout() : PayrollLayout();
    layout.header = HeaderMode(mode);
    const TableTabText tab = ToTabText(ReadImportTable(bytes), layout);
    QCOMPARE(tab.headerRow, headerRow);
    if (headerRow)
        QCOMPARE(tab.bytes.split('\n').at(headerRow - 1), QByteArray("\r"));
}

// The text the import always read stays byte for byte what it was, a
// header-like first line included.
void TestImportTable::plainTabTextPassesThrough()
{
    const QByteArray bytes = "\xD4\xC8\xCE\t\xCA\xE0\xF0\xF2\xE0\t\xD1\xF3\xEC\xEC\xE0\n\t\tA\t1\t2,5\r\n";
    const TableTabText tab = ToTabText(ReadImportTable(bytes), PayrollLayout());
    QCOMPARE(tab.bytes, bytes);
    QCOMPARE(tab.headerRow, 0);
}

void TestImportTable::columnMapping()
{
    TableLayout layout = PayrollLayout();
    layout.columns = {3, 0, 1};
    const TableTabText tab = ToTabText(ReadImportTable("8600;12,5;x;\xC8\xE2\xE0\xED\xEE\xE2\n"), layout);
    QVERIFY(tab.ok());
    QCOMPARE(tab.bytes, QByteArray("\xC8\xE2\xE0\xED\xEE\xE2\t8600\t12,5\r\n"));
}

void TestImportTable::parseColumns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("columns");
    QTest::addColumn<bool>("valid");
    QTest::newRow("letters") << u"B, d,AA"_s << QList<int>{1, 3, 26} << true;
    QTest::newRow("numbers") << u"2,4,6"_s << QList<int>{1, 3, 5} << true;
    QTest::newRow("zero") << u"0,1"_s << QList<int>() << false;
    QTest::newRow("Cyrillic") << u"А"_s << QList<int>() << false;
    QTest::newRow("empty part") << u"A,,B"_s << QList<int>() << false;
}

void TestImportTable::parseColumns()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, columns);
    QFETCH(bool, valid);
    const auto parsed = ParseColumns(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, columns);
}

QTEST_APPLESS_MAIN(TestImportTable)
#include "tst_importtable.moc"
