#include "clients/ClientTableModel.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A record whose every cell names its record and column, so that a cell
// that lands in the wrong place shows.
ClientRecord Tagged(int tag)
{
    ClientRecord r;
    for (int c = 0; c < ClientColumn::Count; ++c)
        r[c] = u"r%1c%2"_s.arg(tag).arg(c);
    return r;
}

ClientRecord Tagged(int tag, const QString &series, const QString &number)
{
    ClientRecord r = Tagged(tag);
    r[ClientColumn::PassportSeries] = series;
    r[ClientColumn::PassportNumber] = number;
    return r;
}

// The table routines done the plain way: a scan for every look-up.
struct NaiveTable
{
    QList<ClientRecord> rows;

    void append(ClientRecord r)
    {
        r[ClientColumn::Number].clear();
        rows.append(r);
    }
    void overwrite(int row, const ClientRecord &r)
    {
        for (int c = 1; c < ClientColumn::Count; ++c)
            rows[row][c] = r[c];
    }
    void remove(int row)
    {
        if (row < 0 || row >= rows.size())
            return;
        rows[row] = rows.last();
        rows.removeLast();
    }
    void renumber()
    {
        for (int i = 0; i < rows.size(); ++i)
            rows[i][ClientColumn::Number] = QString::number(i + 1);
    }
    int find(const QString &series, const QString &number) const
    {
        for (int i = 0; i < rows.size(); ++i) {
            if (TrimName(rows[i][ClientColumn::PassportSeries]) == TrimName(series)
                && TrimName(rows[i][ClientColumn::PassportNumber]) == TrimName(number))
                return i + 1;
        }
        return -1;
    }
};

} // namespace

class TestClientTableModel : public QObject
{
    Q_OBJECT

private slots:
    void remove_data();
    void remove();
    void findPassport_data();
    void findPassport();
    void matchesNaiveTable_data();
    void matchesNaiveTable();
};

void TestClientTableModel::remove_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("expected"); // tags of the records left, in row order

    QTest::newRow("second of five: the fifth moves in") << 5 << 1 << QList<int>{0, 4, 2, 3};
    QTest::newRow("first of five") << 5 << 0 << QList<int>{4, 1, 2, 3};
    QTest::newRow("last of five goes alone") << 5 << 4 << QList<int>{0, 1, 2, 3};
    QTest::newRow("first of two") << 2 << 0 << QList<int>{1};
    QTest::newRow("the only one empties the table") << 1 << 0 << QList<int>{};
    QTest::newRow("row past the end changes nothing") << 3 << 3 << QList<int>{0, 1, 2};
    QTest::newRow("negative row changes nothing") << 3 << -1 << QList<int>{0, 1, 2};
    QTest::newRow("empty table") << 0 << 0 << QList<int>{};
}

void TestClientTableModel::remove()
{
    QFETCH(int, count);
    QFETCH(int, row);
    QFETCH(QList<int>, expected);

    ClientTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QList<ClientRecord> records;
    for (int i = 0; i < count; ++i)
        records.append(Tagged(i));
    model.replaceAll(records);

    model.remove(row);

    QList<ClientRecord> want;
    for (int tag : expected)
        want.append(Tagged(tag));
    // All 21 cells move, the number in column 0 included.
    QCOMPARE(model.records(), want);
    QCOMPARE(model.rowCount(), want.size());

    model.renumber();
    for (int i = 0; i < want.size(); ++i)
        QCOMPARE(model.cell(i, ClientColumn::Number), QString::number(i + 1));
}

void TestClientTableModel::findPassport_data()
{
    using Pairs = QList<QStringList>;
    QTest::addColumn<Pairs>("stored");   // series and number of each record
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("expected");

    const Pairs three{{u"AA"_s, u"1234567"_s}, {u"AB"_s, u"1234567"_s}, {u"AA"_s, u"7654321"_s}};
    QTest::newRow("exact") << three << u"AB"_s << u"1234567"_s << 2;
    QTest::newRow("none") << three << u"AC"_s << u"1234567"_s << -1;
    QTest::newRow("series of one, number of another") << three << u"AB"_s << u"7654321"_s << -1;
    QTest::newRow("query trimmed of blanks and controls")
        << three << u" \tAA\r\n"_s << u"  7654321 "_s << 3;
    QTest::newRow("stored trimmed too")
        << Pairs{{u" AA\t"_s, u"\n1234567  "_s}} << u"AA"_s << u"1234567"_s << 1;
    QTest::newRow("inner blank kept") << three << u"A A"_s << u"1234567"_s << -1;
    QTest::newRow("case matters") << three << u"aa"_s << u"1234567"_s << -1;
    QTest::newRow("first of duplicates")
        << Pairs{{u"X"_s, u"1"_s}, {u"AA"_s, u"5"_s}, {u"X"_s, u"2"_s}, {u" AA"_s, u"5 "_s}} << u"AA"_s
        << u"5"_s << 2;
    QTest::newRow("split between series and number matters")
        << Pairs{{u"AB"_s, u"C"_s}} << u"A"_s << u"BC"_s << -1;
    QTest::newRow("empty series and number match each other")
        << Pairs{{u"AA"_s, u"1"_s}, {u" "_s, QString()}} << QString() << u"\t"_s << 2;
    QTest::newRow("empty table") << Pairs{} << u"AA"_s << u"1"_s << -1;
}

void TestClientTableModel::findPassport()
{
    QFETCH(QList<QStringList>, stored);
    QFETCH(QString, series);
    QFETCH(QString, number);
    QFETCH(int, expected);

    // Once filled by appends, once by one reset: both paths keep the index.
    ClientTableModel appended;
    QList<ClientRecord> records;
    for (int i = 0; i < stored.size(); ++i) {
        records.append(Tagged(i, stored[i][0], stored[i][1]));
        appended.append(records.last());
    }
    ClientTableModel replaced;
    replaced.replaceAll(records);

    QCOMPARE(appended.findPassport(series, number), expected);
    QCOMPARE(replaced.findPassport(series, number), expected);
}

void TestClientTableModel::matchesNaiveTable_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("keys");       // distinct series/number pairs in play
    QTest::addColumn<int>("resetEvery"); // about one clear or replaceAll in so many steps

    QTest::newRow("few keys, many duplicates") << 1u << 2 << 400;
    QTest::newRow("some duplicates") << 2u << 12 << 400;
    QTest::newRow("mostly distinct") << 3u << 200 << 400;
    QTest::newRow("frequent resets") << 4u << 6 << 25;
}

void TestClientTableModel::matchesNaiveTable()
{
    QFETCH(quint32, seed);
    QFETCH(int, keys);
    QFETCH(int, resetEvery);

    QRandomGenerator random(seed);
    // Each key comes in several spellings that trim to the same texts.
    const QStringList pads{QString(), u" "_s, u"\t"_s, u" \r\n"_s};
    auto pad = [&](const QString &s) {
        return pads[random.bounded(pads.size())] + s + pads[random.bounded(pads.size())];
    };
    auto series = [&](int key) { return u"S%1"_s.arg(key % 7); };
    auto number = [&](int key) { return QString::number(key / 7); };
    int nextTag = 0;
    auto randomRecord = [&] {
        const int key = random.bounded(keys);
        return Tagged(nextTag++, pad(series(key)), pad(number(key)));
    };

    ClientTableModel model;
    // The tester checks every signal against the model; it is slow, so it
    // watches the first steps only.
    std::optional<QAbstractItemModelTester> tester;
    tester.emplace(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    NaiveTable naive;

    for (int step = 0; step < 3000; ++step) {
        if (step == 300)
            tester.reset();
        const int n = int(naive.rows.size());
        const int dice = random.bounded(100);
        if (random.bounded(resetEvery) == 0) {
            if (dice < 50) {
                model.clear();
                naive.rows.clear();
            } else {
                QList<ClientRecord> fresh;
                for (int i = random.bounded(30); i > 0; --i)
                    fresh.append(randomRecord());
                model.replaceAll(fresh);
                naive.rows = fresh;
            }
        } else if (dice < 45) {
            const ClientRecord r = randomRecord();
            QCOMPARE(model.append(r), n);
            naive.append(r);
        } else if (dice < 65 && n > 0) {
            const int row = random.bounded(n);
            const ClientRecord r = randomRecord();
            model.overwrite(row, r);
            naive.overwrite(row, r);
        } else if (dice < 90) {
            const int row = random.bounded(n + 1); // now and then one past the end
            model.remove(row);
            naive.remove(row);
        } else {
            model.renumber();
            naive.renumber();
        }

        QCOMPARE(model.records(), naive.rows);
        for (int probe = 0; probe < 12; ++probe) {
            const int key = keys <= 12 ? probe % keys : int(random.bounded(keys));
            const QString s = pad(series(key));
            const QString num = pad(number(key));
            if (model.findPassport(s, num) != naive.find(s, num))
                QFAIL(qPrintable(u"step %1: key %2 found in row %3, first holder is row %4"_s.arg(step).arg(key).arg(
                    model.findPassport(s, num)).arg(naive.find(s, num))));
        }
    }
}

QTEST_GUILESS_MAIN(TestClientTableModel)
#include "tst_clienttablemodel.moc"
