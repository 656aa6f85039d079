#include "support/SettingsFolder.h"
#include "support/ClientSamples.h"
#include "support/CliRun.h"
#include "clients/ClientTextImport.h"
#include "common/Clock.h"
#include "common/Cp1251.h"
#include "common/Crc32Calculator.h"
#include "common/NewFileByMoment.h"
#include "common/UserError.h"
#include "settings/SettingsRecord.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString clientLine(int n)
{
    return ClientLineFields(n).join(u'\t');
}

QString withField(int n, int index, const QString &value)
{
    QStringList fields = ClientLineFields(n);
    fields[index] = value;
    return fields.join(u'\t');
}

void writeBytes(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Two clients, the second a woman whose names and passport number came with
// blanks, and a blank line between them.
const QString kRows = clientLine(1) + u"\r\n \t \r\n"_s
        + QStringList{u"Ким Ли"_s, u"Анна"_s, u"Сергеевна"_s, u"женский"_s, u"987654321"_s, u"01.12.1990"_s,
                      u""_s, u"AB"_s, u"765 4321"_s, u"02.03.2015"_s, u"  ОВД  "_s, u"01.03.2025"_s,
                      u"Самарканд"_s}.join(u'\t')
        + u"\n"_s;

// A spreadsheet's CSV export of rows: a field holding the separator, a
// quote or a line end is quoted.
QString CsvText(const QList<QStringList> &rows, QChar separator)
{
    QStringList lines;
    for (const QStringList &row : rows) {
        QStringList fields;
        for (QString field : row) {
            if (field.contains(separator) || field.contains(u'"') || field.contains(u'\n'))
                field = u'"' + field.replace(u"\""_s, u"\"\""_s) + u'"';
            fields << field;
        }
        lines << fields.join(separator);
    }
    return lines.join(u"\r\n"_s) + u"\r\n"_s;
}

// The list without the moment it was written at: the header's time and the
// trailer's checksum over it.
QByteArray WithoutMoment(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() > 2) {
        QList<QByteArray> header = lines.first().split('\t');
        if (header.size() > 4)
            header[4].clear();
        lines.first() = header.join('\t');
        lines[lines.size() - 2] = lines[lines.size() - 2].left(13);
    }
    return lines.join('\n');
}

const QString kBadLine = u"Обнаружена ошибка в файле:\"rows.txt\", строка:%1, ошибка:<%2>\n"_s;

} // namespace

class TestClientCli : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    // Saves kRows; the path written, empty on failure.
    QString saveRows(const QStringList &options = {})
    {
        writeBytes(u"rows.txt"_s, Cp1251::encode(kRows));
        const CliRun run = RunCli(QStringList{u"clients"_s, u"rows.txt"_s} + options);
        if (run.exitCode != 0 || !run.out.endsWith(u'\n'))
            return {};
        return run.out.chopped(1);
    }

private slots:
    void init()
    {
        m_dir = EnterSettingsFolder({u"12345678"_s, u"ООО Тест"_s, u"00123"_s});
        QVERIFY(m_dir);
    }
    void cleanup() { LeaveFolder(m_dir); }

    void savesAList_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("docCode");
        QTest::addColumn<QString>("carried"); // place of birth, tax office, mobile, issuing authority
        const QString unfilled = u"\t\t(  )   -  -  \t"_s;
        QTest::newRow("defaults") << QStringList() << QString() << unfilled;
        QTest::newRow("passport, typed mobile")
                << QStringList{u"--doc-type"_s, u"0"_s, u"--mobile"_s, u"(90)123-45-67"_s, u"--birth-place"_s,
                               u"Ташкент"_s, u"--tax-office=ГНИ Юнусабадского района"_s, u"--issued-by"_s,
                               u"ОВД"_s}
                << u"1"_s << u"Ташкент\tГНИ Юнусабадского района\t(90)123-45-67\tОВД"_s;
        QTest::newRow("other, mobile as digits") << QStringList{u"--doc-type"_s, u"7"_s, u"--mobile"_s, u"901234567"_s}
                                                 << u"9"_s << u"\t\t(90)123-45-67\t"_s;
        QTest::newRow("none given as -1") << QStringList{u"--doc-type=-1"_s} << QString() << unfilled;
    }
    // The file byte for byte, as the bank receives it.
    void savesAList()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, docCode);
        QFETCH(QString, carried);
        const QString path = saveRows(options);
        QVERIFY(!path.isEmpty());
        const QByteArray bytes = FileBytes(path);

        const QString moment = Cp1251::decode(bytes).section(u'\t', 4, 4);
        const QDateTime saved = QDateTime::fromString(moment, u"dd.MM.yyyy HH:mm:ss"_s);
        QVERIFY2(qAbs(saved.secsTo(QDateTime::currentDateTime())) < 60, qPrintable(moment));
        QCOMPARE(path, u"Клиенты/CLSV0012312345678"_s + saved.toString(u"ddMMyyyyHHmmss"_s));

        const QString lines =
                u"H\t0000000001\t00123\t12345678\t"_s + moment + u"\t"_s
                + u"D\t0000000002\tКаримов\tАзиз\tРустамович\tM\t05.06.1980\t123456789\tТашкент, ул. Навои, 1\t"
                  u"AA\t1000001\tЮнусабадский РОВД г. Ташкента\t15.03.2016\t14.03.2026\t1234567\t"_s
                + docCode + u'\t' + carried + u'\t'
                + u"D\t0000000003\tКимЛи\tАнна\tСергеевна\tF\t01.12.1990\t987654321\tСамарканд\t"
                  u"AB\t7654321\t  ОВД  \t02.03.2015\t01.03.2025\t       \t"_s
                + docCode + u'\t' + carried + u'\t';
        const QByteArray crc = FormatCRC32(CalcStringCRC32(Cp1251::encode(lines))).toLatin1();
        QByteArray expected = Cp1251::encode(lines);
        expected.replace("\t" + Cp1251::encode(moment) + "\t", "\t" + Cp1251::encode(moment) + "\t\r\n");
        expected.replace("\tD\t", "\t\r\nD\t");
        expected += "\r\nT\t0000000004\t" + crc + "\t\r\n";
        QCOMPARE(bytes, expected);
    }

    // A spreadsheet's export of the same clients gives the list their TAB text gives.
    void readsSpreadsheetExports_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("error"); // the start of stderr

        const QStringList header{u"Фамилия"_s, u"Имя"_s, u"Отчество"_s, u"Пол"_s, u"ИНН"_s, u"Дата рождения"_s};
        QStringList first = ClientLineFields(1);
        first[12] = u"Ташкент; ул. \"Навои\", 1"_s;
        QStringList second = ClientLineFields(2);
        second[0] = u"Ғаниев"_s;
        const QList<QStringList> rows{header, first, {}, second};
        QTest::newRow("UTF-8 CSV with header, quoted ;")
                << QByteArray("\xEF\xBB\xBF") + CsvText(rows, u';').toUtf8() << QStringList()
                << u"rows.csv: Строка 4, столбец 1: «Ғ» заменена на «Г»\n"_s;
        const QString utf16 = QChar(0xFEFF) + CsvText(rows, u'\t');
        QTest::newRow("UTF-16 text") << QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2)
                                     << QStringList() << u"rows.csv: Строка 4"_s;

        // The fields in reverse order: --columns puts them back.
        QList<QStringList> reversed;
        QStringList columns;
        for (QStringList row : rows) {
            std::reverse(row.begin(), row.end());
            reversed << row;
        }
        for (int k = 13; k >= 1; --k)
            columns << QString::number(k);
        QTest::newRow("columns reversed, header said")
                << CsvText(reversed, u',').toUtf8()
                << QStringList{u"--columns"_s, columns.join(u','), u"--header"_s, u"yes"_s}
                << u"rows.csv: Строка 4, столбец 1"_s;
    }
    void readsSpreadsheetExports()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, options);
        QFETCH(QString, error);
        QStringList first = ClientLineFields(1);
        first[12] = u"Ташкент; ул. \"Навои\", 1"_s;
        QStringList second = ClientLineFields(2);
        second[0] = u"Ганиев"_s;
        writeBytes(u"rows.txt"_s, Cp1251::encode(u"\r\n"_s + first.join(u'\t') + u"\r\n\r\n"_s
                                                 + second.join(u'\t') + u"\r\n"_s));
        CliRun run = RunCli({u"clients"_s, u"rows.txt"_s});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray expected = WithoutMoment(FileBytes(run.out.chopped(1)));
        QVERIFY(expected.contains(Cp1251::encode(u"\tГаниев\t"_s)));

        writeBytes(u"rows.csv"_s, bytes);
        run = RunCli(QStringList{u"clients"_s, u"rows.csv"_s} + options);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.err.startsWith(error), qPrintable(run.err));
        QCOMPARE(WithoutMoment(FileBytes(run.out.chopped(1))), expected);
    }

    // A sheet's refusal and a client check's message both name the row as the sheet numbers it.
    void refusesSheetRows_data()
    {
        QTest::addColumn<QString>("field");   // the first client's surname
        QTest::addColumn<QString>("message");
        QTest::newRow("no spelling") << u"Ли王"_s
                                     << u"rows.csv: Строка 3, столбец 1: Символ «王» (U+738B) не принят"_s;
        QTest::newRow("check of the line") << QString()
                                           << u"Обнаружена ошибка в файле:\"rows.csv\", строка:3, ошибка:<"_s;
    }
    void refusesSheetRows()
    {
        QFETCH(QString, field);
        QFETCH(QString, message);
        QStringList client = ClientLineFields(1);
        client[0] = field;
        const QStringList header{u"Фамилия"_s, u"Имя"_s, u"Отчество"_s, u"Пол"_s, u"ИНН"_s, u"Дата рождения"_s};
        writeBytes(u"rows.csv"_s, CsvText({header, {}, client}, u';').toUtf8());
        const CliRun run = RunCli({u"clients"_s, u"rows.csv"_s});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err.count(u'\n'), 1);
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(u"Клиенты"_s));
    }

    // The first bad line stops it with the window's message; nothing is written.
    void refusesABadLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("short line") << clientLine(1) + u"\r\nКаримов\tАзиз"_s << 2 << ShortClientLineMessage();
        QTest::newRow("check, blank line counted")
                << clientLine(1) + u"\r\n\t \r\n"_s + withField(2, 1, QString()) << 3
                << u"Внимание! Заполните поле \"Имя\"!"_s;
        QTest::newRow("duplicate names the first row")
                << clientLine(1) + u'\n' + clientLine(2) + u'\n' + withField(1, 8, u"100 0001"_s) << 3
                << u"Паспортные данные AA 1000001 уже существуют в строке 1"_s;
        QTest::newRow("not a real date") << withField(1, 5, u"31.02.1980"_s) << 1
                                         << u"Внимание! Поле \"Дата рождения\" заполнено неверно!"_s;
        QTest::newRow("after many good lines") << QStringList{clientLine(1), clientLine(2), clientLine(3),
                                                              withField(4, 4, QString())}.join(u"\r"_s)
                                               << 4 << u"Внимание! Заполните поле \"ИНН\"!"_s;
    }
    void refusesABadLine()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, reason);
        writeBytes(u"rows.txt"_s, Cp1251::encode(text));
        const CliRun run = RunCli({u"clients"_s, u"rows.txt"_s});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, kBadLine.arg(line).arg(reason));
        QVERIFY(!QFileInfo::exists(u"Клиенты"_s));
    }

    void refusesWithoutWriting_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("branch"); // empty: no settings.ini
        QTest::addColumn<QString>("message"); // the start of standard error
        const QStringList rows{u"clients"_s, u"rows.txt"_s};
        QTest::newRow("no settings.ini") << rows << QString() << u"Нет файла \"settings.ini\""_s;
        QTest::newRow("no rows file") << QStringList{u"clients"_s, u"missing.txt"_s} << u"00123"_s
                                      << CannotLoadClientTextMessage() + u'\n';
        QTest::newRow("no client line") << QStringList{u"clients"_s, u"blank.txt"_s} << u"00123"_s
                                        << u"Таблица не заполнена!\n"_s;
        QTest::newRow("path in branch code") << rows << u"1/../"_s << u"Код филиала в файле \"settings.ini\" содержит"_s;
        QTest::newRow("document type 8") << rows + QStringList{u"--doc-type"_s, u"8"_s} << u"00123"_s
                                         << u"kardolist-cli clients: --doc-type"_s;
        QTest::newRow("TAB in a text") << rows + QStringList{u"--issued-by"_s, u"ОВД\tрайона"_s} << u"00123"_s
                                       << u"kardolist-cli clients: --issued-by holds a control character"_s;
        QTest::newRow("outside Windows-1251") << rows + QStringList{u"--birth-place"_s, u"東京"_s} << u"00123"_s
                                              << u"kardolist-cli clients: --birth-place holds a character"_s;
        QTest::newRow("two rows files") << rows + QStringList{u"more.txt"_s} << u"00123"_s
                                        << u"kardolist-cli clients: more than one rows file"_s;
        QTest::newRow("no rows file named") << QStringList{u"clients"_s, u"--strict"_s} << u"00123"_s
                                            << u"kardolist-cli clients: no rows file given"_s;
        QTest::newRow("the register's total option") << rows + QStringList{u"--expect-total"_s, u"1"_s} << u"00123"_s
                                                     << u"kardolist-cli clients: "_s;
    }
    void refusesWithoutWriting()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, branch);
        QFETCH(QString, message);
        writeBytes(u"rows.txt"_s, Cp1251::encode(kRows));
        writeBytes(u"blank.txt"_s, "\r\n \t\t\r\n\n");
        QFile::remove(SettingsFileName());
        if (!branch.isEmpty())
            WriteSettingsRecord({u"12345678"_s, u"ООО Тест"_s, branch});

        const CliRun run = RunCli(args);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(u"Клиенты"_s));
        QCOMPARE(QFileInfo::exists(SettingsFileName()), !branch.isEmpty());
    }

    // The names of this second and the next two are taken: it waits for a
    // free one and leaves those files alone.
    void neverReplacesAFile()
    {
        QVERIFY(QDir().mkdir(u"Клиенты"_s));
        const QDateTime now = QDateTime::currentDateTime();
        QStringList taken;
        for (int s = 0; s < 3; ++s) {
            taken << u"Клиенты/CLSV0012312345678"_s + now.addSecs(s).toString(u"ddMMyyyyHHmmss"_s);
            writeBytes(taken.last(), "earlier");
        }
        const QString path = saveRows();
        QVERIFY(!path.isEmpty());
        QVERIFY2(!taken.contains(path), qPrintable(path));
        for (const QString &name : taken)
            QCOMPARE(FileBytes(name), QByteArray("earlier"));
        QVERIFY(FileBytes(path).startsWith("H\t"));
    }

    // With an injected clock: the moment moves on a second at a time while
    // its name is taken.
    void takesTheNextFreeSecond_data()
    {
        QTest::addColumn<int>("taken");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<int>("seconds"); // the moment's distance from the first; -1: refused
        QTest::newRow("free") << 0 << 30 << 0;
        QTest::newRow("one taken") << 1 << 30 << 1;
        QTest::newRow("three taken") << 3 << 30 << 3;
        QTest::newRow("the last attempt") << 4 << 5 << 4;
        QTest::newRow("all attempts taken") << 5 << 5 << -1;
    }
    void takesTheNextFreeSecond()
    {
        QFETCH(int, taken);
        QFETCH(int, attempts);
        QFETCH(int, seconds);
        const QDateTime start(QDate(2026, 12, 8), QTime(23, 59, 58, 700));
        const auto nameOf = [](const QDateTime &m) { return u"CLSV"_s + m.toString(u"ddMMyyyyHHmmss"_s); };
        for (int s = 0; s < taken; ++s)
            writeBytes(nameOf(start.addSecs(s)), "earlier");
        FixedClock clock(start);
        QList<QDateTime> waits;
        const auto waitUntil = [&](const QDateTime &m) {
            waits << m;
            clock.set(m.addMSecs(40)); // the wait overshoots a little
        };
        try {
            const auto write = [](QIODevice &device, const QDateTime &m) {
                return WriteAll(device, m.toString(u"HH:mm:ss"_s).toLatin1());
            };
            const NewFileByMoment name = WriteNewFileByMoment(clock, nameOf, write, waitUntil, nullptr, attempts);
            QVERIFY(seconds >= 0);
            QCOMPARE(name.moment.toString(u"HH:mm:ss"_s), start.addSecs(seconds).toString(u"HH:mm:ss"_s));
            QCOMPARE(name.path, nameOf(name.moment));
            QCOMPARE(name.result, NewFileResult::Written);
            QCOMPARE(FileBytes(name.path), name.moment.toString(u"HH:mm:ss"_s).toLatin1());
        } catch (const UserError &e) {
            QCOMPARE(seconds, -1);
            QVERIFY2(e.text().contains(nameOf(start)), qPrintable(e.text()));
        }
        // Each wait is for the start of the next second.
        for (const QDateTime &m : waits)
            QCOMPARE(m.time().msec(), 0);
        QCOMPARE(waits.size(), seconds >= 0 ? seconds : attempts - 1);
        for (int s = 0; s < taken; ++s)
            QCOMPARE(FileBytes(nameOf(start.addSecs(s))), QByteArray("earlier"));
    }

    void nameInAMissingFolderFailsWithTheReason()
    {
        const FixedClock clock(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
        int waits = 0;
        QString reason;
        const NewFileByMoment name = WriteNewFileByMoment(
                clock, [](const QDateTime &) { return u"missing/CLSV1"_s; },
                [](QIODevice &device, const QDateTime &) { return WriteAll(device, "x"); },
                [&](const QDateTime &) { ++waits; }, &reason);
        QCOMPARE(name.result, NewFileResult::Failed);
        QCOMPARE(name.path, u"missing/CLSV1"_s);
        QCOMPARE(reason, u"Файл или папка не найдены"_s);
        QCOMPARE(waits, 0);
    }

    void verifiesAClientList_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to"); // null: the file ends before "from"
        QTest::addColumn<QString>("name"); // empty: as saved
        QTest::addColumn<QString>("problem"); // empty: clean
        QTest::newRow("clean") << QByteArray() << QByteArray() << QString() << QString();
        QTest::newRow("clean, renamed") << QByteArray() << QByteArray() << u"upload.txt"_s << QString();
        QTest::newRow("broken CRC") << QByteArray("1000001") << QByteArray("1000009") << QString()
                                    << u"line 4: checksum "_s;
        QTest::newRow("trailer missing") << QByteArray("T\t0000000004\t") << QByteArray() << QString()
                                         << u"line 3: no trailer (T) line at the end\n"_s;
        QTest::newRow("short detail line") << QByteArray("\tAB\t7654321\t") << QByteArray("\tAB7654321\t")
                                           << QString() << u"line 3: 19 fields instead of 20\n"_s;
        QTest::newRow("bad sex code") << QByteArray("\tM\t05.06.1980") << QByteArray("\tX\t05.06.1980") << QString()
                                      << u"line 2: sex code \"X\" is not M or F\n"_s;
        QTest::newRow("gap in the numbers") << QByteArray("D\t0000000003") << QByteArray("D\t0000000004")
                                            << QString() << u"line 3: line number 0000000004 is not 0000000003\n"_s;
        QTest::newRow("name against header") << QByteArray() << QByteArray() << u"CLSV0012312345678"_s
                                             << u"line 1: file name \"CLSV0012312345678\" does not match"_s;
    }
    void verifiesAClientList()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, name);
        QFETCH(QString, problem);
        QString path = saveRows();
        QVERIFY(!path.isEmpty());
        QByteArray bytes = FileBytes(path);
        if (!from.isEmpty()) {
            const qsizetype at = bytes.indexOf(from);
            QVERIFY(at >= 0);
            if (to.isNull())
                bytes.truncate(at);
            else
                bytes.replace(at, from.size(), to);
        }
        if (!name.isEmpty()) {
            QFile::remove(path);
            path = name;
        }
        writeBytes(path, bytes);

        const CliRun run = RunCli({u"verify"_s, path});
        QCOMPARE(run.exitCode, problem.isEmpty() ? 0 : 1);
        QVERIFY2(run.out.contains(u"Kind: client list (CLSV)\nClients: 2\nStored CRC: "_s), qPrintable(run.out));
        if (problem.isEmpty()) {
            QVERIFY2(run.out.startsWith(u"Kind:"_s) && run.out.endsWith(u"\nOK\n"_s), qPrintable(run.out));
            const QString crc = run.out.section(u"Stored CRC: "_s, 1).left(8);
            QVERIFY(run.out.contains(u"Computed CRC: "_s + crc));
        } else {
            QVERIFY2(run.out.startsWith(u"line "_s) && run.out.contains(problem), qPrintable(run.out));
        }
    }

    void helpListsTheDocumentTypes()
    {
        const CliRun run = RunCli({u"--help"_s});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(u"  kardolist-cli clients ROWS.txt [--doc-type INDEX]"_s));
        for (int i = 0; i < kDocTypeCount; ++i)
            QVERIFY2(run.out.contains(u"    %1  %2\n"_s.arg(i, 2).arg(DocTypeName(i))), qPrintable(DocTypeName(i)));
        QVERIFY(run.out.contains(u"    -1  (none)\n"_s));
    }

    void printsAClientList()
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext is not installed");
        const QString path = saveRows();
        QVERIFY(!path.isEmpty());
        QVERIFY(QFile::copy(path, u"list.dat"_s)); // known by its content
        const CliRun run = RunCli({u"print"_s, u"list.dat"_s, u"--pdf"_s, u"list.pdf"_s});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out, u"list.pdf: 2 clients, 1 page\n"_s);

        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {u"-layout"_s, u"list.pdf"_s, u"-"_s});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY2(text.contains(u"Каримов Азиз Рустамович"_s), qPrintable(text));
        QVERIFY2(text.contains(u"КимЛи Анна Сергеевна"_s), qPrintable(text));
        QVERIFY2(text.contains(u"ООО Тест"_s), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestClientCli)
#include "tst_cliclients.moc"
