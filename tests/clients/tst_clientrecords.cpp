#include "clients/ClientRecords.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString RandomText(QRandomGenerator &random)
{
    static const QString letters = u"аБв Жя12.,x"_s;
    QString text;
    // Mostly short, now and then longer than a block's usual share.
    const int length = random.bounded(10) == 0 ? random.bounded(400) : random.bounded(8);
    for (int i = 0; i < length; ++i)
        text += letters[random.bounded(int(letters.size()))];
    return text;
}

ClientRecord RandomRecord(QRandomGenerator &random)
{
    ClientRecord record;
    for (QString &cell : record.cells)
        cell = RandomText(random);
    return record;
}

} // namespace

class TestClientRecords : public QObject
{
    Q_OBJECT

private slots:
    // Every change the table makes, checked against a plain list over many
    // random steps, across block boundaries and with copies kept aside.
    void matchesPlainList_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 2026u})
            QTest::newRow(qPrintable(u"seed %1"_s.arg(seed))) << seed;
    }
    void matchesPlainList()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        ClientRecords records;
        QList<ClientRecord> expected;
        ClientRecords snapshot;
        QList<ClientRecord> snapshotExpected;
        for (int step = 0; step < 3000; ++step) {
            const int op = random.bounded(100);
            if (op < 40 || expected.isEmpty()) {
                const ClientRecord record = RandomRecord(random);
                records.append(record);
                expected.append(record);
            } else if (op < 60) {
                const qsizetype i = random.bounded(int(expected.size()));
                const int column = random.bounded(int(ClientColumn::Count));
                const QString text = RandomText(random);
                records.setCell(i, column, text);
                expected[i][column] = text;
            } else if (op < 66) {
                // A cell set from another cell of the same records.
                const qsizetype from = random.bounded(int(expected.size()));
                const qsizetype to = random.bounded(int(expected.size()));
                const int fromColumn = random.bounded(int(ClientColumn::Count));
                const int toColumn = random.bounded(int(ClientColumn::Count));
                records.setCell(to, toColumn, records.cell(from, fromColumn));
                expected[to][toColumn] = QString(expected.at(from)[fromColumn]);
            } else if (op < 72) {
                // The table's overwrite: a whole record in place.
                const qsizetype i = random.bounded(int(expected.size()));
                const ClientRecord record = RandomRecord(random);
                records.replace(i, record);
                expected[i] = record;
            } else if (op < 80) {
                // The table's renumbering: one column over a run of records.
                const qsizetype first = random.bounded(int(expected.size()));
                const qsizetype last = first + random.bounded(int(expected.size() - first) + 40);
                const int column = random.bounded(int(ClientColumn::Count));
                QList<QString> texts;
                for (qsizetype i = first; i <= last; ++i)
                    texts.append(RandomText(random));
                records.setColumn(column, first, last, [&](qsizetype i) { return texts.at(i - first); });
                for (qsizetype i = first; i <= last && i < expected.size(); ++i)
                    expected[i][column] = texts.at(i - first);
            } else if (op < 83) {
                // A copy of a record appended from its own cells.
                const qsizetype i = random.bounded(int(expected.size()));
                records.append(records.views(i));
                expected.append(ClientRecord(expected.at(i)));
            } else if (op < 88) {
                // The table's delete: the last client takes the deleted one's place.
                const qsizetype i = random.bounded(int(expected.size()));
                records.replace(i, records.views(expected.size() - 1));
                expected[i] = expected.last();
                records.removeLast();
                expected.removeLast();
            } else if (op < 95) {
                records.removeLast();
                expected.removeLast();
            } else if (op < 98) {
                snapshot = records;
                snapshotExpected = expected;
            } else {
                records.clear();
                expected.clear();
            }
            QCOMPARE(records.size(), expected.size());
            if (step % 89 == 0) {
                QCOMPARE(records.toList(), expected);
                QVERIFY(records == expected);
                QCOMPARE(snapshot.toList(), snapshotExpected);
            }
        }
        QCOMPARE(records.toList(), expected);
        QCOMPARE(snapshot.toList(), snapshotExpected);
        QVERIFY(records == ClientRecords(expected));
    }

    // Equal records compare equal however they were reached; a single cell
    // moved across a cell boundary does not.
    void equality_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("equal");
        QTest::newRow("same") << u"ab|c"_s << u"ab|c"_s << true;
        QTest::newRow("boundary moved") << u"ab|c"_s << u"a|bc"_s << false;
        QTest::newRow("one cell differs") << u"ab|c"_s << u"ab|d"_s << false;
    }
    void equality()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(bool, equal);
        const auto record = [](const QString &cells) {
            ClientRecord r;
            const QStringList parts = cells.split(u'|');
            r[ClientColumn::Surname] = parts.at(0);
            r[ClientColumn::Name] = parts.at(1);
            return r;
        };
        ClientRecords a{record(u"x|y"_s), record(left)};
        ClientRecords b{record(u"x|y"_s), record(u"zzz|zzz"_s)};
        b.replace(1, record(right)); // reached by a change, not built alike
        QCOMPARE(a == b, equal);
        const QList<ClientRecord> plain{record(u"x|y"_s), record(right)};
        QCOMPARE(a == plain, equal);
    }
};

QTEST_GUILESS_MAIN(TestClientRecords)
#include "tst_clientrecords.moc"
