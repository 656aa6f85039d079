// Warnings over a 100,000-row register (display amounts, as the window holds
// them; a few repeated cards and one outlier) and over 100,000 clients.
#include "clients/ClientWarnings.h"
#include "payroll/PayrollWarnings.h"
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
