#include "support/SettingsFolder.h"
#include "support/CliRun.h"
#include "common/Cp1251.h"
#include "common/BankFileReader.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollTexts.h"
#include "payroll/PayrollVerify.h"
#include "settings/SettingsRecord.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(PayrollRow)

namespace {

void WriteText(const QString &name, const QString &text)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(Cp1251::encode(text));
}

const QString kRows = u"Петров Пётр\t8600 1234 5678 9012\t1 000,00\r\n"
                      u"Иванов\t8600000000000001\t0\r\n"
                      u"Сидоров\t8600000000000002\t0,75\r\n"_s;
const QStringList kHeader{u"--number"_s, u"7"_s, u"--date"_s, u"08.12.2026"_s, u"--month"_s, u"3"_s,
                          u"--year"_s, u"2026"_s};
const QString kPath = u"Кардолист/2026/ZPSV001231234567803202600007"_s;

QString Sheets(const QString &name)
{
    return QStringLiteral(KARDOLIST_TEST_DATA "/sheets/") + name;
}

// The register without the moment it was written at: the header line's
// time and the trailer's checksum over it.
QByteArray WithoutMoment(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() > 2) {
        QList<QByteArray> header = lines.first().split('\t');
        if (header.size() > 2)
            header[2].clear();
        lines.first() = header.join('\t');
        lines[lines.size() - 2] = lines[lines.size() - 2].left(13);
    }
    return lines.join('\n');
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = EnterSettingsFolder({u"12345678"_s, u"ООО Тест"_s, u"00123"_s});
        QVERIFY(m_dir);
    }
    void cleanup() { LeaveFolder(m_dir); }

    void savesARegister()
    {
        WriteText(u"rows.txt"_s, kRows);
        const CliRun run = RunCli(QStringList{u"payroll"_s, u"rows.txt"_s} + kHeader);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out, kPath + u"\n"_s);

        const QByteArray bytes = ReadBankFileBytes(kPath);
        QVERIFY(VerifyBankFile(kPath, bytes, {&PayrollFileRules()}).clean());
        const PayrollFileContents c = ReadPayrollFile(bytes);
        QCOMPARE(c.rows, (QList<PayrollRow>{{u"Петров Пётр"_s, u"8600123456789012"_s, u"1000.00"_s},
                                            {u"Сидоров"_s, u"8600000000000002"_s, u"0.75"_s}}));
        QVERIFY(bytes.contains("\r\nT\t0000000005\t"));

        // Saving again replaces the file without a question.
        WriteText(u"rows.txt"_s, u"Новый\t1\t2"_s);
        QCOMPARE(RunCli(QStringList{u"payroll"_s, u"rows.txt"_s} + kHeader).exitCode, 0);
        QCOMPARE(ReadPayrollFile(ReadBankFileBytes(kPath)).rows.size(), 1);
    }

    // Every export of the same rows gives the register their typed TAB text gives.
    void readsSpreadsheets_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("column"); // where Ғ was replaced; empty: none was
        const QString typed = u"payroll_typed.txt"_s;
        QTest::newRow("xlsx") << u"payroll.xlsx"_s << QStringList() << typed << u"A"_s;
        QTest::newRow("ods") << u"payroll.ods"_s << QStringList() << typed << u"A"_s;
        QTest::newRow("xls") << u"payroll_values.xls"_s << QStringList() << typed << u"A"_s;
        QTest::newRow("UTF-8 CSV") << u"payroll_utf8bom.csv"_s << QStringList() << typed << u"1"_s;
        QTest::newRow("UTF-16 text") << u"payroll_utf16.txt"_s << QStringList() << typed << u"1"_s;
        QTest::newRow("comma CSV") << u"payroll_comma.csv"_s << QStringList() << typed << u"1"_s;
        QTest::newRow("Windows-1251 CSV") << u"payroll_cp1251.csv"_s << QStringList()
                                          << u"payroll_typed_commas.txt"_s << QString();
        QTest::newRow("columns in their own order, header said")
                << u"payroll.xlsx"_s << QStringList{u"--columns"_s, u"a,2,C"_s, u"--header=yes"_s} << typed
                << u"A"_s;
        QTest::newRow("sheet by number") << u"payroll.ods"_s << QStringList{u"--sheet"_s, u"1"_s} << typed
                                         << u"A"_s;
    }
    void readsSpreadsheets()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(QString, typed);
        QFETCH(QString, column);
        QVERIFY(QFile::copy(Sheets(typed), u"typed.txt"_s));
        CliRun run = RunCli(QStringList{u"payroll"_s, u"typed.txt"_s} + kHeader);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray expected = WithoutMoment(ReadBankFileBytes(kPath));
        QVERIFY(QFile::remove(kPath));

        QVERIFY(QFile::copy(Sheets(file), file));
        run = RunCli(QStringList{u"payroll"_s, file} + kHeader + options);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out, kPath + u"\n"_s);
        QCOMPARE(WithoutMoment(ReadBankFileBytes(kPath)), expected);
        const QString note = file + u": Строка 2, столбец "_s + column + u": «Ғ» заменена на «Г»\n"_s;
        QVERIFY2(column.isEmpty() ? !run.err.contains(u"заменена"_s) : run.err.startsWith(note), qPrintable(run.err));
    }

    // One line naming the file, the row, the column and the reason; nothing written.
    void refusesSheetRows_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("character with no spelling")
                << u"refusals.xlsx"_s << QStringList()
                << u"refusals.xlsx: Строка 2, столбец A: Символ «王» (U+738B) не принят: его нет в кодировке "
                   u"Windows-1251 банковских файлов.\n"_s;
        QTest::newRow("card as a long number")
                << u"refusals.xlsx"_s << QStringList{u"--sheet=Карта"_s}
                << u"refusals.xlsx: Строка 2, столбец B: номер карты записан числом 8600123456789010 и потерял "
                   u"цифры. Храните номера карт как текст.\n"_s;
        QTest::newRow("amount not a number")
                << u"refusals.xlsx"_s << QStringList{u"--sheet"_s, u"Сумма"_s}
                << u"refusals.xlsx: Строка 2, столбец C: сумма «сто» не число.\n"_s;
        QTest::newRow("header taken as data")
                << u"payroll.xlsx"_s << QStringList{u"--header"_s, u"no"_s}
                << u"payroll.xlsx: Строка 1, столбец C: сумма «Сумма» не число.\n"_s;
        QTest::newRow("no such sheet") << u"payroll.xlsx"_s << QStringList{u"--sheet"_s, u"Лист9"_s}
                                       << u"payroll.xlsx: В книге нет листа «Лист9».\n"_s;
        QTest::newRow("xls formula unread") << u"payroll.xls"_s << QStringList()
                                            << u"payroll.xls: Строка 6, столбец C: сумма пуста"_s;
        QTest::newRow("columns short") << u"payroll.xlsx"_s << QStringList{u"--columns"_s, u"A,B"_s}
                                       << u"--columns takes 3 column letters"_s;
        QTest::newRow("header word") << u"payroll.xlsx"_s << QStringList{u"--header"_s, u"maybe"_s}
                                     << u"--header takes yes, no or auto"_s;
    }
    void refusesSheetRows()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        QVERIFY(QFile::copy(Sheets(file), file));
        const CliRun run = RunCli(QStringList{u"payroll"_s, file} + kHeader + options);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err.count(u'\n'), 1);
        QVERIFY2(message.endsWith(u'\n') ? run.err == message : run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(SaveFolder()));
    }

    void takesEveryMonth_data()
    {
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("digits");
        QTest::newRow("1") << u"1"_s << u"01"_s;
        QTest::newRow("9") << u"9"_s << u"09"_s;
        QTest::newRow("10") << u"10"_s << u"10"_s;
        QTest::newRow("12") << u"12"_s << u"12"_s;
    }
    void takesEveryMonth()
    {
        QFETCH(QString, month);
        QFETCH(QString, digits);
        WriteText(u"rows.txt"_s, kRows);
        QStringList args = kHeader;
        args[5] = month;
        const CliRun run = RunCli(QStringList{u"payroll"_s, u"rows.txt"_s} + args);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out, u"Кардолист/2026/ZPSV0012312345678"_s + digits + u"202600007\n"_s);
    }

    // Outside a desktop session too: one line, ending with a full stop.
    void reportsErrorsOneWay_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("words abc") << QStringList{u"words"_s, u"abc"_s};
        QTest::newRow("words alone") << QStringList{u"words"_s};
        QTest::newRow("verify missing file") << QStringList{u"verify"_s, u"missing"_s};
        QTest::newRow("verify alone") << QStringList{u"verify"_s};
        QTest::newRow("payroll bad option") << QStringList{u"payroll"_s, u"rows.txt"_s, u"--force"_s};
        QTest::newRow("payroll missing rows") << QStringList{u"payroll"_s, u"missing.txt"_s};
        QTest::newRow("unknown command") << QStringList{u"frobnicate"_s};
        QTest::newRow("print over its own input") << QStringList{u"print"_s, u"reg"_s, u"--pdf"_s, u"./reg"_s};
    }
    void reportsErrorsOneWay()
    {
        QFETCH(QStringList, args);
        const CliRun run = RunCli(args, true);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(!run.err.contains(u"XDG_RUNTIME_DIR"_s), qPrintable(run.err));
        QVERIFY2(run.err.endsWith(u".\n"_s) && run.err.count(u'\n') == 1, qPrintable(run.err));
    }

    void refusesWhatTheSaveRefuses_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("branch"); // empty: no settings.ini at all; "-": an empty one
        QTest::addColumn<QString>("message");
        const QStringList header = kHeader;
        QTest::newRow("amount not a number, before the missing card")
                << u"А\t\t12 a\r\n"_s << header << u"00123"_s << u"'12a' is not a valid floating point value."_s;
        QTest::newRow("row without card") << u"А\t\t12,50\r\n"_s << header << u"00123"_s << TableNotFilledMessage();
        QTest::newRow("no rows") << QString() << header << u"00123"_s << TableNotFilledMessage();
        QTest::newRow("no number") << kRows << header.mid(2) << u"00123"_s << HeaderIncompleteMessage();
        QTest::newRow("short year") << kRows << header.mid(0, 6) + QStringList{u"--year"_s, u"26"_s} << u"00123"_s
                                    << HeaderIncompleteMessage();
        QTest::newRow("letter in card, named by its row")
                << u"А\t8600\t1\r\n\r\nБ\t86O0\t1\r\n"_s << header << u"00123"_s
                << BadDataMessage() + u" (строка 2)\n"_s;
        QTest::newRow("settings.ini without codes") << kRows << header << u"-"_s << NoBankCodesMessage();
        QTest::newRow("path in branch code") << kRows << header << u"1/../"_s << u"филиала"_s;
        QTest::newRow("no settings.ini") << kRows << header << QString() << u"settings.ini"_s;
        QTest::newRow("no rows file") << u"-"_s << header << u"00123"_s << CannotOpenTextMessage();
        QTest::newRow("month 13") << kRows << header.mid(0, 4) + QStringList{u"--month=13"_s} << u"00123"_s
                                  << u"--month"_s;
        QTest::newRow("unknown option") << kRows << header + QStringList{u"--force"_s} << u"00123"_s
                                        << u"--force"_s;
        QTest::newRow("no real date") << kRows << header.mid(0, 2) + QStringList{u"--date"_s, u"31.02.2026"_s}
                                      << u"00123"_s << u"kardolist-cli payroll: --date takes a date"_s;
        QTest::newRow("two rows files") << kRows << header + QStringList{u"more.txt"_s} << u"00123"_s
                                        << u"kardolist-cli payroll: more than one rows file given"_s;
        QTest::newRow("usage before settings.ini") << kRows << QStringList{u"--number"_s, u"123456"_s} << QString()
                                                   << u"kardolist-cli payroll: --number takes up to 5 digits"_s;
    }
    void refusesWhatTheSaveRefuses()
    {
        QFETCH(QString, rows);
        QFETCH(QStringList, args);
        QFETCH(QString, branch);
        QFETCH(QString, message);
        if (rows != u"-"_s)
            WriteText(u"rows.txt"_s, rows);
        QFile::remove(SettingsFileName());
        if (branch == u"-"_s)
            QVERIFY(QFile(SettingsFileName()).open(QIODevice::WriteOnly));
        else if (!branch.isEmpty())
            WriteSettingsRecord({u"12345678"_s, u"ООО Тест"_s, branch});

        const CliRun run = RunCli(QStringList{u"payroll"_s, u"rows.txt"_s} + args);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(SaveFolder()));
        QCOMPARE(QFileInfo::exists(SettingsFileName()), !branch.isEmpty());
    }

    // The PDF replaces OUT.pdf only when whole: a refused register or an
    // unwritable path leaves the old file.
    void printsARegister_data()
    {
        QTest::addColumn<QList<PayrollRow>>("rows");
        QTest::addColumn<QByteArray>("badAmount"); // replaces 1000.00 in the file
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<QString>("report");       // stdout, or a part of stderr on failure
        QTest::addColumn<QStringList>("lines");

        const QList<PayrollRow> rows{{u"Петров Пётр"_s, u"8600123456789012"_s, u"1000.00"_s},
                                     {u"Сидоров"_s, u"8600000000000002"_s, u"0.75"_s}};
        QTest::newRow("two rows") << rows << QByteArray() << u"out.pdf"_s << u"out.pdf: 2 rows, 1 page\n"_s
                                  << QStringList{u"|1 | Петров Пётр |8600123456789012 | 1 000.00|"_s,
                                                 u"|2 | Сидоров |8600000000000002 | 0.75|"_s, u"ИТОГО: 1 000.75"_s};
        QTest::newRow("no rows") << QList<PayrollRow>() << QByteArray() << u"out.pdf"_s
                                 << u"out.pdf: 1 row, 1 page\n"_s
                                 << QStringList{u"|1 | | | 0.00|"_s, u"ИТОГО: 0.00"_s};
        QTest::newRow("amount not a number") << rows << QByteArray("10x0.00") << u"out.pdf"_s
                                             << u"'10x0.00' is not a valid floating point value"_s << QStringList();
        QTest::newRow("folder missing") << rows << QByteArray() << u"missing/out.pdf"_s
                                        << u"Cannot create file \"missing/out.pdf\""_s << QStringList();
    }
    void printsARegister()
    {
        QFETCH(QList<PayrollRow>, rows);
        QFETCH(QByteArray, badAmount);
        QFETCH(QString, pdf);
        QFETCH(QString, report);
        QFETCH(QStringList, lines);

        QByteArray bytes = BuildPayrollFile(ReadSettingsRecord(), {u"00007"_s, u"08.12.2026"_s, 2, u"2026"_s}, rows,
                                            QDateTime::currentDateTime());
        if (!badAmount.isEmpty())
            bytes.replace("1000.00", badAmount);
        QFile reg(u"reg"_s);
        QVERIFY(reg.open(QIODevice::WriteOnly) && reg.write(bytes) == bytes.size());
        reg.close();
        QFile old(u"out.pdf"_s);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();

        const CliRun run = RunCli({u"print"_s, u"reg"_s, u"--pdf"_s, pdf});
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray written = old.readAll();
        if (lines.isEmpty()) {
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains(report), qPrintable(run.err));
            QCOMPARE(written, QByteArray("old"));
            QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden).filter(u"out"_s), QStringList{u"out.pdf"_s});
            return;
        }
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out, report);
        QVERIFY(written.startsWith("%PDF"));
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
        for (const QString &line : lines)
            QVERIFY2(text.contains(line), qPrintable(line));
    }

    void verifiesFiles_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("report");
        QTest::newRow("clean") << QByteArray() << QByteArray() << 0 << u"Total: 1 000.75\n"_s;
        QTest::newRow("trailer lost") << QByteArray("T\t0000000005\t") << QByteArray() << 1
                                      << u"no trailer (T) line at the end"_s;
        // An edited name: only the checksum tells.
        QTest::newRow("wrong CRC") << Cp1251::encode(u"Сидоров"_s) << Cp1251::encode(u"Сидорова"_s) << 1
                                   << u"line 4: checksum"_s;
        QTest::newRow("missing CR") << QByteArray("1000.00\t\r\n") << QByteArray("1000.00\t\n") << 1
                                    << u"line 2: the line ends in LF without CR"_s;
        // A file's control characters never reach the terminal as they are.
        QTest::newRow("escape sequence in card")
            << QByteArray("8600000000000002") << QByteArray("86\x1b]0;x\x07\x1b[2J") << 1
            << u"card number \"86\\x1b]0;x\\x07\\x1b[2J\""_s;
        QTest::newRow("letter in card") << QByteArray("8600000000000002") << QByteArray("86000000000000O2") << 1
                                        << u"line 3: card number \"86000000000000O2\""_s;
    }
    void verifiesFiles()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, exitCode);
        QFETCH(QString, report);
        WriteText(u"rows.txt"_s, kRows);
        QCOMPARE(RunCli(QStringList{u"payroll"_s, u"rows.txt"_s} + kHeader).exitCode, 0);
        QByteArray bytes = ReadBankFileBytes(kPath);
        bytes.replace(from, to);
        QFile f(kPath);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();

        const CliRun run = RunCli({u"verify"_s, kPath});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.out.contains(report), qPrintable(run.out));
        QVERIFY(!run.out.contains(QChar(0x1b)) && !run.err.contains(QChar(0x1b)));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_clipayroll.moc"
