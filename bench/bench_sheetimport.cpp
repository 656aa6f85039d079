// A 100,000-row payroll register read from an .xlsx workbook, against the
// same rows as Windows-1251 TAB text: time through the payroll text import,
// and the peak memory of the workbook's reading as a multiple of its
// unpacked size. The workbook is written at run time by sheet_xlsx.py.
#include "common/Cp1251.h"
#include "common/sheet/ImportTable.h"
#include "common/sheet/TableTabText.h"
#include "payroll/PayrollTextImport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 100'000;

TableLayout PayrollLayout()
{
    TableLayout layout;
    layout.fieldCount = 3;
    layout.amountField = 2;
    layout.cardField = 1;
    return layout;
}

struct Workbook
{
    QByteArray bytes;
    qint64 unpacked = 0;
    QByteArray skipped; // why there is none
};

const Workbook &TheWorkbook()
{
    static const Workbook workbook = [] {
        Workbook w;
        const QString python = QStandardPaths::findExecutable(u"python3"_s);
        if (python.isEmpty()) {
            w.skipped = "python3 is not on the PATH: no workbook to read";
            return w;
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(u"register.xlsx"_s);
        QProcess p;
        p.start(python, {QStringLiteral(KARDOLIST_BENCH_DIR "/sheet_xlsx.py"), path, QString::number(kRows)});
        QFile f(path);
        if (!p.waitForFinished(300000) || p.exitCode() != 0 || !f.open(QIODevice::ReadOnly)) {
            w.skipped = "sheet_xlsx.py could not write the workbook";
            return w;
        }
        w.unpacked = p.readAllStandardOutput().trimmed().toLongLong();
        w.bytes = f.readAll();
        return w;
    }();
    return workbook;
}

QByteArray TabText()
{
    QByteArray bytes;
    for (int i = 0; i < kRows; ++i)
        Cp1251::appendEncoded(bytes, u"Иванов Иван Иванович %1\t8600 1234 %2\t%3.%4\r\n"_s.arg(i)
                                         .arg(i, 8, 10, QLatin1Char('0')).arg(1000 + i * 7 % 100000)
                                         .arg(i % 100, 2, 10, QLatin1Char('0')));
    return bytes;
}

// Peak resident size of a child that runs work, less that of one that does not.
long PeakKiB(bool work)
{
    const pid_t child = fork();
    if (child == 0) {
        malloc_trim(0);
        if (work) {
            const ImportTable table = ReadImportTable(TheWorkbook().bytes);
            const TableTabText tab = ToTabText(table, PayrollLayout());
            benchmark::DoNotOptimize(ImportPayrollText(tab.bytes));
        }
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss;
}

} // namespace

// Peak memory of the workbook's import over its unpacked size (goal: at most 6);
// first, while this process has no freed memory a child could reuse unseen.
static void BM_XlsxImportMemory(benchmark::State &state)
{
    const Workbook &workbook = TheWorkbook();
    if (workbook.bytes.isEmpty()) {
        state.SkipWithError(workbook.skipped.constData());
        return;
    }
    long extra = 0;
    for (auto _ : state)
        extra = PeakKiB(true) - PeakKiB(false);
    state.counters["peak_MB"] = double(extra) * 1024 / 1e6;
    state.counters["x_unpacked"] = double(extra) * 1024 / double(workbook.unpacked);
}
BENCHMARK(BM_XlsxImportMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_TabTextImport(benchmark::State &state)
{
    const QByteArray bytes = TabText();
    for (auto _ : state)
        benchmark::DoNotOptimize(ImportPayrollText(bytes));
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["MB"] = double(bytes.size()) / 1e6;
}
BENCHMARK(BM_TabTextImport)->Unit(benchmark::kMillisecond);

// Reading the workbook, its rows made into TAB text, and that text imported.
static void BM_XlsxImport(benchmark::State &state)
{
    const Workbook &workbook = TheWorkbook();
    if (workbook.bytes.isEmpty()) {
        state.SkipWithError(workbook.skipped.constData());
        return;
    }
    for (auto _ : state) {
        const ImportTable table = ReadImportTable(workbook.bytes);
        const TableTabText tab = ToTabText(table, PayrollLayout());
        if (!tab.ok() || table.rows.size() != kRows)
            state.SkipWithError("the workbook did not read whole");
        benchmark::DoNotOptimize(ImportPayrollText(tab.bytes));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["unpacked_MB"] = double(workbook.unpacked) / 1e6;
}
BENCHMARK(BM_XlsxImport)->Unit(benchmark::kMillisecond);

// Its parts: the workbook read into cell texts, then those made into TAB text.
static void BM_XlsxRead(benchmark::State &state)
{
    const Workbook &workbook = TheWorkbook();
    if (workbook.bytes.isEmpty()) {
        state.SkipWithError(workbook.skipped.constData());
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadImportTable(workbook.bytes));
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_XlsxRead)->Unit(benchmark::kMillisecond);

static void BM_TableToTabText(benchmark::State &state)
{
    const Workbook &workbook = TheWorkbook();
    if (workbook.bytes.isEmpty()) {
        state.SkipWithError(workbook.skipped.constData());
        return;
    }
    const ImportTable table = ReadImportTable(workbook.bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(ToTabText(table, PayrollLayout()));
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_TableToTabText)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
