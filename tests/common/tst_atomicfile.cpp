#include "common/AtomicFile.h"
#include "common/SystemReason.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <system_error>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QStringList AllEntries()
{
    return QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool WriteText(QIODevice &device, const char *text)
{
    return WriteAll(device, QByteArray(text));
}

} // namespace

class TestAtomicFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && QDir::setCurrent(m_dir->path()));
    }
    void cleanup()
    {
        QDir::setCurrent(QDir::tempPath());
        m_dir.reset();
    }

    // Nothing is written through a link or in place of what is no file;
    // the reason names it.
    void refusesWhatIsNoFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("link to a file") << u"link"_s
                                        << u"\"doc\" — символическая ссылка, запись через неё не делается"_s;
        QTest::newRow("dangling link") << u"dangling"_s
                                       << u"\"doc\" — символическая ссылка, запись через неё не делается"_s;
        QTest::newRow("folder") << u"folder"_s << u"Это папка"_s;
        QTest::newRow("FIFO") << u"fifo"_s
                              << u"\"doc\" — канал или устройство, а не файл: запись на его место не делается"_s;
    }
    void refusesWhatIsNoFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QFile target(u"target"_s);
        QVERIFY(target.open(QIODevice::WriteOnly) && target.write("old") == 3);
        target.close();
        if (kind == u"link"_s)
            QVERIFY(QFile::link(u"target"_s, u"doc"_s));
        else if (kind == u"dangling"_s)
            QVERIFY(QFile::link(u"missing"_s, u"doc"_s));
        else if (kind == u"folder"_s)
            QVERIFY(QDir().mkdir(u"doc"_s));
        else
            QCOMPARE(mkfifo("doc", 0600), 0);
        QString error;
        QVERIFY(!WriteFileAtomically(u"doc"_s, QByteArray("new"), &error));
        QCOMPARE(error, reason);
        QCOMPARE(FileBytes(u"target"_s), QByteArray("old"));
        QVERIFY(!QFile::exists(u"missing"_s));
    }

    // While a file is written, its temporary file is hidden from "NAME*" filters.
    void temporaryNameEscapesTheFilter()
    {
        QStringList during;
        QVERIFY(WriteFileAtomically(u"ZPSV0001"_s, [&](QIODevice &device) {
            during = AllEntries();
            return WriteText(device, "new");
        }));
        QCOMPARE(during.size(), 1);
        QVERIFY2(during[0].startsWith(u".ZPSV0001."_s), qPrintable(during[0]));
        QVERIFY(!QDir::match(u"ZPSV*"_s, during[0]));
        QCOMPARE(AllEntries(), QStringList{u"ZPSV0001"_s});
    }

    // A save removes what a killed save of the same file left, and nothing else.
    void removesStaleTemporaries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind"); // file, link, folder, held
        QTest::addColumn<bool>("removed");
        QTest::newRow("stale") << u".ZPSV0001.a1B2c3"_s << u"file"_s << true;
        QTest::newRow("link") << u".ZPSV0001.a1B2c3"_s << u"link"_s << false;
        QTest::newRow("folder") << u".ZPSV0001.a1B2c3"_s << u"folder"_s << false;
        QTest::newRow("held by a running save") << u".ZPSV0001.a1B2c3"_s << u"held"_s << false;
        QTest::newRow("another file's") << u".ZPSV00012.a1B2c3"_s << u"file"_s << false;
        QTest::newRow("not hidden") << u"ZPSV0001.a1B2c3"_s << u"file"_s << false;
        QTest::newRow("short tail") << u".ZPSV0001.a1B2c"_s << u"file"_s << false;
        QTest::newRow("not a tail") << u".ZPSV0001.a1-2c3"_s << u"file"_s << false;
    }
    void removesStaleTemporaries()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(bool, removed);
        QVERIFY(WriteFileAtomically(u"keep"_s, QByteArray("kept")));
        int held = -1;
        if (kind == u"link"_s) {
            QVERIFY(QFile::link(u"keep"_s, name));
        } else if (kind == u"folder"_s) {
            QVERIFY(QDir().mkdir(name));
        } else {
            QVERIFY(WriteFileAtomically(name, QByteArray("partial")));
            if (kind == u"held"_s) {
                held = ::open(QFile::encodeName(name).constData(), O_RDONLY);
                QVERIFY(held >= 0 && ::flock(held, LOCK_EX) == 0);
            }
        }
        QVERIFY(WriteFileAtomically(u"ZPSV0001"_s, QByteArray("new")));
        if (held >= 0)
            ::close(held);
        QCOMPARE(QFileInfo(name).exists() || QFileInfo(name).isSymLink(), !removed);
        QCOMPARE(FileBytes(u"keep"_s), QByteArray("kept"));
        QCOMPARE(FileBytes(u"ZPSV0001"_s), QByteArray("new"));
    }

    // A save killed while writing leaves the old file or no file under the
    // name, and a hidden temporary file that the next save removes.
    void killedWriteLeavesNothingUnderTheName_data()
    {
        QTest::addColumn<bool>("replacing");
        QTest::newRow("replacing") << true;
        QTest::newRow("new file") << false;
    }
    void killedWriteLeavesNothingUnderTheName()
    {
        QFETCH(bool, replacing);
        if (replacing)
            QVERIFY(WriteFileAtomically(u"CLSV1"_s, QByteArray("old")));
        const pid_t child = ::fork();
        if (child == 0) {
            const auto killedMidway = [](QIODevice &device) {
                WriteText(device, "H\tpart");
                ::_exit(9);
                return true;
            };
            if (replacing)
                WriteFileAtomically(u"CLSV1"_s, killedMidway);
            else
                WriteNewFile(u"CLSV1"_s, killedMidway);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 9);
        QCOMPARE(QFileInfo::exists(u"CLSV1"_s), replacing);
        if (replacing)
            QCOMPARE(FileBytes(u"CLSV1"_s), QByteArray("old"));
        const QStringList left = AllEntries();
        QCOMPARE(left.size(), replacing ? 2 : 1);
        QVERIFY2(left[0].startsWith(u".CLSV1."_s), qPrintable(left[0]));

        if (replacing)
            QVERIFY(WriteFileAtomically(u"CLSV1"_s, QByteArray("new")));
        else
            RemoveStaleTemporaries(u"."_s, u"CLSV"_s);
        QCOMPARE(AllEntries(), replacing ? QStringList{u"CLSV1"_s} : QStringList());
    }

    // A new file takes only a free name, and a refused one leaves nothing behind.
    void newFileNeverReplaces()
    {
        QVERIFY(WriteFileAtomically(u"CLSV1"_s, QByteArray("old")));
        QString reason;
        QCOMPARE(WriteNewFile(u"CLSV1"_s, [](QIODevice &d) { return WriteText(d, "new"); }, &reason),
                 NewFileResult::NameTaken);
        QCOMPARE(WriteNewFile(u"CLSV2"_s, [](QIODevice &d) { return WriteText(d, "new"); }, &reason),
                 NewFileResult::Written);
        QCOMPARE(WriteNewFile(u"CLSV3"_s, [](QIODevice &d) { return WriteText(d, "cut") && false; }, &reason),
                 NewFileResult::Failed);
        QCOMPARE(AllEntries(), (QStringList{u"CLSV1"_s, u"CLSV2"_s}));
        QCOMPARE(FileBytes(u"CLSV1"_s), QByteArray("old"));
        QCOMPARE(FileBytes(u"CLSV2"_s), QByteArray("new"));
    }

    void reasonsInRussian_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("systemText"); // empty: the error's own text
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << ENOSPC << QString() << u"Нет места на диске"_s;
        QTest::newRow("no access") << EACCES << QString() << u"Нет доступа"_s;
        QTest::newRow("not permitted") << EPERM << QString() << u"Операция не разрешена"_s;
        QTest::newRow("read-only") << EROFS << QString() << u"Диск только для чтения"_s;
        QTest::newRow("exists") << EEXIST << QString() << u"Файл уже существует"_s;
        QTest::newRow("not found") << ENOENT << QString() << u"Файл или папка не найдены"_s;
        QTest::newRow("a folder") << EISDIR << QString() << u"Это папка"_s;
        QTest::newRow("not a folder") << ENOTDIR << QString() << u"Часть пути — не папка"_s;
        QTest::newRow("QFile on a folder") << 0 << u"Filename refers to a directory"_s << u"Это папка"_s;
        QTest::newRow("uncommon") << EXDEV << QString() << qt_error_string(EXDEV);
        QTest::newRow("unknown text") << 0 << u"Unknown error"_s << u"Unknown error"_s;
    }
    void reasonsInRussian()
    {
        QFETCH(int, error);
        QFETCH(QString, systemText);
        QFETCH(QString, reason);
        if (error != 0) {
            QCOMPARE(SystemReason(error), reason);
            // As QFile and std::error_code word it.
            QCOMPARE(SystemReason(qt_error_string(error)), reason);
            QCOMPARE(SystemReason(QString::fromLocal8Bit(std::error_code(error, std::generic_category()).message())),
                     reason);
        } else {
            QCOMPARE(SystemReason(systemText), reason);
        }
    }

    // A new file gets the permissions the umask leaves; a replaced one keeps its own.
    void keepsPermissions()
    {
        QVERIFY(WriteFileAtomically(u"new"_s, QByteArray("x")));
        const mode_t mask = ::umask(0);
        ::umask(mask);
        struct stat st;
        QCOMPARE(::stat("new", &st), 0);
        QCOMPARE(st.st_mode & 0777, 0666 & ~mask);
        QCOMPARE(::chmod("new", 0640), 0);
        QVERIFY(WriteFileAtomically(u"new"_s, QByteArray("y")));
        QCOMPARE(::stat("new", &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0640));
        QCOMPARE(FileBytes(u"new"_s), QByteArray("y"));
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
