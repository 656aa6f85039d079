#include "support/ClientSamples.h"
#include "clients/ClientListFile.h"
#include "clients/ClientListLoad.h"
#include "clients/ClientListSave.h"
#include "common/BankFileReader.h"
#include "common/BankFileWriter.h"
#include "common/Clock.h"
#include "common/Cp1251.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Qt::StringLiterals;

namespace {

const SettingsRecord kSettings{u"12345678"_s, u"ООО Ромашка"_s, u"00123"_s};

ClientRecord Ivanov()
{
    return RecordFromFields(IvanovFields(), NameParts::Trimmed);
}

// A woman with "Другое", an expiry date, no patronymic, no mobile number,
// and letters (Ё, №) outside the Russian alphabet's plain range.
ClientRecord Semyonova()
{
    ClientFields f;
    f.surname = u"Семёнова"_s;
    f.name = u"Alla"_s;
    f.sexIndex = 1;
    f.inn = u"987654321"_s;
    f.birthday = u"29.02.1996"_s;
    f.phone = u"7654321"_s;
    f.docType = 7;
    f.passportSeries = u"XY"_s;
    f.passportNumber = u"000123"_s;
    f.passportDate = u"10.10.2015"_s;
    f.passportPlace = u"Самарканд"_s;
    f.passportEnd = u"09.10.2025"_s;
    f.address = u"ул. Ёлочная, д. 5, кв. №7"_s;
    f.placeOfBirth = u"Бухара"_s;
    f.taxOffice = u"ГНИ № 2"_s;
    f.passportIssuedBy = u"МВД"_s;
    return RecordFromFields(f, NameParts::Trimmed);
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Golden(const QString &name)
{
    return ReadAll(QStringLiteral(KARDOLIST_TEST_DATA) + u"/clients/"_s + name);
}

// The lines of a file between its first and its last.
QList<QByteArray> DetailLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    return lines.mid(1, lines.size() - 3);
}

QStringList ClientFiles()
{
    // Hidden ones too: a save leaves no temporary file behind.
    return QDir(ClientFolder()).entryList(QDir::Files | QDir::Hidden);
}

// A detail line for the file tests below; its sex and document codes vary.
QString DetailLine(int lineNumber, const QString &sex = u"M"_s, const QString &docCode = u"1"_s)
{
    return u"D\t%1\tКим\tОлег\tПетрович\t%2\t01.01.1990\t111111111\tадрес\tAB\t%3\tместо\t02.02.2010\t\t"
           u"1112233\t%4\tТашкент\tГНИ\t(90)111-22-33\tОВД\t"_s.arg(FormatLineNumber(lineNumber), sex)
            .arg(1000000 + lineNumber)
            .arg(docCode);
}

QByteArray FileOf(int clients)
{
    QString text = u"H\t0000000001\t00123\t12345678\t08.12.2026\t\r\n"_s;
    for (int i = 0; i < clients; ++i)
        text += DetailLine(i + 2) + u"\r\n"_s;
    return Cp1251::encode(text + u"T\t%1\t00000000\t\r\n"_s.arg(FormatLineNumber(clients + 2)));
}

#ifdef Q_OS_LINUX
// Writes past a few bytes fail with EFBIG while it lives, even for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};
#endif

} // namespace

class TestClientListSave : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        WriteSettingsRecord(kSettings);
        m_clock.set(QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)));
    }
    void cleanup()
    {
        QDir::setCurrent(QDir::tempPath());
        m_dir.reset();
    }

    // Expected bytes made apart from the writer, CRC by zlib.
    void writesTheGoldenBytes_data()
    {
        QTest::addColumn<QList<ClientRecord>>("records");
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("golden");
        QTest::newRow("one client") << QList<ClientRecord>{Ivanov()} << QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))
                                    << u"Клиенты/CLSV001231234567808122026140509"_s << u"one-client.clsv"_s;
        QTest::newRow("two clients at exactly midnight: the date alone")
            << QList<ClientRecord>{Ivanov(), Semyonova()} << QDateTime(QDate(2027, 1, 1), QTime(0, 0))
            << u"Клиенты/CLSV001231234567801012027"_s << u"two-clients-midnight.clsv"_s;
    }
    void writesTheGoldenBytes()
    {
        QFETCH(QList<ClientRecord>, records);
        QFETCH(QDateTime, moment);
        QFETCH(QString, name);
        QFETCH(QString, golden);
        m_clock.set(moment);
        const ClientListSaveResult result = SaveClientList(records, {}, m_clock);
        QCOMPARE(result.outcome.kind, ClientListSaveOutcome::Kind::Saved);
        QCOMPARE(result.outcome.path, name);
        QCOMPARE(result.outcome.message, u"Файл успешно сохранен как "_s + name);
        QCOMPARE(result.currentFile, QDir::currentPath() + u'/' + name);
        QCOMPARE(ReadAll(name), Golden(golden));
    }

    // Refused saves write nothing, make no folder, and name what to mend.
    void refusesBeforeWriting_data()
    {
        QTest::addColumn<QList<ClientRecord>>("records");
        QTest::addColumn<SettingsRecord>("settings");
        QTest::addColumn<QString>("message");
        QTest::addColumn<ClientField>("field");
        QTest::addColumn<int>("row");
        ClientRecord noSex = Ivanov();
        noSex[ClientColumn::Sex].clear();
        SettingsRecord badBranch = kSettings;
        badBranch.filialCode = u"../.."_s;
        QTest::newRow("empty table") << QList<ClientRecord>{} << kSettings << u"Таблица не заполнена!"_s
                                     << ClientField::Table << -1;
        QTest::newRow("second client without sex")
            << QList<ClientRecord>{Ivanov(), noSex} << kSettings << u"Неверно добавлена информация в таблицу"_s
            << ClientField::Table << 1;
        ClientRecord huge = Ivanov();
        huge[ClientColumn::Address] = QString(BankFileReader::kMaxFileSize, u'д');
        const qint64 hugeSize =
                BuildClientListFile(kSettings, {huge}, QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))).size();
        QTest::newRow("larger than the reader takes")
            << QList<ClientRecord>{huge} << kSettings << BankFileWriter::tooLargeMessage(hugeSize) << ClientField::Table
            << -1;
        QTest::newRow("branch code climbing out")
            << QList<ClientRecord>{Ivanov()} << badBranch
            << u"Код филиала в файле \"settings.ini\" содержит недопустимые символы. Допустимы только цифры. "
               u"Сохраните банковские реквизиты в окне \"Настройки\" заново"_s
            << ClientField::None << -1;
        QTest::newRow("settings without codes")
            << QList<ClientRecord>{Ivanov()} << SettingsRecord()
            << u"Код филиала в файле \"settings.ini\" не заполнен. Сохраните банковские реквизиты в окне \"Настройки\""_s
            << ClientField::None << -1;
        SettingsRecord blankClient = kSettings;
        blankClient.organisationCode = u"        "_s;
        QTest::newRow("blank client code")
            << QList<ClientRecord>{Ivanov()} << blankClient
            << u"Код клиента в файле \"settings.ini\" не заполнен. Сохраните банковские реквизиты в окне \"Настройки\""_s
            << ClientField::None << -1;
    }
    void refusesBeforeWriting()
    {
        QFETCH(QList<ClientRecord>, records);
        QFETCH(SettingsRecord, settings);
        QFETCH(QString, message);
        QFETCH(ClientField, field);
        QFETCH(int, row);
        WriteSettingsRecord(settings);
        int asked = 0;
        const ClientListSaveResult result =
                SaveClientList(records, {true, QDir::currentPath() + u"/Клиенты/CLSVold"_s}, m_clock, [&] {
                    ++asked;
                    return OverwriteAnswer::Yes;
                });
        QCOMPARE(result.outcome.kind, ClientListSaveOutcome::Kind::StoppedByCheck);
        QCOMPARE(result.outcome.message, message);
        QCOMPARE(result.outcome.field, field);
        QCOMPARE(result.outcome.row, row);
        QCOMPARE(asked, 0);
        QVERIFY(!QFileInfo::exists(ClientFolder()));
        QCOMPARE(ClientFiles(), QStringList());
    }

    // The question comes only after a save or load; each answer picks the target.
    void asksBeforeOverwriting_data()
    {
        QTest::addColumn<bool>("named");
        QTest::addColumn<std::optional<OverwriteAnswer>>("answer"); // none: no one to ask
        QTest::addColumn<bool>("newNameTaken");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("written"); // "current", "new" or ""
        QTest::newRow("never saved") << false << std::optional(OverwriteAnswer::Cancel) << false << 0 << u"new"_s;
        QTest::newRow("never saved, same second as the last save")
            << false << std::optional(OverwriteAnswer::Cancel) << true << 0 << u"new"_s;
        QTest::newRow("Yes") << true << std::optional(OverwriteAnswer::Yes) << false << 1 << u"current"_s;
        QTest::newRow("No") << true << std::optional(OverwriteAnswer::No) << false << 1 << u"new"_s;
        QTest::newRow("Cancel") << true << std::optional(OverwriteAnswer::Cancel) << false << 1 << QString();
        QTest::newRow("no one to ask") << true << std::optional<OverwriteAnswer>() << false << 0 << u"current"_s;
    }
    void asksBeforeOverwriting()
    {
        QFETCH(bool, named);
        QFETCH(std::optional<OverwriteAnswer>, answer);
        QFETCH(bool, newNameTaken);
        QFETCH(int, asked);
        QFETCH(QString, written);
        const QString newName = u"Клиенты/CLSV001231234567808122026140509"_s;
        const QString current = QDir::currentPath() + u"/Клиенты/CLSVold"_s;
        QVERIFY(QDir().mkdir(ClientFolder()));
        QVERIFY(WriteBytes(current, "old"));
        if (newNameTaken)
            QVERIFY(WriteBytes(newName, "old"));

        int questions = 0;
        std::function<OverwriteAnswer()> ask;
        if (answer)
            ask = [&] {
                ++questions;
                return *answer;
            };
        const ClientFileState state{named, named ? current : QString()};
        const ClientListSaveResult result = SaveClientList({Ivanov()}, state, m_clock, ask);

        QCOMPARE(questions, asked);
        const QByteArray golden = Golden(u"one-client.clsv"_s);
        QCOMPARE(ReadAll(current), written == u"current"_s ? golden : QByteArray("old"));
        QCOMPARE(ReadAll(newName), written == u"new"_s ? golden : QByteArray(newNameTaken ? "old" : "(unreadable)"));
        if (written.isEmpty()) {
            QCOMPARE(result.outcome.kind, ClientListSaveOutcome::Kind::Cancelled);
            QVERIFY(result.outcome.message.isEmpty());
            return;
        }
        const QString saved = written == u"new"_s ? newName : current;
        QCOMPARE(result.outcome.kind, ClientListSaveOutcome::Kind::Saved);
        QCOMPARE(result.outcome.path, saved);
        QCOMPARE(result.outcome.message, u"Файл успешно сохранен как "_s + saved);
        // The current file is only set when there was none: after No it stays.
        QCOMPARE(result.currentFile, named ? current : QDir::currentPath() + u'/' + newName);
    }

    // A failed write changes nothing on disk and reports the system's reason.
    void failedWriteKeepsWhatWasThere_data()
    {
        QTest::addColumn<QString>("blocker"); // a file in the way of the folder or the target
        QTest::addColumn<QString>("current"); // "": save under a new name
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("replacing");
        QTest::newRow("folder name taken by a file")
            << u"Клиенты"_s << QString() << u"Не удалось создать папку \"Клиенты\". Файл уже существует"_s << false;
        QTest::newRow("current file's folder is a file") << u"gone"_s << u"gone/CLSVold"_s
                                                         << u"Cannot create file \"gone/CLSVold\". Часть пути — не папка"_s
                                                         << false;
        QTest::newRow("current file is a folder")
            << u"CLSVdir/keep"_s << u"CLSVdir"_s
            << u"Не удалось перезаписать файл \"CLSVdir\", прежний файл не изменён. Это папка"_s
            << true;
    }
    void failedWriteKeepsWhatWasThere()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, current);
        QFETCH(QString, message);
        QFETCH(bool, replacing);
        QDir().mkpath(QFileInfo(blocker).path());
        QVERIFY(WriteBytes(blocker, "old"));
        const ClientFileState state{!current.isEmpty(), current};
        const ClientListSaveResult result = SaveClientList({Ivanov()}, state, m_clock, [] { return OverwriteAnswer::Yes; });
        QCOMPARE(result.outcome.kind, ClientListSaveOutcome::Kind::WriteFailed);
        QCOMPARE(result.outcome.message, message);
        QCOMPARE(result.outcome.replacing, replacing);
        QVERIFY(result.currentFile.isEmpty());
        QCOMPARE(ReadAll(blocker), QByteArray("old"));
    }

#ifdef Q_OS_LINUX
    // The old file survives a write that fails half-way (a full disk, here a size limit).
    void failedReplaceLeavesTheOldFileWhole()
    {
        const QString current = QDir::currentPath() + u"/Клиенты/CLSVold"_s;
        QVERIFY(QDir().mkdir(ClientFolder()));
        const QByteArray old = Golden(u"one-client.clsv"_s);
        QVERIFY(WriteBytes(current, old));
        ClientListSaveResult result;
        {
            const FileSizeLimit limit(100);
            result = SaveClientList({Ivanov(), Semyonova()}, {true, current}, m_clock, [] { return OverwriteAnswer::Yes; });
        }
        QCOMPARE(result.outcome.kind, ClientListSaveOutcome::Kind::WriteFailed);
        QVERIFY(result.outcome.replacing);
        QCOMPARE(ReadAll(current), old);
        QCOMPARE(ClientFiles(), QStringList{u"CLSVold"_s});
    }

    // A new file cut short by a full disk is not reported as a replacement,
    // and leaves nothing under a bank file's name.
    void failedNewFileSaysSo_data()
    {
        QTest::addColumn<ClientSaveTarget>("target");
        QTest::newRow("window") << ClientSaveTarget::AsAsked;
        QTest::newRow("command line") << ClientSaveTarget::NewFileOnly;
    }
    void failedNewFileSaysSo()
    {
        QFETCH(ClientSaveTarget, target);
        ClientListSaveResult result;
        {
            const FileSizeLimit limit(100);
            result = SaveClientList({Ivanov(), Semyonova()}, {}, m_clock, {}, target);
        }
        QCOMPARE(result.outcome.kind, ClientListSaveOutcome::Kind::WriteFailed);
        QVERIFY(!result.outcome.replacing);
        QVERIFY2(result.outcome.message.startsWith(u"Не удалось записать файл \"Клиенты/CLSV"_s),
                 qPrintable(result.outcome.message));
        QVERIFY2(result.outcome.message.endsWith(u". Файл слишком велик"_s), qPrintable(result.outcome.message));
        QCOMPARE(ClientFiles(), QStringList());
    }

    // A save of a new list removes what a killed one left in the folder.
    void newListRemovesStaleTemporaries()
    {
        QVERIFY(QDir().mkdir(ClientFolder()));
        QVERIFY(WriteBytes(ClientFolder() + u"/.CLSV0012312345678081220261405.Ab12Cd"_s, "H\tpart"));
        const ClientListSaveResult result = SaveClientList({Ivanov()}, {}, m_clock, {}, ClientSaveTarget::NewFileOnly);
        QCOMPARE(result.outcome.kind, ClientListSaveOutcome::Kind::Saved);
        QCOMPARE(ClientFiles(), QStringList{QFileInfo(result.outcome.path).fileName()});
    }
#endif

    void loads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("limit");
        QTest::addColumn<bool>("trailer");
        QTest::addColumn<bool>("crcMatches");
        QTest::addColumn<int>("column"); // of the last client, checked against text
        QTest::addColumn<QString>("text");

        const QByteArray one = Golden(u"one-client.clsv"_s);
        const QByteArray two = Golden(u"two-clients-midnight.clsv"_s);
        using namespace ClientColumn;
        QTest::newRow("golden file") << one << 1 << false << true << true << int(FullName) << u"Иванов Иван Иванович"_s;
        QTest::newRow("checksum changed by hand")
            << QByteArray(one).replace("F8C13968", "F8C13969") << 1 << false << true << false << int(Document)
            << u"AA 1234567"_s;
        QTest::newRow("lower-case checksum") << QByteArray(one).replace("F8C13968", "f8c13968") << 1 << false << true
                                             << true << int(Sex) << u"Мужской"_s;
        QTest::newRow("cut after a detail line: its client stays")
            << two.left(two.indexOf("T\t")) << 2 << false << false << false << int(Surname) << u"Семёнова"_s;
        QTest::newRow("cut without the last line end")
            << two.left(two.indexOf("T\t") - 2) << 2 << false << false << false << int(PassportIssuedBy) << u"МВД"_s;
        QTest::newRow("LF line ends") << QByteArray(two).replace("\r\n", "\n") << 2 << false << true << true
                                      << int(Address) << u"ул. Ёлочная, д. 5, кв. №7"_s;
        QTest::newRow("CR line ends") << QByteArray(two).replace("\r\n", "\r") << 2 << false << true << true
                                      << int(DocType) << u"7"_s;
        QTest::newRow("any letter, then TAB, as first line") << QByteArray(one).replace("H\t", "X\t") << 1 << false
                                                             << true << false << int(Inn) << u"123456789"_s;
        QTest::newRow("header alone") << QByteArray("H\r\n") << 0 << false << false << false << 0 << QString();
        QTest::newRow("header and trailer") << QByteArray("H\t\r\nT\t0000000002\t00000000\t\r\n") << 0 << false
                                            << true << false << 0 << QString();
        QTest::newRow("499 clients") << FileOf(499) << 499 << false << true << false << int(Number) << u"499"_s;
        QTest::newRow("500 clients: the limit is reached") << FileOf(500) << 500 << true << true << false
                                                           << int(Number) << u"500"_s;
        QTest::newRow("501 clients: every one kept") << FileOf(501) << 501 << true << true << false
                                                    << int(PassportNumber) << u"1000502"_s;

        const QList<std::pair<const char *, QString>> sexes{
            {"m", MaleText()}, {"м", MaleText()}, {"F", FemaleText()}, {"Ж", FemaleText()}, {"", FemaleText()}};
        for (const auto &[code, name] : sexes) {
            const QString file = u"H\r\n"_s + DetailLine(2, QString::fromUtf8(code)) + u"\r\n"_s;
            QTest::addRow("sex code \"%s\"", code) << Cp1251::encode(file) << 1 << false << false << false
                                                  << int(Sex) << name;
        }
        const QList<std::pair<const char *, QString>> docCodes{{"9", u"7"_s}, {"8", u"-1"_s}, {"0", u"-1"_s},
                                                               {"", u"-1"_s}, {"x", u"-1"_s}};
        for (const auto &[code, index] : docCodes) {
            const QString file = u"H\r\n"_s + DetailLine(2, u"M"_s, QString::fromUtf8(code)) + u"\r\n"_s;
            QTest::addRow("document code \"%s\"", code) << Cp1251::encode(file) << 1 << false << false << false
                                                       << int(DocType) << index;
        }
    }
    void loads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(bool, limit);
        QFETCH(bool, trailer);
        QFETCH(bool, crcMatches);
        QFETCH(int, column);
        QFETCH(QString, text);
        const ClientListContents contents = ReadClientList(bytes);
        QCOMPARE(contents.records.size(), count);
        QCOMPARE(contents.limitReached, limit);
        QCOMPARE(contents.hasTrailer, trailer);
        QCOMPARE(contents.checksumMatches, crcMatches);
        for (int i = 0; i < count; ++i)
            QCOMPARE(contents.records[i][ClientColumn::Number], QString::number(i + 1));
        if (count > 0)
            QCOMPARE(contents.records.last()[column], text);
    }

    // Whole or nothing: any refusal comes before a single client is given back.
    void refusesTheWholeFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray one = Golden(u"one-client.clsv"_s);
        const QByteArray line = Cp1251::encode(DetailLine(3));
        const QByteArray shortLine = line.left(line.lastIndexOf('\t', line.size() - 2)); // 19 fields
        const QString badFormat = u"Неверный формат файла!"_s;
        QTest::newRow("empty file") << QByteArray() << badFormat;
        QTest::newRow("empty first line") << QByteArray("\r\n") + one << badFormat;
        QTest::newRow("one other character") << QByteArray("X\r\n") << badFormat;
        QTest::newRow("TAB first") << QByteArray("\tH\r\n") << badFormat;
        QTest::newRow("19 fields in the second client")
            << QByteArray(one).insert(one.indexOf("T\t"), shortLine + "\r\n") << ClientShortLineMessage(3);
        QTest::newRow("empty line between clients")
            << QByteArray(one).insert(one.indexOf("D\t"), "\r\n") << ClientShortLineMessage(2);
        QTest::newRow("a trailer that is not last is a short client")
            << QByteArray(one) + line + "\r\n" << ClientShortLineMessage(3);
        const qsizetype client = one.indexOf("D\t");
        QTest::newRow("zero byte inside the client")
            << QByteArray(one).insert(client + 5, '\0') << u"Неверный формат файла! Строка 2: нулевой байт"_s;
        QTest::newRow("zero byte where the client begins")
            << QByteArray(one).insert(client, '\0') << u"Неверный формат файла! Строка 2: нулевой байт"_s;
    }
    void refusesTheWholeFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        try {
            ReadClientList(bytes);
            QFAIL("loaded");
        } catch (const UserError &e) {
            QCOMPARE(e.text(), message);
        }
    }

    void cannotOpen()
    {
        try {
            LoadClientList(u"Клиенты/CLSVnone"_s);
            QFAIL("loaded");
        } catch (const UserError &e) {
            QCOMPARE(e.text(), u"Cannot open file \"Клиенты/CLSVnone\". No such file or directory"_s);
        }
    }

    // Load, save over it, load again: the clients' lines come back byte for byte.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two clients") << Golden(u"two-clients-midnight.clsv"_s);
        QTest::newRow("500 clients") << FileOf(500);
    }
    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        const QString path = QDir::currentPath() + u"/CLSVloaded"_s;
        QVERIFY(WriteBytes(path, bytes));
        const ClientListContents loaded = LoadClientList(path);
        const ClientListSaveResult result =
                SaveClientList(loaded.records, {true, path}, m_clock, [] { return OverwriteAnswer::Yes; });
        QCOMPARE(result.outcome.kind, ClientListSaveOutcome::Kind::Saved);
        const QByteArray saved = ReadAll(path);
        QCOMPARE(DetailLines(saved), DetailLines(bytes));
        QVERIFY(saved.startsWith("H\t0000000001\t00123\t12345678\t08.12.2026 14:05:09\t\r\n"));
        QVERIFY(ReadClientList(saved).checksumMatches);
        QCOMPARE(LoadClientList(path).records, loaded.records);
    }

    // The size the save checks before writing is the size it then writes,
    // also when the file goes to its device in several pieces.
    void sizeKnownBeforeWriting_data()
    {
        QTest::addColumn<ClientRecords>("records");
        QTest::addColumn<QDateTime>("moment");
        ClientRecord noType = Ivanov();
        noType[ClientColumn::DocType] = u"-1"_s;
        noType[ClientColumn::PassportEnd] = u" . .  "_s;
        ClientRecords many;
        ClientRecord big = Semyonova();
        big[ClientColumn::Address] = QString(400, u'ж');
        for (int i = 0; i < 3000; ++i)
            many.append(big);
        QTest::newRow("two clients, time of day") << ClientRecords{Ivanov(), Semyonova()}
                                                   << QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9));
        QTest::newRow("no document type, blank expiry, midnight") << ClientRecords{noType}
                                                                   << QDateTime(QDate(2027, 1, 1), QTime(0, 0));
        QTest::newRow("more than one piece") << many << QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9));
    }
    void sizeKnownBeforeWriting()
    {
        QFETCH(ClientRecords, records);
        QFETCH(QDateTime, moment);
        const QByteArray built = BuildClientListFile(kSettings, records, moment);
        QCOMPARE(ClientListFileSize(kSettings, records, moment), built.size());
        QBuffer device;
        QVERIFY(device.open(QIODevice::WriteOnly));
        QVERIFY(WriteClientListFile(device, kSettings, records, moment));
        QCOMPARE(device.data(), built);
        const ClientListContents back = ReadClientList(built);
        QVERIFY(back.checksumMatches);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    FixedClock m_clock{QDateTime()};
};

QTEST_GUILESS_MAIN(TestClientListSave)
#include "tst_clientlistsave.moc"
