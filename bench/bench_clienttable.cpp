// The client table's duplicate check and append: the 500th client should
// cost what the 1st does, and 100,000 clients ten times what 10,000 do.
#include "BenchClients.h"
#include "clients/ClientTableModel.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

ClientRecords Clients(int count)
{
    ClientFields f;
    f.surname = u"Иванов"_s;
    f.name = u"Иван"_s;
    f.patronymic = u"Иванович"_s;
    f.docType = 0;
    return NumberedClients(f, count);
}

} // namespace

// One add with the table already holding `range(0)` clients: the duplicate
// check, the append and the renumbering, then the delete of that last row
// that puts the table back for the next round.
static void BM_AddOneClient(benchmark::State &state)
{
    const int before = int(state.range(0));
    ClientRecords records = Clients(before + 1);
    const ClientRecord added = records.last();
    records.removeLast();
    ClientTableModel model;
    model.replaceAll(records);
    model.renumber();
    const QString series = added[ClientColumn::PassportSeries];
    const QString number = added[ClientColumn::PassportNumber];
    for (auto _ : state) {
        if (model.findPassport(series, number) != -1)
            state.SkipWithError("unexpected duplicate");
        const int row = model.append(added);
        model.renumber();
        model.remove(row);
    }
}
BENCHMARK(BM_AddOneClient)->Arg(0)->Arg(499)->Unit(benchmark::kNanosecond);

// `range(0)` clients appended one by one, each after its duplicate check,
// into an empty table, as the text import does.
static void BM_AppendWithDuplicateCheck(benchmark::State &state)
{
    const int count = int(state.range(0));
    // As the import hands them over: whole records, one by one.
    const QList<ClientRecord> records = Clients(count).toList();
    for (auto _ : state) {
        ClientTableModel model;
        for (const ClientRecord &r : records) {
            if (model.findPassport(r[ClientColumn::PassportSeries], r[ClientColumn::PassportNumber]) == -1)
                model.append(r);
        }
        model.renumber();
        benchmark::DoNotOptimize(model.recordCount());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AppendWithDuplicateCheck)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The same into one table emptied each round, which keeps its memory: the
// work alone, without the first touch of 50 MB of fresh pages per round that
// dominates the cold figure at 100,000 on a virtual machine.
static void BM_AppendWithDuplicateCheckWarm(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QList<ClientRecord> records = Clients(count).toList();
    ClientTableModel model;
    for (auto _ : state) {
        model.clear();
        for (const ClientRecord &r : records) {
            if (model.findPassport(r[ClientColumn::PassportSeries], r[ClientColumn::PassportNumber]) == -1)
                model.append(r);
        }
        model.renumber();
        benchmark::DoNotOptimize(model.recordCount());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AppendWithDuplicateCheckWarm)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
