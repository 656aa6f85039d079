#include "clients/ClientListPrintout.h"
#include "common/print/PrintoutRenderer.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QList<ClientRecord> Clients(int n)
{
    QList<ClientRecord> clients;
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

void BM_ClientListLayOut(benchmark::State &state)
{
    const QList<ClientRecord> clients = Clients(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(LayOutClientList(clients, kSettings));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ClientListLayOutAndRenderPdf(benchmark::State &state)
{
    const QList<ClientRecord> clients = Clients(int(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = RenderPrintoutPdf(LayOutClientList(clients, kSettings));
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pdf_bytes"] = double(bytes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

// The import has no limit of 500 clients.
BENCHMARK(BM_ClientListLayOut)->Arg(600)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClientListLayOutAndRenderPdf)->Arg(600)->Unit(benchmark::kMillisecond);

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
