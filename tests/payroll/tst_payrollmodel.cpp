#include "common/UserError.h"
#include "payroll/PayrollPaging.h"
#include "payroll/PayrollModel.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(PayrollRow)

namespace {

PayrollModel *modelWithAmounts(QObject *parent, const QStringList &amounts)
{
    auto *m = new PayrollModel(parent);
    QList<PayrollRow> rows;
    for (const QString &a : amounts)
        rows.append({u"Имя"_s, u"1"_s, a});
    m->setRows(rows);
    return m;
}

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const UserError &e) {
        return e.text();
    }
    return {};
}

// What the caches must agree with: the routines computed over every row.
std::optional<Money> naiveSum(const PayrollModel &m)
{
    Money sum;
    for (const PayrollRow &r : m.rows()) {
        if (QString(r.amount).remove(u' ').isEmpty())
            continue;
        const auto v = Money::parseAmountText(r.amount);
        if (!v)
            return std::nullopt;
        sum += *v;
    }
    return sum;
}

QList<int> naiveBadCards(const PayrollModel &m)
{
    QList<int> bad;
    for (int row = 0; row <= m.lastRow(); ++row) {
        const QString card = m.cell(row, PayrollModel::CardColumn);
        if (std::any_of(card.cbegin(), card.cend(), [](QChar c) { return c < u'0' || c > u'9'; }))
            bad.append(row);
    }
    return bad;
}

} // namespace

class TestPayrollModel : public QObject
{
    Q_OBJECT
private slots:
    void amountForms_data();
    void amountForms();
    void formatStopsAtFailingRow();
    void sum_data();
    void sum();
    void cachesFollowEdits();
    void headersAndNumbers();
    void pageKeys_data();
    void pageKeys();
    void selectionScroll_data();
    void selectionScroll();
};

void TestPayrollModel::amountForms_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("error");
    QTest::newRow("grouping") << u"1234.5"_s << u"1 234.50"_s << QString();
    QTest::newRow("half away from zero") << u"1.005"_s << u"1.01"_s << QString();
    QTest::newRow("negative") << u"-1234567.5"_s << u"-1 234 567.50"_s << QString();
    QTest::newRow("empty") << QString() << u"0.00"_s << QString();
    QTest::newRow("point only") << u"."_s << QString() << u"'.' is not a valid floating point value"_s;
    QTest::newRow("blanks only") << u"   "_s << QString() << u"'' is not a valid floating point value"_s;
}

void TestPayrollModel::amountForms()
{
    QFETCH(QString, typed);
    QFETCH(QString, display);
    QFETCH(QString, error);

    PayrollModel *m = modelWithAmounts(this, {typed});
    QCOMPARE(errorOf([m] { m->formatAmounts(); }), error);
    QCOMPARE(m->cell(0, 3), error.isEmpty() ? display : typed);
    // Formatting again keeps the value.
    QCOMPARE(errorOf([m] { m->formatAmounts(); }), error);
    QCOMPARE(m->cell(0, 3), error.isEmpty() ? display : typed);
}

void TestPayrollModel::formatStopsAtFailingRow()
{
    PayrollModel *m = modelWithAmounts(this, {u"1000"_s, u"x"_s, u"2000"_s});
    QCOMPARE(errorOf([m] { m->formatAmounts(); }), u"'x' is not a valid floating point value"_s);
    QCOMPARE(m->cell(0, 3), u"1 000.00"_s);
    QCOMPARE(m->cell(1, 3), u"x"_s);
    QCOMPARE(m->cell(2, 3), u"2000"_s);
}

void TestPayrollModel::sum_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("total"); // empty: "Неправильное число"
    QTest::newRow("display and plain") << QStringList{u"1 500 000.00"_s, u"0.75"_s} << u"1 500 000.75"_s;
    QTest::newRow("empty counts 0") << QStringList{QString(), u"  "_s, u"3"_s} << u"3.00"_s;
    QTest::newRow("tenths stay exact") << QStringList(10, u"0.1"_s) << u"1.00"_s;
    QTest::newRow("not a number") << QStringList{u"1"_s, u"."_s} << QString();
    QTest::newRow("total out of range")
            << QStringList{u"999999999999999.99"_s, u"999999999999999.99"_s} << QString();
}

void TestPayrollModel::sum()
{
    QFETCH(QStringList, amounts);
    QFETCH(QString, total);
    PayrollModel *m = modelWithAmounts(this, amounts);
    const std::optional<Money> sum = m->sumAmounts();
    QCOMPARE(sum ? sum->toDisplay() : QString(), total);
}

void TestPayrollModel::cachesFollowEdits()
{
    const QStringList amounts{QString(), u"1"_s, u"2.5"_s, u"1 000"_s, u"."_s, u"x"_s, u"-3"_s, u"  "_s};
    const QStringList cards{QString(), u"8600"_s, u"12 3"_s, u"a1"_s};
    QRandomGenerator rng(20261208);
    PayrollModel m;
    for (int step = 0; step < 3000; ++step) {
        const int op = rng.bounded(100);
        const int row = rng.bounded(m.rowCount());
        if (op < 40)
            m.setCell(row, PayrollModel::AmountColumn, amounts[rng.bounded(amounts.size())]);
        else if (op < 60)
            m.setCell(row, PayrollModel::CardColumn, cards[rng.bounded(cards.size())]);
        else if (op < 75)
            m.addRow();
        else if (op < 88)
            m.deleteRow(row);
        else if (op < 90)
            m.clearRows();
        else
            errorOf([&m] { m.formatAmounts(); });

        const auto expected = naiveSum(m);
        const auto actual = m.sumAmounts();
        QVERIFY2(expected.has_value() == actual.has_value() && (!expected || *expected == *actual),
                 qPrintable(u"step %1"_s.arg(step)));
        QCOMPARE(m.checkCardNumbers(), naiveBadCards(m));
        if (errorOf([&m] { m.formatAmounts(); }).isEmpty()) {
            for (const PayrollRow &r : m.rows())
                QCOMPARE(r.amount, Money::fromAmountText(r.amount).toDisplay());
        }
    }
}

void TestPayrollModel::headersAndNumbers()
{
    PayrollModel m;
    m.setRows({{u"Иванов"_s, u"8600"_s, u"1"_s}, {u"Петров"_s, u"8601"_s, u"2"_s}});
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(m.headerData(PayrollModel::NumberColumn, Qt::Horizontal).toString(), u"   №"_s);
    QCOMPARE(m.headerData(PayrollModel::AmountColumn, Qt::Horizontal).toString(), u"                         Сумма"_s);
    QCOMPARE(m.cell(0, PayrollModel::NumberColumn), u"1"_s);
    QCOMPARE(m.cell(1, PayrollModel::NumberColumn), u"2"_s);
    QCOMPARE(m.cell(1, PayrollModel::NameColumn), u"Петров"_s);
    QVERIFY(!(m.flags(m.index(0, PayrollModel::NumberColumn)) & Qt::ItemIsEditable));
    QVERIFY(m.flags(m.index(0, PayrollModel::NameColumn)) & Qt::ItemIsEditable);
}

void TestPayrollModel::pageKeys_data()
{
    QTest::addColumn<bool>("down");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("pageTop");
    QTest::addColumn<int>("position");
    // 100 data rows: row count 101.
    QTest::newRow("down from 5") << true << 5 << 101 << 21 << 20 << 520;
    QTest::newRow("down from 20") << true << 20 << 101 << 21 << 20 << 520;
    QTest::newRow("down from 95") << true << 95 << 101 << 100 << 99 << 2600;
    QTest::newRow("down on the only row") << true << 1 << 2 << 1 << 1 << 0;
    QTest::newRow("down rounds half to even") << true << 25 << 31 << 30 << 29 << 1040;
    QTest::newRow("up from 45") << false << 45 << 101 << 21 << 20 << 520;
    QTest::newRow("up from 25") << false << 25 << 101 << 2 << 1 << 0;
    QTest::newRow("up from 5") << false << 5 << 101 << 2 << 1 << 0;
    QTest::newRow("up from 20") << false << 20 << 101 << 21 << 20 << 520;
    QTest::newRow("up never past the last row") << false << 1 << 2 << 1 << 1 << 0;
}

void TestPayrollModel::pageKeys()
{
    QFETCH(bool, down);
    QFETCH(int, from);
    QFETCH(int, rowCount);
    QFETCH(int, row);
    QFETCH(int, pageTop);
    QFETCH(int, position);
    const GridPaging::Move move = down ? kPayrollPaging.pageDown(from, rowCount) : kPayrollPaging.pageUp(from, rowCount);
    QCOMPARE(move, (GridPaging::Move{row, pageTop, position}));
}

void TestPayrollModel::selectionScroll_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("pageTopBefore");
    QTest::addColumn<int>("pageTopAfter");
    QTest::addColumn<int>("position"); // -1: the viewport stays
    QTest::newRow("page boundary") << 40 << 0 << 40 << 1040;
    QTest::newRow("inside the page") << 21 << 20 << 20 << -1;
    QTest::newRow("far above, negative top") << 3 << 99 << -1 << 0;
}

void TestPayrollModel::selectionScroll()
{
    QFETCH(int, row);
    QFETCH(int, pageTopBefore);
    QFETCH(int, pageTopAfter);
    QFETCH(int, position);
    const GridPaging::Scroll s = kPayrollPaging.scrollForSelection(row, pageTopBefore);
    QCOMPARE(s.pageTopRow, pageTopAfter);
    QCOMPARE(s.position.value_or(-1), position);
}

QTEST_GUILESS_MAIN(TestPayrollModel)
#include "tst_payrollmodel.moc"
