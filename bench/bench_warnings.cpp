// Warnings over a 100,000-row register (display amounts, as the window holds
// them; a few repeated cards and one outlier) and over 100,000 clients; in
// the payroll window, a cell selection with the grid's rows marked at 1,000
// and 100,000 rows, and the renewal of the marks after an edit.
#include "bench/BenchWindow.h"
#include "clients/ClientWarnings.h"
#include "common/ui/WarningsReview.h"
#include "payroll/PayrollModel.h"
#include "payroll/PayrollWarnings.h"
#include "payroll/ui/PayrollGrid.h"
#include "support/ClientSamples.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 100'000;

// A card of 16 digits that passes its check digit.
QString GoodCard(int n)
{
    const QString start = u"860012%1"_s.arg(n, 9, 10, QLatin1Char('0'));
    for (char16_t d = u'0'; d <= u'9'; ++d) {
        if (LuhnValid(start + QChar(d)))
            return start + QChar(d);
    }
    return start;
}

// Every 1000th row repeats the card before it; row 500 is far above the rest.
// With badCards, every card fails its check digit: a warning on each row.
PayrollRows Register(bool badCards)
{
    PayrollRows rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        QString card = GoodCard(i % 1000 == 999 ? i - 1 : i);
        if (badCards)
            card[15] = QChar(u'0' + (card[15].unicode() - u'0' + 1) % 10);
        rows.append(u"Иванов Иван Иванович %1"_s.arg(i), card,
                    i == 500 ? u"99 999 999.00"_s
                             : u"%1 %2.%3"_s.arg(1 + i % 90).arg(100 + i % 900).arg(i % 100, 2, 10, QLatin1Char('0')));
    }
    return rows;
}

void BM_PayrollWarnings(benchmark::State &state)
{
    const PayrollRows rows = Register(state.range(0) != 0);
    qsizetype found = 0;
    for (auto _ : state)
        found = PayrollWarnings(rows).size();
    state.counters["warnings"] = double(found);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_PayrollWarnings)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ClientWarnings(benchmark::State &state)
{
    // Apart by surname and taxpayer number, adults with valid documents: the
    // cost of looking, with nothing to find.
    ClientRecords records;
    records.reserve(kRows);
    ClientFields fields = ValidClientFields();
    fields.passportEnd = u"14.03.2036"_s;
    for (int i = 0; i < kRows; ++i) {
        fields.surname = u"Каримов%1"_s.arg(i);
        fields.inn = u"%1"_s.arg(100000000 + i);
        fields.birthday = QDate(1950, 1, 1).addDays(i % 20000).toString(u"dd.MM.yyyy"_s);
        fields.passportNumber = u"%1"_s.arg(i, 7, 10, QLatin1Char('0'));
        records.append(RecordFromFields(fields, NameParts::Trimmed));
    }
    qsizetype found = 0;
    for (auto _ : state)
        found = ClientWarnings(records, QDate(2026, 12, 9)).size();
    state.counters["warnings"] = double(found);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ClientWarnings)->Unit(benchmark::kMillisecond);

// A shown payroll window whose bench cards mostly fail their check digit:
// nearly every row is marked.
struct MarkedWindow : BenchWindow
{
    explicit MarkedWindow(int rows)
        : BenchWindow(Dialogs::Answer::Yes)
    {
        form->model()->setRows(MakeBenchRows(rows));
        form->model()->formatAmounts();
        review()->refresh();
        QCoreApplication::processEvents();
    }
    WarningsReview *review() const { return form->findChild<WarningsReview *>(); }
};

// As the window benchmark's selection: an amount typed, the next cell
// selected, a repaint of the marked rows in view. The marks wait for the
// edits to settle, so they are not renewed inside the loop.
void BM_SelectMarkedCell(benchmark::State &state)
{
    MarkedWindow w(int(state.range(0)));
    auto *grid = w.form->findChild<PayrollGrid *>(u"mainGrid"_s);
    const int row = 4;
    bool amount = false;
    for (auto _ : state) {
        w.form->model()->setCell(row, PayrollModel::AmountColumn, amount ? u"12.5"_s : u"7"_s);
        grid->selectCell(row, amount ? PayrollModel::AmountColumn : PayrollModel::NameColumn);
        amount = !amount;
        QCoreApplication::processEvents();
    }
    state.counters["marked"] = double(w.form->model()->warningIndex().warnings().size());
}
BENCHMARK(BM_SelectMarkedCell)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// What the settled edit costs: the warnings found again and handed to the
// model, which repaints the rows whose marks changed.
void BM_RenewMarks(benchmark::State &state)
{
    MarkedWindow w(int(state.range(0)));
    bool bad = false;
    for (auto _ : state) {
        w.form->model()->setCell(4, PayrollModel::CardColumn, bad ? u"4111111111111112"_s : u"4111111111111111"_s);
        bad = !bad;
        w.review()->refresh();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_RenewMarks)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv);
}
