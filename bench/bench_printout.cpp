#include "clients/ClientListPrintout.h"
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

ClientRecords Clients(int n)
{
    ClientRecords clients;
    clients.reserve(n);
    for (int i = 1; i <= n; ++i) {
        ClientRecord c;
        c[ClientColumn::FullName] = u"Сотрудникова Александра Викторовна %1"_s.arg(i);
        c[ClientColumn::Birthday] = u"%1.03.1985"_s.arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
        c[ClientColumn::Document] = u"AA %1"_s.arg(i, 7, 10, QLatin1Char('0'));
        c[ClientColumn::Inn] = u"%1"_s.arg(300000000 + i);
        clients.append(c);
    }
    return clients;
}

const SettingsRecord kSettings{u"12345678"_s, u"ООО «Ромашка»"_s, u"00450"_s};
const PayrollHeader kHeader{u"00007"_s, u"05.03.2026"_s, 2, u"2026"_s};

Printout LayOutRegister(int rows)
{
    static QList<PayrollRow> cached;
    if (cached.size() != rows)
        cached = Rows(rows);
    return LayOutPayroll(cached, kHeader, kSettings);
}

Printout LayOutClients(int clients)
{
    static ClientRecords cached;
    if (cached.size() != clients)
        cached = Clients(clients);
    return LayOutClientList(cached, kSettings);
}

// Every page's items, as drawing them would ask for them.
template <Printout (*layOut)(int)>
void BM_LayOut(benchmark::State &state)
{
    layOut(int(state.range(0))); // the input is made outside the timing
    for (auto _ : state) {
        const Printout printout = layOut(int(state.range(0)));
        for (int p = 0; p < printout.pageCount; ++p)
            benchmark::DoNotOptimize(printout.pageItems(p));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

template <Printout (*layOut)(int)>
void BM_LayOutAndRenderPdf(benchmark::State &state)
{
    layOut(int(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = RenderPrintoutPdf(layOut(int(state.range(0))));
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pdf_bytes"] = double(bytes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_LayOut<LayOutRegister>)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayOutAndRenderPdf<LayOutRegister>)->Arg(10'000)->Unit(benchmark::kMillisecond);
// The import has no limit of 500 clients.
BENCHMARK(BM_LayOut<LayOutClients>)->Arg(600)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayOutAndRenderPdf<LayOutClients>)->Arg(600)->Unit(benchmark::kMillisecond);

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
