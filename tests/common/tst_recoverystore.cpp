#include "common/RecoveryBytes.h"
#include "common/RecoveryDebouncer.h"
#include "common/RecoveryStore.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A text of these UTF-16 units, unpaired surrogates too.
QString Units(std::initializer_list<char16_t> units)
{
    return QString(reinterpret_cast<const QChar *>(units.begin()), qsizetype(units.size()));
}

QString RecoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/recovery"_s;
}

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestRecoveryStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QDir(RecoveryFolder()).removeRecursively(); }

    void textsComeBackExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("latin") << u"8600 1234 5678 9012\t1 234.50"_s;
        QTest::newRow("cyrillic") << u"Иванов Иван Иванович"_s;
        QTest::newRow("unit bounds") << Units({0x7F, 0x80, 0x7FF, 0x800, 0xFFFF});
        QTest::newRow("astral") << u"😀 ё"_s;
        QTest::newRow("lone surrogates") << Units({0xDC00, u'a', 0xD800});
        QTest::newRow("long") << QString(300, u'ж');
    }
    void textsComeBackExactly()
    {
        QFETCH(QString, text);
        RecoveryBytesWriter out;
        out.putNumber(0);
        out.putText(text);
        out.putNumber(~quint64(0));
        const QByteArray bytes = out.take();

        RecoveryBytesReader in(bytes);
        quint64 zero = 1, large = 0;
        QString back = u"stale"_s;
        QVERIFY(in.getNumber(zero) && in.getText(back) && in.getNumber(large));
        QCOMPARE(zero, 0u);
        QCOMPARE(back, text);
        QCOMPARE(large, ~quint64(0));
        QVERIFY(in.atEnd());

        // Every cut short of the whole fails somewhere instead of reading on.
        for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
            RecoveryBytesReader part(QByteArrayView(bytes).first(cut));
            const bool whole = part.getNumber(zero) && part.getText(back) && part.getNumber(large);
            QVERIFY2(!whole, qPrintable(u"cut at %1"_s.arg(cut)));
        }
    }

    void roundTripAndRemoval()
    {
        QTemporaryDir work;
        const RecoveryStore store(u"payroll"_s, work.path());
        QCOMPARE(store.read().state, RecoveryStore::Read::State::None);
        QVERIFY(store.remove()); // nothing to remove is no failure

        const QByteArray body = QByteArray("\x00\x01 body \xFF", 10);
        QVERIFY(store.write(body));
        QVERIFY(store.exists());
        RecoveryStore::Read read = store.read();
        QCOMPARE(read.state, RecoveryStore::Read::State::Found);
        QCOMPARE(read.body, body);

        QVERIFY(store.write(QByteArray()));
        QCOMPARE(store.read().body, QByteArray());

        QVERIFY(store.remove());
        QVERIFY(!store.exists());
        QCOMPARE(store.read().state, RecoveryStore::Read::State::None);
    }

    void workingFoldersAndKindsNeverMeet()
    {
        QTemporaryDir first, second;
        const RecoveryStore a(u"payroll"_s, first.path());
        const RecoveryStore b(u"payroll"_s, second.path());
        const RecoveryStore clients(u"clients"_s, first.path());
        QVERIFY(a.path() != b.path());
        QVERIFY(a.path() != clients.path());
        QVERIFY(a.write("first"));
        QVERIFY(b.write("second"));
        QVERIFY(clients.write("clients"));
        QCOMPARE(a.read().body, "first");
        QCOMPARE(b.read().body, "second");
        QVERIFY(b.remove());
        QCOMPARE(a.read().body, "first");

        // The same folder, however it is spelt, keeps one copy.
        QVERIFY(QDir(first.path()).mkdir(u"sub"_s));
        QVERIFY(QFile::link(first.path(), second.filePath(u"link"_s)));
        for (const QString &spelling : {first.path() + u"/sub/.."_s, first.path() + u'/',
                                        second.filePath(u"link"_s)})
            QCOMPARE(RecoveryStore(u"payroll"_s, spelling).path(), a.path());
    }

    // A copy that cannot be read is renamed aside with its bytes, once, and
    // said so in one line.
    void unreadableCopyIsSetAside_data()
    {
        QTest::addColumn<int>("cut");     // bytes kept, -1 for all
        QTest::addColumn<int>("flip");    // byte changed, -1 for none
        QTest::addColumn<QByteArray>("append");
        QTest::newRow("header cut") << 10 << -1 << QByteArray();
        QTest::newRow("body cut") << 30 << -1 << QByteArray();
        QTest::newRow("empty file") << 0 << -1 << QByteArray();
        QTest::newRow("byte changed in body") << -1 << 25 << QByteArray();
        QTest::newRow("wrong magic") << -1 << 0 << QByteArray();
        QTest::newRow("other version") << -1 << 5 << QByteArray();
        QTest::newRow("bytes after the end") << -1 << -1 << QByteArray("x");
    }
    void unreadableCopyIsSetAside()
    {
        QFETCH(int, cut);
        QFETCH(int, flip);
        QFETCH(QByteArray, append);
        QTemporaryDir work;
        const RecoveryStore store(u"clients"_s, work.path());
        QVERIFY(store.write(QByteArray(40, 'b')));
        QByteArray bytes = FileBytes(store.path());
        if (cut >= 0)
            bytes.truncate(cut);
        if (flip >= 0)
            bytes[flip] = char(bytes[flip] ^ 0x01);
        bytes += append;
        QFile file(store.path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();

        const RecoveryStore::Read read = store.read();
        QCOMPARE(read.state, RecoveryStore::Read::State::SetAside);
        QVERIFY(!store.exists());
        const QStringList left = FilesIn(RecoveryFolder());
        QCOMPARE(left.size(), 1);
        QVERIFY(left[0].startsWith(QFileInfo(store.path()).fileName()));
        QCOMPARE(FileBytes(RecoveryFolder() + u'/' + left[0]), bytes);
        QVERIFY(read.note.contains(QDir::toNativeSeparators(RecoveryFolder() + u'/' + left[0])));
        QVERIFY(read.note.startsWith(u"Копия несохранённых данных не читается"_s));
        QVERIFY(!read.note.contains(u'\n'));

        QCOMPARE(store.read().state, RecoveryStore::Read::State::None);
        QVERIFY(store.write("next"));
        QCOMPARE(store.read().body, "next");
    }

    void setAsideTwiceKeepsBoth()
    {
        QTemporaryDir work;
        const RecoveryStore store(u"payroll"_s, work.path());
        for (int i = 0; i < 2; ++i) {
            QVERIFY(store.write("x"));
            QVERIFY(!store.setAside().isEmpty());
        }
        QCOMPARE(FilesIn(RecoveryFolder()).size(), 2);
    }

    void writeFailureGivesReason()
    {
        QTemporaryDir work;
        // A file where the folder of copies should be.
        QVERIFY(QDir().mkpath(QFileInfo(RecoveryFolder()).path()));
        QFile blocker(RecoveryFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QString reason;
        QVERIFY(!RecoveryStore(u"payroll"_s, work.path()).write("x", &reason));
        QVERIFY(!reason.isEmpty());
        QVERIFY(RecoveryWriteFailedText(reason).contains(reason));
        QVERIFY(QFile::remove(RecoveryFolder()));
    }

    void burstOfChangesWritesOnce()
    {
        int writes = 0;
        RecoveryDebouncer debouncer([&](QString &) { ++writes; return true; });
        debouncer.setQuietInterval(30);
        QSignalSpy written(&debouncer, &RecoveryDebouncer::written);
        for (int i = 0; i < 5; ++i) {
            debouncer.schedule();
            QTest::qWait(5);
        }
        QVERIFY(debouncer.isPending());
        QTRY_COMPARE(writes, 1);
        QTest::qWait(60);
        QCOMPARE(writes, 1);
        QCOMPARE(written.size(), 1);
        QVERIFY(!debouncer.isPending());
        QVERIFY(debouncer.flushNow()); // nothing waits: no write
        QCOMPARE(writes, 1);
    }

    void steadyChangesStillWrite()
    {
        int writes = 0;
        RecoveryDebouncer debouncer([&](QString &) { ++writes; return true; });
        debouncer.setQuietInterval(100000);
        debouncer.setLongestWait(30);
        debouncer.schedule();
        QTRY_COMPARE(writes, 1);
    }

    void flushAndCancel()
    {
        int writes = 0;
        RecoveryDebouncer debouncer([&](QString &) { ++writes; return true; });
        debouncer.schedule();
        QVERIFY(debouncer.flushNow());
        QCOMPARE(writes, 1);
        debouncer.setQuietInterval(10);
        debouncer.schedule();
        debouncer.cancel();
        QTest::qWait(40);
        QCOMPARE(writes, 1);
        QVERIFY(!debouncer.isPending());
    }

    void failureReportedOnceAndRetriedAtNextChange()
    {
        bool failing = true;
        int writes = 0;
        RecoveryDebouncer debouncer([&](QString &reason) {
            ++writes;
            reason = u"No space left on device"_s;
            return !failing;
        });
        debouncer.setQuietInterval(10);
        QSignalSpy failed(&debouncer, &RecoveryDebouncer::writeFailed);

        debouncer.schedule();
        QTRY_COMPARE(writes, 1);
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed[0][0].toString(), u"No space left on device"_s);
        QTest::qWait(40);
        QCOMPARE(writes, 1); // not retried until the next change
        QVERIFY(debouncer.isPending());

        debouncer.schedule();
        QTRY_COMPARE(writes, 2);
        QCOMPARE(failed.size(), 1);

        failing = false;
        debouncer.schedule();
        QTRY_COMPARE(writes, 3);
        QVERIFY(!debouncer.isPending());

        failing = true; // a new run of failures is told again
        debouncer.schedule();
        QTRY_COMPARE(writes, 4);
        QCOMPARE(failed.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestRecoveryStore)
#include "tst_recoverystore.moc"
