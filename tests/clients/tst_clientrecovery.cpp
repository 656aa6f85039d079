#include "clients/ClientRecovery.h"

#include <QDir>
#include <QFile>
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

const QDateTime kTaken(QDate(2026, 12, 8), QTime(9, 30, 59));

ClientRecord Client(int n)
{
    ClientRecord record;
    for (int column = 0; column < ClientColumn::Count; ++column)
        record[column] = u"%1 клиент %2"_s.arg(column).arg(n);
    record[ClientColumn::Birthday] = u"  .  .    "_s;
    record[ClientColumn::DocType] = u"-1"_s;
    return record;
}

ClientRecords Clients(int count)
{
    ClientRecords records;
    for (int n = 0; n < count; ++n)
        records.append(Client(n));
    return records;
}

// A copy as written by hand: these columns and records, then one record's
// worth of empty cells.
QByteArray Headed(quint64 columns, quint64 records)
{
    RecoveryBytesWriter out;
    out.putNumber(ClientRecovery::kFormat);
    out.putNumber(quint64(kTaken.toMSecsSinceEpoch()));
    out.putText(u"f"_s);
    out.putNumber(columns);
    out.putNumber(records);
    return out.take() + QByteArray(ClientColumn::Count, '\0');
}

} // namespace

Q_DECLARE_METATYPE(ClientRecovery)

class TestClientRecovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
        m_work.emplace();
    }

    void roundTrip_data()
    {
        QTest::addColumn<ClientRecovery>("copy");
        QTest::newRow("empty table") << ClientRecovery{{}, {}, kTaken};
        QTest::newRow("one client, file open")
            << ClientRecovery{Clients(1), u"Клиенты/CLSV001231234567820261208093059"_s, kTaken};
        ClientRecord odd;
        odd[ClientColumn::FullName] = u"Ёлкин\tИ\r\n😀"_s;
        odd[ClientColumn::Address] = Units({0xDFFF});
        QTest::newRow("odd texts, empty cells") << ClientRecovery{{odd, Client(2)}, {}, kTaken};
        QTest::newRow("full table") << ClientRecovery{Clients(kMaxClientRecords), u"a"_s, kTaken};
    }
    void roundTrip()
    {
        QFETCH(ClientRecovery, copy);
        QCOMPARE(DecodeRecovery<ClientRecovery>(EncodeRecovery(copy)), copy);

        const RecoveryStore store = RecoveryStoreFor<ClientRecovery>(m_work->path());
        QVERIFY(WriteRecovery<ClientRecovery>(store, copy));
        const RecoveryRead<ClientRecovery> read = ReadRecovery<ClientRecovery>(store);
        QVERIFY(read.note.isEmpty());
        QVERIFY(read.copy.has_value());
        QCOMPARE(read.copy->records.toList(), copy.records.toList());
        QCOMPARE(read.copy->currentFile, copy.currentFile);
        QCOMPARE(read.copy->takenAt, copy.takenAt);
        QVERIFY(store.remove());
        QVERIFY(!ReadRecovery<ClientRecovery>(store).copy);
    }

    // The hand-written copy the refusals below vary is itself read.
    void handWrittenCopyIsRead()
    {
        const std::optional<ClientRecovery> copy = DecodeRecovery<ClientRecovery>(Headed(ClientColumn::Count, 1));
        QVERIFY(copy);
        QCOMPARE(copy->records, ClientRecords{ClientRecord()});
        QCOMPARE(copy->currentFile, u"f"_s);
    }

    void foreignBodyIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("body");
        const QByteArray good = EncodeRecovery(ClientRecovery{Clients(3), u"f"_s, kTaken});
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other format") << QByteArray(1, '\x07') + good.mid(1);
        QTest::newRow("clients cut") << good.left(good.size() - 1);
        QTest::newRow("bytes after the clients") << good + 'x';
        QTest::newRow("another column count") << Headed(ClientColumn::Count - 1, 1);
        QTest::newRow("more records than bytes") << Headed(ClientColumn::Count, quint64(1) << 40);
    }
    void foreignBodyIsSetAside()
    {
        QFETCH(QByteArray, body);
        QVERIFY(!DecodeRecovery<ClientRecovery>(body));
        const RecoveryStore store = RecoveryStoreFor<ClientRecovery>(m_work->path());
        QVERIFY(store.write(body));
        const RecoveryRead<ClientRecovery> read = ReadRecovery<ClientRecovery>(store);
        QVERIFY(!read.copy);
        QVERIFY(!read.note.isEmpty());
        QVERIFY(!store.exists());
    }

    void corruptCopyIsSetAside()
    {
        const RecoveryStore store = RecoveryStoreFor<ClientRecovery>(m_work->path());
        QVERIFY(WriteRecovery<ClientRecovery>(store, {Clients(10), {}, kTaken}));
        QFile file(store.path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(file.size() - 20));
        QCOMPARE(file.write("#"), 1);
        file.close();
        const RecoveryRead<ClientRecovery> read = ReadRecovery<ClientRecovery>(store);
        QVERIFY(!read.copy);
        QVERIFY(read.note.contains(QDir::toNativeSeparators(store.path()) + u".unreadable-"_s));
    }

    void question_data()
    {
        QTest::addColumn<int>("clients");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one") << 1 << u"Найдены несохранённые данные от 08.12.2026 09:30 (клиентов: 1). Восстановить?"_s;
        QTest::newRow("full") << 500
                              << u"Найдены несохранённые данные от 08.12.2026 09:30 (клиентов: 500). Восстановить?"_s;
    }
    void question()
    {
        QFETCH(int, clients);
        QFETCH(QString, expected);
        QCOMPARE(ClientRecoveryQuestion({Clients(clients), {}, kTaken}), expected);
    }

private:
    std::optional<QTemporaryDir> m_work;
};

QTEST_GUILESS_MAIN(TestClientRecovery)
#include "tst_clientrecovery.moc"
