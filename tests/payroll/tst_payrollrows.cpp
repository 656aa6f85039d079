#include "payroll/PayrollRows.h"

#include <QRandomGenerator>
#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

QString RandomText(QRandomGenerator &random)
{
    static const QString letters = u"аБв Жя12.,x"_s;
    QString text;
    // Mostly short, now and then longer than a block's usual share.
    const int length = random.bounded(8) == 0 ? random.bounded(300) : random.bounded(6);
    for (int i = 0; i < length; ++i)
        text += letters[random.bounded(int(letters.size()))];
    return text;
}

QString &CellOf(PayrollRow &row, PayrollRows::Cell cell)
{
    return cell == PayrollRows::Name ? row.name : cell == PayrollRows::Card ? row.card : row.amount;
}

} // namespace

class TestPayrollRows : public QObject
{
    Q_OBJECT

private slots:
    // Every change the grid makes, checked against a plain list over many
    // random steps, across block boundaries and with copies kept aside.
    void matchesPlainList_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 42u})
            QTest::newRow(qPrintable(u"seed %1"_s.arg(seed))) << seed;
    }
    void matchesPlainList()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        PayrollRows rows;
        QList<PayrollRow> expected;
        PayrollRows snapshot;
        QList<PayrollRow> snapshotExpected;
        for (int step = 0; step < 4000; ++step) {
            const int op = random.bounded(100);
            if (op < 45 || expected.isEmpty()) {
                const PayrollRow row{RandomText(random), RandomText(random), RandomText(random)};
                rows.append(row);
                expected.append(row);
            } else if (op < 80) {
                const qsizetype i = random.bounded(int(expected.size()));
                const auto cell = PayrollRows::Cell(random.bounded(3));
                const QString text = RandomText(random);
                rows.setCell(i, cell, text);
                CellOf(expected[i], cell) = text;
            } else if (op < 88) {
                // The grid's delete: the last row takes the deleted one's place.
                const qsizetype i = random.bounded(int(expected.size()));
                rows.copyRow(expected.size() - 1, i);
                expected[i] = expected.last();
                rows.removeLast();
                expected.removeLast();
            } else if (op < 96) {
                rows.removeLast();
                expected.removeLast();
            } else if (op < 98) {
                snapshot = rows;
                snapshotExpected = expected;
            } else {
                rows.clear();
                expected.clear();
            }
            QCOMPARE(rows.size(), expected.size());
            if (step % 97 == 0) {
                QCOMPARE(rows.toList(), expected);
                QCOMPARE(snapshot.toList(), snapshotExpected);
            }
        }
        QCOMPARE(rows.toList(), expected);
        QCOMPARE(snapshot.toList(), snapshotExpected);
    }

    // A rewrite that fails part way keeps what it did before the failing
    // row and nothing after it, in that row's block and beyond.
    void rewriteStopsAtThrowingRow_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("throwing");
        QTest::newRow("first block") << 0 << 10;
        QTest::newRow("first row of a block") << 3 << 64;
        QTest::newRow("next block") << 3 << 130;
        QTest::newRow("none") << 5 << -1;
    }
    void rewriteStopsAtThrowingRow()
    {
        QFETCH(int, first);
        QFETCH(int, throwing);
        PayrollRows rows;
        for (int i = 0; i < 200; ++i)
            rows.append(u"Имя %1"_s.arg(i), QString::number(i), QString::number(i));
        const PayrollRows before = rows;
        const int last = 180;
        bool thrown = false;
        try {
            rows.rewriteAmounts(first, last, [throwing](qsizetype row, QStringView amount) -> std::optional<QString> {
                if (row == throwing)
                    throw std::runtime_error("bad amount");
                if (row % 3 == 0)
                    return std::nullopt;
                return amount.toString() + u".00"_s;
            });
        } catch (const std::runtime_error &) {
            thrown = true;
        }
        QCOMPARE(thrown, throwing >= 0);
        const int rewrittenEnd = throwing >= 0 ? throwing : last + 1;
        for (int i = 0; i < rows.size(); ++i) {
            const bool rewritten = i >= first && i < rewrittenEnd && i % 3 != 0;
            QCOMPARE(rows.amount(i), rewritten ? QString::number(i) + u".00"_s : QString::number(i));
            QCOMPARE(rows.name(i), u"Имя %1"_s.arg(i));
            QCOMPARE(rows.card(i), QString::number(i));
        }
        // The copy taken before is untouched.
        QCOMPARE(before.amount(100), u"100"_s);
    }
};

QTEST_GUILESS_MAIN(TestPayrollRows)
#include "tst_payrollrows.moc"
