#include "common/UserError.h"
#include "support/UserErrorText.h"
#include "settings/SettingsRecord.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// A record laid out by hand: per slot a length byte, the characters, zeros.
QByteArray layout(const QByteArray &code, const QByteArray &name, const QByteArray &filial)
{
    const auto slot = [](const QByteArray &text, int size) { return char(text.size()) + text.leftJustified(size, '\0'); };
    return slot(code, 8) + slot(name, 80) + slot(filial, 5);
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

} // namespace

class TestSettingsRecord : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void toBytes_data();
    void toBytes();
    void fromBytes_data();
    void fromBytes();
    void readFile_data();
    void readFile();
    void missingFileIsCreatedEmpty();
    void notAFileIsNamed_data();
    void notAFileIsNamed();
    void failedWriteKeepsOldFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsRecord::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid() && QDir::setCurrent(m_dir->path()));
}

void TestSettingsRecord::toBytes_data()
{
    QTest::addColumn<SettingsRecord>("record");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("Cyrillic name") << SettingsRecord{u"12345678"_s, u"ООО Ромашка"_s, u"00441"_s}
                                   << layout("12345678", "\xCE\xCE\xCE \xD0\xEE\xEC\xE0\xF8\xEA\xE0", "00441");
    QTest::newRow("empty") << SettingsRecord{} << layout("", "", "");
    QTest::newRow("cut to slots") << SettingsRecord{u"123456789"_s, QString(100, u'Я'), u"1234567"_s}
                                  << layout("12345678", QByteArray(80, '\xDF'), "12345");
}

void TestSettingsRecord::toBytes()
{
    QFETCH(SettingsRecord, record);
    QFETCH(QByteArray, bytes);
    QCOMPARE(bytes.size(), 96);
    QCOMPARE(record.toBytes(), bytes);
    QCOMPARE(SettingsRecord::fromBytes(bytes).toBytes(), bytes);
}

void TestSettingsRecord::fromBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<SettingsRecord>("record");

    QTest::newRow("95 bytes") << layout("1", "2", "3").left(95) << SettingsRecord{};

    QByteArray junk = layout("12", "ab", "3");
    junk[3] = 'X';
    junk[50] = 'Y';
    QTest::newRow("bytes beyond length ignored") << junk << SettingsRecord{u"12"_s, u"ab"_s, u"3"_s};

    QByteArray over(96, 'A');
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

void TestSettingsRecord::readFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<SettingsRecord>("record");
    QTest::addColumn<bool>("complete");

    const QByteArray full = layout("11112222", "\xC0\xE1\xE2", "33333");
    const SettingsRecord stored{u"11112222"_s, u"Абв"_s, u"33333"_s};
    QTest::newRow("zero bytes") << QByteArray() << SettingsRecord{} << false;
    QTest::newRow("short") << full.left(50) << SettingsRecord{} << false;
    QTest::newRow("one record") << full << stored << true;
    QTest::newRow("longer: first record") << full + "trailing" << stored << true;
}

void TestSettingsRecord::readFile()
{
    QFETCH(QByteArray, content);
    QFETCH(SettingsRecord, record);
    QFETCH(bool, complete);
    writeFile(u"settings.ini"_s, content);

    QCOMPARE(ReadSettingsRecord(), record);
    QCOMPARE(ReadCompleteSettingsRecord().has_value(), complete);
    QCOMPARE(::FileBytes(u"settings.ini"_s), content);
}

void TestSettingsRecord::missingFileIsCreatedEmpty()
{
    QVERIFY(!SettingsFileExists());
    QCOMPARE(ReadSettingsRecord(), SettingsRecord{});
    QVERIFY(SettingsFileExists());
    QCOMPARE(QFileInfo(u"settings.ini"_s).size(), 0);
}

void TestSettingsRecord::notAFileIsNamed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("what");
    QTest::newRow("folder") << u"folder"_s << u"папка"_s;
    QTest::newRow("FIFO") << u"fifo"_s << u"канал (FIFO)"_s;
    QTest::newRow("device") << u"device"_s << u"устройство"_s;
}

void TestSettingsRecord::notAFileIsNamed()
{
    QFETCH(QString, kind);
    QFETCH(QString, what);
    if (kind == u"folder"_s)
        QVERIFY(QDir().mkdir(u"settings.ini"_s));
    else if (kind == u"fifo"_s)
        QCOMPARE(mkfifo("settings.ini", 0600), 0);
    else
        QVERIFY(QFile::link(u"/dev/null"_s, u"settings.ini"_s));
    const QString error = UserErrorText([] { ReadSettingsRecord(); });
    QCOMPARE(error, u"\"settings.ini\" — %1, а не файл с данными. Открыть его нельзя"_s.arg(what));
}

void TestSettingsRecord::failedWriteKeepsOldFile()
{
    // A file size limit makes the write fail part-way, even for root.
    const QByteArray old = SettingsRecord{u"11111111"_s, u"Старое"_s, u"22222"_s}.toBytes();
    writeFile(u"settings.ini"_s, old);

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 40;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const QString error = UserErrorText([] { WriteSettingsRecord({u"12345678"_s, u"Новое"_s, u"12345"_s}); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY2(error.startsWith(u"Cannot create file \"settings.ini\"."_s), qPrintable(error));
    QCOMPARE(::FileBytes(u"settings.ini"_s), old);
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{u"settings.ini"_s});
}

QTEST_GUILESS_MAIN(TestSettingsRecord)
#include "tst_settingsrecord.moc"
