#include "common/AtomicFile.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

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
        QTest::newRow("folder") << u"folder"_s << u"Filename refers to a directory"_s;
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
