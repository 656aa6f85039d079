#include "common/print/PrintoutRenderer.h"
#include "payroll/PayrollPrintout.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QList<PayrollRow> Rows(int n)
{
    QList<PayrollRow> rows;
    rows.reserve(n);
    for (int i = 1; i <= n; ++i)
        rows.append({u"Сотрудникова Александра Викторовна %1"_s.arg(i), u"8600%1"_s.arg(i, 12, 10, QLatin1Char('0')),
                     u"%1.%2"_s.arg(1000 + i * 37).arg(i % 100, 2, 10, QLatin1Char('0'))});
    return rows;
}

const SettingsRecord kSettings{u"12345678"_s, u"ООО «Ромашка»"_s, u"00450"_s};
const PayrollHeader kHeader{u"00007"_s, u"05.03.2026"_s, 2, u"2026"_s};

void BM_LayOut(benchmark::State &state)
{
    const QList<PayrollRow> rows = Rows(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(LayOutPayroll(rows, kHeader, kSettings));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LayOutAndRenderPdf(benchmark::State &state)
{
    const QList<PayrollRow> rows = Rows(int(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = RenderPrintoutPdf(LayOutPayroll(rows, kHeader, kSettings));
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pdf_bytes"] = double(bytes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_LayOut)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayOutAndRenderPdf)->Arg(10'000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // Fonts and the PDF engine need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
