// Saving and loading a client list of 500 clients, the most a table holds:
// the bytes alone, and the whole operation with the settings and the file.
#include "clients/ClientListLoad.h"
#include "clients/ClientListSave.h"
#include "common/Clock.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QList<ClientRecord> Clients(int count)
{
    QList<ClientRecord> records;
    records.reserve(count);
    ClientFields f;
    f.surname = u"Иванов"_s;
    f.name = u"Иван"_s;
    f.patronymic = u"Иванович"_s;
    f.inn = u"123456789"_s;
    f.birthday = u"01.02.1980"_s;
    f.phone = u"1234567"_s;
    f.docType = 0;
    f.passportDate = u"05.06.2010"_s;
    f.passportPlace = u"Ташкент"_s;
    f.address = u"Ташкент, ул. Навои, 1"_s;
    f.placeOfBirth = u"Ташкент"_s;
    f.taxOffice = u"ГНИ района"_s;
    f.mobileNumber = u"(90)123-45-67"_s;
    f.passportIssuedBy = u"ОВД района"_s;
    for (int i = 0; i < count; ++i) {
        f.passportSerial = u"A"_s + QChar(u'A' + i % 26);
        f.passportNumber = u"%1"_s.arg(i, 7, 10, QLatin1Char('0'));
        records.append(RecordFromFields(f, NameParts::Trimmed));
    }
    return records;
}

const SettingsRecord kSettings{u"12345678"_s, u"ООО Ромашка"_s, u"00123"_s};
const QDateTime kMoment(QDate(2026, 12, 8), QTime(14, 5, 9));

// A working directory of its own with "settings.ini", for the whole run.
class WorkingDir
{
public:
    WorkingDir()
    {
        QDir::setCurrent(m_dir.path());
        WriteSettingsRecord(kSettings);
    }
    ~WorkingDir() { QDir::setCurrent(QDir::tempPath()); }

private:
    QTemporaryDir m_dir;
};

} // namespace

static void BM_BuildClientListFile(benchmark::State &state)
{
    const QList<ClientRecord> records = Clients(int(state.range(0)));
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
    const QList<ClientRecord> records = Clients(int(state.range(0)));
    const FixedClock clock(kMoment);
    const ClientFileState saved{true, QDir::currentPath() + u"/Клиенты/CLSVbench"_s};
    for (auto _ : state) {
        const ClientListSaveResult result = SaveClientList(records, saved, clock, [] { return OverwriteAnswer::Yes; });
        if (result.outcome.kind != SaveOutcome::Kind::Saved)
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
