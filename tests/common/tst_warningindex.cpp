#include "common/WarningIndex.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Range = std::pair<qsizetype, qsizetype>;
using Warnings = QList<Warning>;
Q_DECLARE_METATYPE(std::optional<Range>)
Q_DECLARE_METATYPE(Warnings)

namespace {

Warning At(qsizetype row, int column, const QString &message = u"Сумма меньше нуля"_s)
{
    return {u"amount-negative"_s, row, column, u"amount"_s, message};
}

} // namespace

// Which cells a set of warnings marks, and which rows must be repainted
// when it is replaced by another.
class TestWarningIndex : public QObject
{
    Q_OBJECT
private slots:
    void marksAndTexts()
    {
        WarningIndex index;
        // Out of row order, two on one row, one of them on a cell the view may hide.
        index.setWarnings({At(7, 2, u"Карта"_s), At(3, 3, u"Сумма"_s), At(3, 15, u"Срок"_s)});
        QVERIFY(index.marks(3, 3, 0));
        QVERIFY(!index.marks(3, 2, 0));
        QVERIFY(index.marks(3, 0, 0));
        QVERIFY(!index.marks(4, 0, 0));
        QCOMPARE(index.toolTip(3, 3, 0), u"Сумма"_s);
        QCOMPARE(index.toolTip(3, 0, 0), u"Сумма\nСрок"_s);
        QCOMPARE(index.toolTip(7, 2, 0), u"Карта"_s);
        QCOMPARE(index.toolTip(8, 0, 0), QString());
    }

    void changedRows_data()
    {
        QTest::addColumn<Warnings>("before");
        QTest::addColumn<Warnings>("after");
        QTest::addColumn<std::optional<Range>>("rows");

        const Warnings three{At(2, 1), At(5, 1), At(9, 1)};
        QTest::newRow("same") << three << three << std::optional<Range>();
        QTest::newRow("both empty") << Warnings{} << Warnings{} << std::optional<Range>();
        QTest::newRow("all gone") << three << Warnings{} << std::optional(Range{2, 9});
        QTest::newRow("first come") << Warnings{} << three << std::optional(Range{2, 9});
        QTest::newRow("one in the middle gone") << three << Warnings{At(2, 1), At(9, 1)} << std::optional(Range{5, 5});
        QTest::newRow("one added between") << three << Warnings{At(2, 1), At(4, 1), At(5, 1), At(9, 1)}
                                           << std::optional(Range{4, 4});
        QTest::newRow("text changed") << three << Warnings{At(2, 1), At(5, 1, u"Другое"_s), At(9, 1)}
                                      << std::optional(Range{5, 5});
        QTest::newRow("moved to another cell") << three << Warnings{At(2, 1), At(5, 2), At(9, 1)}
                                               << std::optional(Range{5, 5});
        QTest::newRow("last replaced by a later row") << three << Warnings{At(2, 1), At(5, 1), At(12, 1)}
                                                      << std::optional(Range{9, 12});
        QTest::newRow("a repeat of the same warning") << three << Warnings{At(2, 1), At(5, 1), At(5, 1), At(9, 1)}
                                                      << std::optional(Range{5, 5});
    }
    void changedRows()
    {
        QFETCH(Warnings, before);
        QFETCH(Warnings, after);
        QFETCH(std::optional<Range>, rows);
        WarningIndex a;
        WarningIndex b;
        a.setWarnings(before);
        b.setWarnings(after);
        QCOMPARE(b.changedRows(a), rows);
        QCOMPARE(a.changedRows(b), rows);
    }
};

QTEST_GUILESS_MAIN(TestWarningIndex)
#include "tst_warningindex.moc"
