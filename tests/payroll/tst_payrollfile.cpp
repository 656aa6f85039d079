#include "common/BankFileReader.h"
#include "common/Cp1251.h"
#include "common/UserError.h"
#include "payroll/PayrollAmounts.h"
#include "payroll/PayrollChecks.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollTextImport.h"
#include "payroll/PayrollTexts.h"

#include <QDir>
#include <QStringEncoder>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

SettingsRecord Settings(const QString &branch = u"00123"_s, const QString &client = u"12345678"_s)
{
    SettingsRecord s;
    s.filialCode = branch;
    s.organisationCode = client;
    s.organisationName = u"ООО Тест"_s;
    return s;
}

PayrollHeader Header()
{
    return {u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s};
}

const QDateTime kMoment(QDate(2026, 12, 8), QTime(14, 5, 9));

QList<PayrollRow> ThreeRows()
{
    return {{u"Иванов Иван Иванович"_s, u"8600123412341234"_s, u"1500000.00"_s},
            {u"Петров"_s, u"8600000000000002"_s, u"0.00"_s},
            {u"Сидоров"_s, u"8600000000000003"_s, u"0.75"_s}};
}

QByteArray Fixture(const QString &name)
{
    QFile f(QStringLiteral(KARDOLIST_TEST_DATA "/payroll/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString ErrorText(const std::function<void()> &f)
{
    try {
        f();
    } catch (const UserError &e) {
        return e.text();
    }
    return {};
}

// f's error text. Should f block on the FIFO, a writer that opens and
// closes at once releases it after a few seconds, and "blocked" comes back.
QString ErrorTextUnblocked(const QString &fifo, const std::function<void()> &f)
{
    using namespace std::chrono_literals;
    auto result = std::async(std::launch::async, [&f] { return ErrorText(f); });
    if (result.wait_for(5s) == std::future_status::ready)
        return result.get();
    while (result.wait_for(100ms) == std::future_status::timeout) {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    }
    result.get();
    return u"blocked"_s;
}

} // namespace

class TestPayrollFile : public QObject
{
    Q_OBJECT

private slots:
    // Written independently of the program, CRC from zlib: a left-out zero
    // row keeps its number, so the lines are numbered 1, 2, 4, 5.
    void buildsTheGoldenFile()
    {
        const QByteArray golden = Fixture(u"ZPSV001231234567812202600007"_s);
        QVERIFY(!golden.isEmpty());
        QCOMPARE(BuildPayrollFile(Settings(), Header(), ThreeRows(), kMoment), golden);
        QVERIFY(golden.endsWith("\r\nT\t0000000005\t5EA7F17A\t\r\n"));

        // The grid hands over display amounts: the same file comes out.
        QList<PayrollRow> display = ThreeRows();
        display[0].amount = u"1 500 000.00"_s;
        QCOMPARE(BuildPayrollFile(Settings(), Header(), display, kMoment), golden);
    }

    void buildsPathAndHeaderFromCodes_data()
    {
        QTest::addColumn<QString>("branch");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("key");
        QTest::newRow("plain") << u"00123"_s << u"00007"_s << 11 << u"Кардолист/2026/ZPSV001231234567812202600007"_s
                               << u"00123\t12345678\t08.12.2026\t12\t2026\t00007\t"_s;
        QTest::newRow("blank in branch") << u"12 45"_s << u"00007"_s << 11
                                         << u"Кардолист/2026/ZPSV120451234567812202600007"_s
                                         << u"12045\t12345678\t08.12.2026\t12\t2026\t00007\t"_s;
        QTest::newRow("blank in number") << u"00123"_s << u"  7 1"_s << 11
                                         << u"Кардолист/2026/ZPSV001231234567812202600701"_s
                                         << u"00123\t12345678\t08.12.2026\t12\t2026\t00701\t"_s;
        QTest::newRow("October") << u"00123"_s << u"00007"_s << 9 << u"Кардолист/2026/ZPSV001231234567810202600007"_s
                                 << u"00123\t12345678\t08.12.2026\t10\t2026\t00007\t"_s;
        QTest::newRow("September") << u"00123"_s << u"00007"_s << 8
                                   << u"Кардолист/2026/ZPSV001231234567809202600007"_s
                                   << u"00123\t12345678\t08.12.2026\t09\t2026\t00007\t"_s;
    }
    void buildsPathAndHeaderFromCodes()
    {
        QFETCH(QString, branch);
        QFETCH(QString, number);
        QFETCH(int, month);
        QFETCH(QString, path);
        QFETCH(QString, key);
        PayrollHeader header = Header();
        header.registerNumber = number;
        header.monthIndex = month;
        QCOMPARE(PayrollFilePath(Settings(branch), header), path);
        QCOMPARE(HeaderKeyText(Settings(branch), header), key);
        // The overwrite question compares the header line from its 34th character.
        const QString headerLine = ReadPayrollFile(BuildPayrollFile(Settings(branch), header, {}, kMoment)).firstLine;
        QCOMPARE(headerLine.mid(33), key);
    }

    void refusesCodesThatCouldSteerThePath_data()
    {
        QTest::addColumn<QString>("branch");
        QTest::addColumn<QString>("client");
        QTest::addColumn<QString>("field");
        QTest::newRow("slash in branch") << u"1/../"_s << u"12345678"_s << u"филиала"_s;
        QTest::newRow("letter in branch") << u"1234a"_s << u"12345678"_s << u"филиала"_s;
        QTest::newRow("dots in client") << u"00123"_s << u"../../.."_s << u"клиента"_s;
    }
    void refusesCodesThatCouldSteerThePath()
    {
        QFETCH(QString, branch);
        QFETCH(QString, client);
        QFETCH(QString, field);
        const QString text = ErrorText([&] { PayrollFilePath(Settings(branch, client), Header()); });
        QVERIFY2(text.contains(field), qPrintable(text));
    }

    void leavesOutRows_data()
    {
        QTest::addColumn<PayrollRow>("row");
        QTest::addColumn<bool>("written");
        QTest::newRow("full") << PayrollRow{u"Анна"_s, u"1"_s, u"0.01"_s} << true;
        QTest::newRow("empty name") << PayrollRow{QString(), u"1"_s, u"5.00"_s} << false;
        QTest::newRow("empty card") << PayrollRow{u"Анна"_s, QString(), u"5.00"_s} << false;
        QTest::newRow("zero amount") << PayrollRow{u"Анна"_s, u"1"_s, u"0.00"_s} << false;
    }
    void leavesOutRows()
    {
        QFETCH(PayrollRow, row);
        QFETCH(bool, written);
        const QList<PayrollRow> rows{row, {u"Борис"_s, u"2"_s, u"1.00"_s}};
        const QByteArray bytes = BuildPayrollFile(Settings(), Header(), rows, kMoment);
        QCOMPARE(ReadPayrollFile(bytes).rows.size(), written ? 2 : 1);
        // The next row keeps its number either way; the trailer counts the grid.
        QVERIFY(bytes.contains("D\t0000000003\t"));
        QVERIFY(bytes.contains("T\t0000000004\t"));
    }

    void readsBackWhatItWrote()
    {
        QList<PayrollRow> rows = ThreeRows();
        rows[2].amount = u"-12.50"_s;
        const PayrollFileContents c = ReadPayrollFile(BuildPayrollFile(Settings(), Header(), rows, kMoment));
        QCOMPARE(c.rows, (QList<PayrollRow>{rows[0], rows[2]}));
        QCOMPARE(c.registerNumber, u"00007"_s);
        QCOMPARE(c.date, u"08.12.2026"_s);
        QCOMPARE(MonthIndexFromField(c.monthField), 11);
        QCOMPARE(c.year, u"2026"_s);
        QCOMPARE(c.firstLine.mid(33), HeaderKeyText(Settings(), Header()));
    }

    void checksFirstLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("passes");
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("empty first line") << QByteArray("\r\nD\t2\tA\t1\t1\t\r\nT\t\r\n") << false;
        QTest::newRow("single X") << QByteArray("X\r\n") << false;
        QTest::newRow("TAB first") << QByteArray("\tH\t\r\n") << false;
        QTest::newRow("single H") << QByteArray("H") << true;
        QTest::newRow("TAB second") << QByteArray("Z\t1\r\n") << true;
    }
    void checksFirstLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, passes);
        const QString text = ErrorText([&] { ReadPayrollFile(bytes); });
        QCOMPARE(text, passes ? QString() : u"Неверный формат файла!"_s);
    }

    void readsMixedLineEnds()
    {
        // CR LF, LF, an empty line, a lone CR.
        const QByteArray bytes = Cp1251::encode(u"H\t1\t\t\t\t01.02.2026\t2\t2026\t00001\t\r\n"
                                                u"D\t2\tАня\t1\t1,5\t\n"
                                                u"\n"
                                                u"D\t3\tБорис\t2\t2.000,5\t\r"
                                                u"T\t4\tX\t\r\n"_s);
        const PayrollFileContents c = ReadPayrollFile(bytes);
        QCOMPARE(c.rows, (QList<PayrollRow>{{u"Аня"_s, u"1"_s, u"1.5"_s}, {u"Борис"_s, u"2"_s, u"2.000.5"_s}}));
        QCOMPARE(c.monthField, u"2"_s);
    }

    // A zero byte is damage, not the end of the text: both readers refuse
    // the file and name the line that holds it.
    void refusesAZeroByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("textImport");
        QTest::addColumn<int>("line");
        const QByteArray reg("H\t\r\nD\t2\tA\t1\t1\t\r\nT\t3\tX\t\r\n");
        QTest::newRow("register, first byte") << QByteArray("\0H\t\r\n", 5) << false << 1;
        QTest::newRow("register, in a detail line") << QByteArray(reg).insert(8, '\0') << false << 2;
        QTest::newRow("register, after the trailer") << reg + QByteArray(1, '\0') << false << 4;
        QTest::newRow("text, in the second line") << QByteArray("A\t1\t2\r\nB\t2\0\t3\r\n", 15) << true << 2;
        QTest::newRow("text, after a lone CR") << QByteArray("A\t1\t2\r\0", 7) << true << 2;
    }
    void refusesAZeroByte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, textImport);
        QFETCH(int, line);
        const QString text = ErrorText([&] { textImport ? (void)ImportPayrollText(bytes) : (void)ReadPayrollFile(bytes); });
        QCOMPARE(text, DamagedFileMessage(line));
    }

    // Text saved in another encoding is named as such; Windows-1251 and
    // plain ASCII text import as before.
    void namesOtherEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("encoding"); // empty: imports
        const QString row = u"Петров Пётр\t8600123456789012\t1000,00\r\n"_s;
        QStringEncoder utf16le(QStringEncoder::Utf16LE);
        QStringEncoder utf16be(QStringEncoder::Utf16BE);
        QTest::newRow("UTF-8") << row.toUtf8() << u"UTF-8"_s;
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + row.toUtf8() << u"UTF-8"_s;
        QTest::newRow("UTF-16LE") << QByteArray(utf16le.encode(row)) << u"UTF-16"_s;
        QTest::newRow("UTF-16BE") << QByteArray(utf16be.encode(row)) << u"UTF-16"_s;
        QTest::newRow("UTF-16 with BOM") << QByteArray("\xFF\xFE") + QByteArray(utf16le.encode(row)) << u"UTF-16"_s;
        QTest::newRow("Windows-1251") << Cp1251::encode(row) << QString();
        QTest::newRow("ASCII") << QByteArray("Ivanov\t8600\t1.00\r\n") << QString();
    }
    void namesOtherEncodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        const QString text = ErrorText([&] { ImportPayrollText(bytes); });
        QCOMPARE(text, encoding.isEmpty() ? QString() : OtherEncodingMessage(encoding));
    }

    // The last line is the trailer only when its first field is "T": a file
    // cut after a detail line keeps that line's row.
    void trailerRule_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("trailer") << QByteArray("H\t\r\nD\t2\tA\t1\t1\t\r\nT\t3\tX\t\r\n") << QStringList{u"A"_s};
        QTest::newRow("trailer lost") << QByteArray("H\t\r\nD\t2\tA\t1\t1\t\r\nD\t3\tB\t2\t2\t\r\n")
                                      << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("trailer lost, no line end") << QByteArray("H\t\r\nD\t2\tA\t1\t1\t")
                                                   << QStringList{u"A"_s};
        QTest::newRow("bare T") << QByteArray("H\t\r\nD\t2\tA\t1\t1\t\r\nT") << QStringList{u"A"_s};
        QTest::newRow("T is not a prefix") << QByteArray("H\t\r\nD\t2\tA\t1\t1\t\r\nTD\t3\tB\t2\t2\t\r\n")
                                           << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("header only") << QByteArray("H\t\r\n") << QStringList{};
    }
    void trailerRule()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        QStringList read;
        for (const PayrollRow &row : ReadPayrollFile(bytes).rows)
            read << row.name;
        QCOMPARE(read, names);
    }

    // A detail line gives name, card and amount from fields 2 to 4, whatever
    // it holds before, after or instead of them.
    void readsDetailFields_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<PayrollRow>("row");
        QTest::newRow("full") << QByteArray("D\t2\tA\t1\t1,5\t") << PayrollRow{u"A"_s, u"1"_s, u"1.5"_s};
        QTest::newRow("no closing TAB") << QByteArray("D\t2\tA\t1\t7") << PayrollRow{u"A"_s, u"1"_s, u"7"_s};
        QTest::newRow("more fields") << QByteArray("D\t2\tA\t1\t2\t9\t") << PayrollRow{u"A"_s, u"1"_s, u"2"_s};
        QTest::newRow("empty card") << QByteArray("D\t2\tA\t\t3\t") << PayrollRow{u"A"_s, {}, u"3"_s};
        QTest::newRow("no amount") << QByteArray("D\t2\tA\t1") << PayrollRow{u"A"_s, u"1"_s, {}};
        QTest::newRow("name only") << QByteArray("D\t2\tA") << PayrollRow{u"A"_s, {}, {}};
        QTest::newRow("type only") << QByteArray("D") << PayrollRow{};
        QTest::newRow("long fields") << QByteArray("D\t0000000002\t\xC8\xE2\xE0\xED\xEE\xE2 \xC8\xE2\xE0\xED\t8600123456789012\t1234,50\t")
                                     << PayrollRow{u"Иванов Иван"_s, u"8600123456789012"_s, u"1234.50"_s};
        QTest::newRow("TAB on the sixteenth byte") << QByteArray("D\t0000000002\tAB\tC\t5\t6\t7")
                                                   << PayrollRow{u"AB"_s, u"C"_s, u"5"_s};
        QTest::newRow("many TABs in sixteen bytes") << QByteArray("D\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t")
                                                    << PayrollRow{};
        QTest::newRow("long name, no card") << QByteArray("D\t2\tAbcdefghijklmnopqrstuvwxyz") << PayrollRow{u"Abcdefghijklmnopqrstuvwxyz"_s, {}, {}};
    }
    void readsDetailFields()
    {
        QFETCH(QByteArray, line);
        QFETCH(PayrollRow, row);
        QCOMPARE(ReadPayrollFile("H\t\r\n" + line + "\r\nT\t3\t\r\n").rows, QList<PayrollRow>{row});
    }

    void readsMonthField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("error");
        QTest::newRow("03") << u"03"_s << 2 << QString();
        QTest::newRow("13") << u"13"_s << -1 << QString();
        QTest::newRow("text") << u"ab"_s << -1 << u"'ab' is not a valid integer value"_s;
        QTest::newRow("empty") << QString() << -1 << u"'' is not a valid integer value"_s;
    }
    void readsMonthField()
    {
        QFETCH(QString, field);
        QFETCH(int, index);
        QFETCH(QString, error);
        int read = -1;
        QCOMPARE(ErrorText([&] { read = MonthIndexFromField(field); }), error);
        QCOMPARE(read, index);
    }

    void importsTextLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<PayrollRow>>("rows");
        QTest::newRow("three fields") << u"Петров Пётр\t8600 1234 5678 9012\t1 000,00"_s
                                      << QList<PayrollRow>{{u"Петров Пётр"_s, u"8600123456789012"_s, u"1 000.00"_s}};
        QTest::newRow("one TAB") << u"Петров\t12,50"_s << QList<PayrollRow>{{u"Петров"_s, {}, u"12.50"_s}};
        QTest::newRow("leading TABs") << u"\t\tА\t1\t2"_s << QList<PayrollRow>{{u"А"_s, u"1"_s, u"2"_s}};
        QTest::newRow("no TAB") << u"abc"_s << QList<PayrollRow>{{{}, {}, u"bc"_s}};
        QTest::newRow("further TABs") << u"А\t1\t2\t3"_s << QList<PayrollRow>{{u"А"_s, u"1"_s, u"2\t3"_s}};
        QTest::newRow("empty and TAB-only skipped") << u"\r\n\t\t\nА\t1\t2\r\n\t"_s
                                                    << QList<PayrollRow>{{u"А"_s, u"1"_s, u"2"_s}};
    }
    void importsTextLines()
    {
        QFETCH(QString, text);
        QFETCH(QList<PayrollRow>, rows);
        QCOMPARE(ImportPayrollText(Cp1251::encode(text)), rows);
    }

    void turnsAmountsPlain_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("result");
        QTest::newRow("empty") << QString() << u"0.00"_s;
        QTest::newRow("display") << u"1 500 000.00"_s << u"1500000.00"_s;
        QTest::newRow("text") << u"12 a"_s << u"'12a' is not a valid floating point value"_s;
    }
    void turnsAmountsPlain()
    {
        QFETCH(QString, amount);
        QFETCH(QString, result);
        QString plain;
        const QString error = ErrorText([&] { plain = ToPlainAmounts({{u"А"_s, u"1"_s, amount}})[0].amount; });
        QCOMPARE(error.isEmpty() ? plain : error, result);
    }

    // The size a save checks against the reader's limit is the size written.
    void sizeIsKnownBeforeBuilding_data()
    {
        QTest::addColumn<QList<PayrollRow>>("rows");
        QTest::newRow("no rows") << QList<PayrollRow>();
        QTest::newRow("golden rows, one left out") << ThreeRows();
        QTest::newRow("display amounts") << QList<PayrollRow>{{u"Ёж"_s, u"1"_s, u"1 234 567.50"_s}};
        QTest::newRow("incomplete rows") << QList<PayrollRow>{{QString(), u"1"_s, u"1.00"_s}, {u"А"_s, QString(), u"2"_s}};
        QTest::newRow("zero amount left out") << QList<PayrollRow>{{u"А"_s, u"1"_s, u"0.00"_s}, {u"Б"_s, u"2"_s, u"3.00"_s}};
    }
    void sizeIsKnownBeforeBuilding()
    {
        QFETCH(QList<PayrollRow>, rows);
        const qint64 size = BuildPayrollFile(Settings(), Header(), rows, kMoment).size();
        QCOMPARE(PayrollFileSize(Settings(), Header(), rows), size);
        QVERIFY(PayrollFileSizeBound(Settings(), Header(), rows) >= size);
    }

    void padsRegisterNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("padded");
        QTest::newRow("7") << u"    7"_s << u"00007"_s;
        QTest::newRow("12 in blanks") << u" 12  "_s << u"00012"_s;
        QTest::newRow("0") << u"0"_s << u"00000"_s;
        QTest::newRow("00450") << u"00450"_s << u"00450"_s;
        QTest::newRow("12345") << u"12345"_s << u"12345"_s;
        QTest::newRow("unfilled") << u"     "_s << u"     "_s;
    }
    void padsRegisterNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, padded);
        QCOMPARE(PadRegisterNumberText(typed), padded);
    }

    void refusesUnreadableAndHugeFiles()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(u"нет"_s);
        QCOMPARE(ErrorText([&] { ReadPayrollTextBytes(missing); }), CannotOpenTextMessage());
        QVERIFY(ErrorText([&] { ReadBankFileBytes(missing); })
                        .startsWith(u"Cannot open file \"%1\". "_s.arg(missing)));

        const QString huge = dir.filePath(u"huge"_s);
        QFile f(huge);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(BankFileReader::kMaxFileSize + 1));
        f.close();
        QVERIFY(ErrorText([&] { ReadBankFileBytes(huge); }).contains(u"64 МБ"_s));
        QVERIFY(ErrorText([&] { ReadPayrollTextBytes(huge); }).contains(u"64 МБ"_s));
    }

    void refusesWhatIsNotARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("textImport");
        for (const QString &kind : {u"fifo"_s, u"folder"_s, u"device"_s}) {
            QTest::addRow("%s, open", qPrintable(kind)) << kind << false;
            QTest::addRow("%s, import", qPrintable(kind)) << kind << true;
        }
    }
    void refusesWhatIsNotARegularFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, textImport);
        QTemporaryDir dir;
        QString path = dir.filePath(u"ZPSV.txt"_s);
        if (kind == u"fifo"_s)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == u"folder"_s)
            QVERIFY(QDir().mkdir(path));
        else
            path = u"/dev/zero"_s; // endless: would be read up to the size limit
        const QString text = ErrorTextUnblocked(path, [&] {
            textImport ? ReadPayrollTextBytes(path) : ReadBankFileBytes(path);
        });
        QVERIFY2(text.startsWith(u"\"%1\" — "_s.arg(path)) && text.contains(u"Открыть его нельзя"_s),
                 qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestPayrollFile)
#include "tst_payrollfile.moc"
