#include "common/UserError.h"
#include "settings/SettingsRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A record laid out by hand: length byte, characters, zero padding per slot.
QByteArray layout(const QByteArray &code, const QByteArray &name, const QByteArray &filial)
{
    QByteArray r;
    r += char(code.size()) + code.leftJustified(8, '\0');
    r += char(name.size()) + name.leftJustified(80, '\0');
    r += char(filial.size()) + filial.leftJustified(5, '\0');
    return r;
}

} // namespace

class TestSettingsRecord : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void exactBytes();
    void cutToSlots_data();
    void cutToSlots();
    void fromBytes_data();
    void fromBytes();
    void readFileRules_data();
    void readFileRules();
    void missingFileIsCreatedEmpty();
    void unreadableFileIsReportedNotRecreated();
    void writeReplacesLongerFile();
    void writeIntoDirectoryFails();
    void failedWriteKeepsOldFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsRecord::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestSettingsRecord::exactBytes()
{
    const SettingsRecord r{u"12345678"_s, u"ООО Ромашка"_s, u"00441"_s};
    const QByteArray expected = layout("12345678", "\xCE\xCE\xCE \xD0\xEE\xEC\xE0\xF8\xEA\xE0", "00441");
    QCOMPARE(expected.size(), 96);
    QCOMPARE(r.toBytes(), expected);
    QCOMPARE(SettingsRecord::fromBytes(expected), r);
}

void TestSettingsRecord::cutToSlots_data()
{
    QTest::addColumn<SettingsRecord>("record");
    QTest::addColumn<SettingsRecord>("stored");

    const QString name100 = QString(u"Я"_s).repeated(60) + QString(u"z"_s).repeated(40);
    QTest::newRow("fits") << SettingsRecord{u"87654321"_s, u"Name"_s, u"12345"_s}
                          << SettingsRecord{u"87654321"_s, u"Name"_s, u"12345"_s};
    QTest::newRow("empty") << SettingsRecord{} << SettingsRecord{};
    QTest::newRow("name of 100") << SettingsRecord{u"1"_s, name100, u"2"_s}
                                 << SettingsRecord{u"1"_s, name100.left(80), u"2"_s};
    QTest::newRow("codes too long") << SettingsRecord{u"123456789"_s, u"x"_s, u"1234567"_s}
                                    << SettingsRecord{u"12345678"_s, u"x"_s, u"12345"_s};
    QTest::newRow("blanks kept") << SettingsRecord{u"   45678"_s, u" a  b "_s, u"  345"_s}
                                 << SettingsRecord{u"   45678"_s, u" a  b "_s, u"  345"_s};
}

void TestSettingsRecord::cutToSlots()
{
    QFETCH(SettingsRecord, record);
    QFETCH(SettingsRecord, stored);
    const QByteArray bytes = record.toBytes();
    QCOMPARE(bytes.size(), 96);
    QCOMPARE(SettingsRecord::fromBytes(bytes), stored);
}

void TestSettingsRecord::fromBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<SettingsRecord>("record");

    const QByteArray full = layout("11112222", "Org", "33333");
    QTest::newRow("nothing") << QByteArray() << SettingsRecord{};
    QTest::newRow("95 bytes") << full.left(95) << SettingsRecord{};
    QTest::newRow("longer file: first record") << full + QByteArray(96, 'x')
                                               << SettingsRecord{u"11112222"_s, u"Org"_s, u"33333"_s};

    QByteArray junk = layout("12", "ab", "3");
    junk[3] = 'X';   // beyond the code's length
    junk[50] = 'Y';  // beyond the name's length
    QTest::newRow("bytes beyond length ignored") << junk << SettingsRecord{u"12"_s, u"ab"_s, u"3"_s};

    QByteArray over = QByteArray(96, 'A');
    over[0] = char(200);
    over[9] = char(81);
    over[90] = char(255);
    QTest::newRow("length beyond slot clamped")
        << over << SettingsRecord{QString(8, u'A'), QString(80, u'A'), QString(5, u'A')};
}

void TestSettingsRecord::fromBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(SettingsRecord, record);
    QCOMPARE(SettingsRecord::fromBytes(bytes), record);
}

void TestSettingsRecord::readFileRules_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<SettingsRecord>("record");
    QTest::addColumn<bool>("complete");

    const QByteArray full = layout("11112222", "\xC0\xE1\xE2", "33333");
    const SettingsRecord stored{u"11112222"_s, u"Абв"_s, u"33333"_s};
    QTest::newRow("zero bytes") << QByteArray() << SettingsRecord{} << false;
    QTest::newRow("short") << full.left(50) << SettingsRecord{} << false;
    QTest::newRow("one record") << full << stored << true;
    QTest::newRow("empty record") << layout("", "", "") << SettingsRecord{} << true;
    QTest::newRow("longer") << full + "trailing" << stored << true;
}

void TestSettingsRecord::readFileRules()
{
    QFETCH(QByteArray, content);
    QFETCH(SettingsRecord, record);
    QFETCH(bool, complete);
    writeFile(u"settings.ini"_s, content);

    QCOMPARE(ReadSettingsRecord(), record);
    const std::optional<SettingsRecord> read = ReadCompleteSettingsRecord();
    QCOMPARE(read.has_value(), complete);
    QCOMPARE(readFile(u"settings.ini"_s), content);
    QVERIFY(SettingsFileExists());
}

void TestSettingsRecord::missingFileIsCreatedEmpty()
{
    QVERIFY(!SettingsFileExists());
    QCOMPARE(ReadSettingsRecord(), SettingsRecord{});
    const QFileInfo info(u"settings.ini"_s);
    QVERIFY(info.isFile());
    QCOMPARE(info.size(), 0);
}

void TestSettingsRecord::unreadableFileIsReportedNotRecreated()
{
    // A folder in the file's place can be neither read nor recreated.
    QVERIFY(QDir().mkdir(u"settings.ini"_s));
    QVERIFY(!SettingsFileExists());
    try {
        ReadSettingsRecord();
        QFAIL("no error");
    } catch (const UserError &e) {
        QVERIFY2(e.text().contains(u"\"settings.ini\""_s), qPrintable(e.text()));
    }
    QVERIFY(QFileInfo(u"settings.ini"_s).isDir());
}

void TestSettingsRecord::writeReplacesLongerFile()
{
    writeFile(u"settings.ini"_s, QByteArray(500, 'z'));
    const SettingsRecord r{u"12345678"_s, u"Имя"_s, u"54321"_s};
    WriteSettingsRecord(r);
    QCOMPARE(readFile(u"settings.ini"_s), r.toBytes());
    QCOMPARE(ReadSettingsRecord(), r);
}

void TestSettingsRecord::writeIntoDirectoryFails()
{
    QVERIFY(QDir().mkdir(u"settings.ini"_s));
    writeFile(u"settings.ini/keep"_s, "kept");
    try {
        WriteSettingsRecord({u"12345678"_s, u"x"_s, u"12345"_s});
        QFAIL("no error");
    } catch (const UserError &e) {
        QVERIFY2(e.text().startsWith(u"Cannot create file \"settings.ini\"."_s), qPrintable(e.text()));
    }
    QCOMPARE(readFile(u"settings.ini/keep"_s), QByteArray("kept"));
}

void TestSettingsRecord::failedWriteKeepsOldFile()
{
    // A file size limit makes the write itself fail, even for root.
    const QByteArray old = SettingsRecord{u"11111111"_s, u"Старое"_s, u"22222"_s}.toBytes();
    writeFile(u"settings.ini"_s, old);

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 40;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool thrown = false;
    try {
        WriteSettingsRecord({u"12345678"_s, u"Новое"_s, u"12345"_s});
    } catch (const UserError &) {
        thrown = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(thrown);
    QCOMPARE(readFile(u"settings.ini"_s), old);
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{u"settings.ini"_s});
}

QTEST_GUILESS_MAIN(TestSettingsRecord)
#include "tst_settingsrecord.moc"
