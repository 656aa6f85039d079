#include "payroll/PayrollWarnings.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Each warning as "row code", in the order given.
QStringList Found(const QList<Warning> &warnings)
{
    QStringList out;
    for (const Warning &w : warnings)
        out << u"%1 %2"_s.arg(w.row).arg(w.code);
    return out;
}

} // namespace

class TestPayrollWarnings : public QObject
{
    Q_OBJECT

private slots:
    void checksTheCard_data()
    {
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("code"); // empty: none
        QTest::newRow("visa") << u"4111111111111111"_s << QString();
        QTest::newRow("visa, last digit off") << u"4111111111111112"_s << u"card-check-digit"_s;
        QTest::newRow("4 good") << u"4000123412341002"_s << QString();
        QTest::newRow("4 bad") << u"4000123412341003"_s << u"card-check-digit"_s;
        QTest::newRow("5 good") << u"5100123412341008"_s << QString();
        QTest::newRow("5 bad") << u"5100123412341009"_s << u"card-check-digit"_s;
        QTest::newRow("2 good") << u"2200123412341004"_s << QString();
        QTest::newRow("2 bad") << u"2200123412341005"_s << u"card-check-digit"_s;
        QTest::newRow("9860 good") << u"9860123412341000"_s << QString();
        QTest::newRow("9860 bad") << u"9860123412341001"_s << u"card-check-digit"_s;
        QTest::newRow("8600 good") << u"8600123412341007"_s << QString();
        QTest::newRow("8600 bad") << u"8600123412341008"_s << u"card-check-digit"_s;
        QTest::newRow("15 digits") << u"860012341234100"_s << u"card-length"_s;
        QTest::newRow("17 digits") << u"86001234123410070"_s << u"card-length"_s;
        QTest::newRow("19 digits, check digit good") << u"8600123412341234563"_s << u"card-length"_s;
        // The save's own check refuses these; no warning repeats it.
        QTest::newRow("a letter") << u"860012341234100Z"_s << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void checksTheCard()
    {
        QFETCH(QString, card);
        QFETCH(QString, code);
        const QList<Warning> w = PayrollWarnings({{u"Иванов"_s, card, u"1.00"_s}});
        QCOMPARE(Found(w), code.isEmpty() ? QStringList() : QStringList{u"0 "_s + code});
        if (!code.isEmpty()) {
            QCOMPARE(w.first().field, u"card"_s);
            QCOMPARE(w.first().column, int(PayrollRows::Card));
        }
    }

    void findsARepeatedCardOnEveryRow()
    {
        const PayrollRows rows{{u"А"_s, u"4111111111111111"_s, u"1.00"_s},
                               {u"Б"_s, u"5100123412341008"_s, u"1.00"_s},
                               {u"В"_s, u"4111111111111111"_s, u"1.00"_s},
                               {u"Г"_s, u"4111111111111111"_s, u"1.00"_s}};
        const QList<Warning> w = PayrollWarnings(rows);
        QCOMPARE(Found(w), (QStringList{u"0 card-duplicate"_s, u"2 card-duplicate"_s, u"3 card-duplicate"_s}));
        QCOMPARE(w[0].otherRow, 2);
        QCOMPARE(w[1].otherRow, 0);
        QCOMPARE(w[2].otherRow, 0);
        // Rows named as the grid numbers them, or as the caller does.
        QVERIFY2(w[0].message.endsWith(u" 3"_s), qPrintable(w[0].message));
        const QList<Warning> inFile = PayrollWarnings(rows, [](qsizetype row) { return row + 2; });
        QVERIFY2(inFile[0].message.endsWith(u" 4"_s), qPrintable(inFile[0].message));
    }

    void checksTheAmount_data()
    {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("zero") << QStringList{u"0.00"_s} << QStringList{u"0 amount-zero"_s};
        QTest::newRow("zero in display form") << QStringList{u"0"_s} << QStringList{u"0 amount-zero"_s};
        QTest::newRow("below zero") << QStringList{u"-0.01"_s} << QStringList{u"0 amount-negative"_s};
        QTest::newRow("not a number: the save's") << QStringList{u"1,5"_s} << QStringList();
        // Four rows: too few for a median to mean anything.
        QTest::newRow("4 rows, one huge") << QStringList{u"100.00"_s, u"100.00"_s, u"100.00"_s, u"100000.00"_s}
                                          << QStringList();
        QTest::newRow("5 rows, one huge") << QStringList{u"100.00"_s, u"100.00"_s, u"100.00"_s, u"100000.00"_s, u"100.00"_s}
                                          << QStringList{u"3 amount-outlier"_s};
        QTest::newRow("exactly ten times") << QStringList{u"100.00"_s, u"100.00"_s, u"100.00"_s, u"1000.00"_s, u"100.00"_s}
                                           << QStringList();
        QTest::newRow("a tiyin above ten times") << QStringList{u"100.00"_s, u"100.00"_s, u"100.00"_s, u"1 000.01"_s, u"100.00"_s}
                                                 << QStringList{u"3 amount-outlier"_s};
        // Six rows: the median is halfway between 100 and 300, so 2000 is not above ten times it.
        QTest::newRow("even count, between the middle two")
                << QStringList{u"100.00"_s, u"100.00"_s, u"100.00"_s, u"300.00"_s, u"300.00"_s, u"2000.00"_s}
                << QStringList();
        QTest::newRow("even count, above") << QStringList{u"100.00"_s, u"100.00"_s, u"100.00"_s, u"300.00"_s, u"300.00"_s,
                                                          u"2000.01"_s}
                                           << QStringList{u"5 amount-outlier"_s};
        QTest::newRow("median zero") << QStringList{u"0.00"_s, u"0.00"_s, u"0.00"_s, u"5.00"_s, u"0.00"_s}
                                     << QStringList{u"0 amount-zero"_s, u"1 amount-zero"_s, u"2 amount-zero"_s,
                                                    u"4 amount-zero"_s};
    }
    void checksTheAmount()
    {
        QFETCH(QStringList, amounts);
        QFETCH(QStringList, found);
        PayrollRows rows;
        const QStringList cards{u"4111111111111111"_s, u"4000123412341002"_s, u"5100123412341008"_s,
                                u"2200123412341004"_s, u"9860123412341000"_s, u"8600123412341007"_s};
        for (qsizetype i = 0; i < amounts.size(); ++i)
            rows.append(u"Сотрудник"_s, cards[i], amounts[i]);
        const QList<Warning> w = PayrollWarnings(rows);
        QCOMPARE(Found(w), found);
        for (const Warning &each : w)
            QCOMPARE(each.field, u"amount"_s);
    }
};

QTEST_GUILESS_MAIN(TestPayrollWarnings)
#include "tst_payrollwarnings.moc"
