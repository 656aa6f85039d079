#include "common/GridPaging.h"

#include <QTest>

// The client table: 20 rows of 25 pixels, positions taken down to the page.
namespace {
constexpr GridPaging kClientPaging{20, 25, GridPaging::Rounding::Down};
constexpr GridPaging kNearestPaging{20, 26, GridPaging::Rounding::Nearest};
} // namespace

class TestGridPaging : public QObject
{
    Q_OBJECT

private slots:
    void selectionScroll_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("anchorBefore");
        QTest::addColumn<int>("anchorAfter");
        QTest::addColumn<int>("position"); // -1: the viewport stays
        QTest::newRow("page start") << 40 << 0 << 40 << 1000;
        QTest::newRow("row 0") << 0 << 0 << 0 << 0;
        QTest::newRow("inside the page") << 45 << 40 << 40 << -1;
        QTest::newRow("below the anchor") << 59 << 40 << 40 << -1;
        QTest::newRow("one page up") << 39 << 40 << 20 << 500;
        QTest::newRow("several pages up") << 3 << 80 << 0 << 0;
        QTest::newRow("off-page anchor") << 30 << 47 << 27 << 500; // 27 / 20 * 500
        QTest::newRow("past the top") << 3 << 99 << -1 << 0;
    }
    void selectionScroll()
    {
        QFETCH(int, row);
        QFETCH(int, anchorBefore);
        QFETCH(int, anchorAfter);
        QFETCH(int, position);
        const GridPaging::Scroll s = kClientPaging.scrollForSelection(row, anchorBefore);
        QCOMPARE(s.pageTopRow, anchorAfter);
        QCOMPARE(s.position.value_or(-1), position);
    }

    void pagePosition_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("nearest");
        QTest::newRow("negative") << -5 << 0 << 0;
        QTest::newRow("9") << 9 << 0 << 0;
        QTest::newRow("10, even page") << 10 << 0 << 0;
        QTest::newRow("11") << 11 << 0 << 520;
        QTest::newRow("30, odd page") << 30 << 500 << 1040;
        QTest::newRow("39") << 39 << 500 << 1040;
    }
    void pagePosition()
    {
        QFETCH(int, row);
        QFETCH(int, down);
        QFETCH(int, nearest);
        QCOMPARE(kClientPaging.pagePosition(row), down);
        QCOMPARE(kNearestPaging.pagePosition(row), nearest);
    }
};

QTEST_GUILESS_MAIN(TestGridPaging)
#include "tst_gridpaging.moc"
