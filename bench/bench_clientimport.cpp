// The client text import at 10,000 and 100,000 valid lines: the time should
// grow linearly with the file (the duplicate passport check included).
// A small import run again and again reuses the memory its last run freed,
// while a large one gets fresh pages from the system each time; the Fresh
// variant hands freed memory back between runs, so that both sizes start
// alike, as a user's import does.
#include "clients/ClientTextImport.h"
#include "common/Cp1251.h"

#include <benchmark/benchmark.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace Qt::StringLiterals;

namespace {

QByteArray ClientsText(int count)
{
    static const QString names[] = {u"Азиз"_s, u"Дилноза"_s, u"Рустам"_s, u"Малика"_s};
    QString text;
    text.reserve(qsizetype(count) * 140);
    for (int i = 0; i < count; ++i) {
        text += u"Каримов\t"_s + names[i % 4] + u"\tРустамович\tМужской\t123 456 789\t05.06.1980\t1234567\t"_s;
        text += (i % 2 ? u"AA\t"_s : u"AB\t"_s) + QString::number(1000000 + i)
                + u"\t15.03.2016\tЮнусабадский РОВД г. Ташкента\t14.03.2026\tТашкент, ул. Навои, "_s
                + QString::number(i) + u"\r\n"_s;
    }
    return Cp1251::encode(text);
}

ClientFields Start()
{
    ClientFields f;
    f.docType = 0;
    f.placeOfBirth = u"Самарканд"_s;
    f.taxOffice = u"ГНИ Юнусабадского района"_s;
    f.mobileNumber = u"(90)123-45-67"_s;
    f.passportIssuedBy = u"ОВД Юнусабадского района"_s;
    return f;
}

void RunImport(benchmark::State &state, bool fresh)
{
    const int count = int(state.range(0));
    const QByteArray bytes = ClientsText(count);
    const ClientFields start = Start();
    for (auto _ : state) {
        {
            const ClientImportResult r = ImportClientText(bytes, u"clients.txt"_s, start, 2026);
            if (!r.ok() || r.records.size() != count)
                state.SkipWithError("the import failed");
            benchmark::DoNotOptimize(r);
            state.PauseTiming(); // freeing the clients is not the import's work
        }
#ifdef __GLIBC__
        if (fresh)
            malloc_trim(0);
#else
        Q_UNUSED(fresh);
#endif
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

static void BM_ImportClientText(benchmark::State &state)
{
    RunImport(state, false);
}
BENCHMARK(BM_ImportClientText)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

static void BM_ImportClientTextFresh(benchmark::State &state)
{
    RunImport(state, true);
}
BENCHMARK(BM_ImportClientTextFresh)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
