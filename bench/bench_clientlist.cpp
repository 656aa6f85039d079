// Saving and loading a client list of 500 clients, the most a table holds:
// the bytes alone, and the whole operation with the settings and the file.
#include "BenchClients.h"
#include "clients/ClientListLoad.h"
#include "clients/ClientListSave.h"
#include "clients/ClientTexts.h"
#include "common/Clock.h"
#include "support/ClientSamples.h"
#include "support/SettingsFolder.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

ClientRecords Clients(int count)
{
    return NumberedClients(IvanovFields(), count);
}

const SettingsRecord kSettings = SampleSettings();
const QDateTime kMoment(QDate(2026, 12, 8), QTime(14, 5, 9));

// A working directory of its own with "settings.ini", for the whole run.
class WorkingDir
{
public:
    ~WorkingDir() { LeaveFolder(m_dir); }

private:
    std::unique_ptr<QTemporaryDir> m_dir = EnterSettingsFolder();
};

} // namespace

static void BM_BuildClientListFile(benchmark::State &state)
{
    const ClientRecords records = Clients(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildClientListFile(kSettings, records, kMoment));
}
BENCHMARK(BM_BuildClientListFile)->Arg(500)->Unit(benchmark::kMicrosecond);

static void BM_ReadClientList(benchmark::State &state)
{
    const QByteArray bytes = BuildClientListFile(kSettings, Clients(int(state.range(0))), kMoment);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadClientList(bytes));
}
BENCHMARK(BM_ReadClientList)->Arg(500)->Unit(benchmark::kMicrosecond);

// The save as the window runs it, replacing the file it saved before.
static void BM_SaveClientList(benchmark::State &state)
{
    const WorkingDir dir;
    const ClientRecords records = Clients(int(state.range(0)));
    const FixedClock clock(kMoment);
    const ClientFileState saved{true, QDir::currentPath() + u"/Клиенты/CLSVbench"_s};
    QDir().mkdir(ClientFolder()); // the folder of a file saved before
    for (auto _ : state) {
        const ClientListSaveResult result = SaveClientList(records, saved, clock, [] { return OverwriteAnswer::Yes; });
        if (result.outcome.kind != ClientListSaveOutcome::Kind::Saved)
            state.SkipWithError("not saved");
    }
}
BENCHMARK(BM_SaveClientList)->Arg(500)->Unit(benchmark::kMicrosecond);

static void BM_LoadClientList(benchmark::State &state)
{
    const WorkingDir dir;
    const FixedClock clock(kMoment);
    const ClientListSaveResult result = SaveClientList(Clients(int(state.range(0))), {}, clock);
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadClientList(result.outcome.path));
}
BENCHMARK(BM_LoadClientList)->Arg(500)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
