// The payroll register file at 100,000 rows: build, read, text import, the
// bank-side check, the save against a raw write, opening against a raw read
// and decode, and kardolist-cli payroll against a plain Python script, both
// as processes.
#include "common/AtomicFile.h"
#include "common/BankFileReader.h"
#include "common/Cp1251.h"
#include "common/TextRoutines.h"
#include "common/Clock.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollSave.h"
#include "payroll/PayrollTextImport.h"
#include "payroll/PayrollVerify.h"
#include "settings/SettingsRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 100'000;

SettingsRecord Settings()
{
    return {u"12345678"_s, u"ООО Тест"_s, u"00123"_s};
}

PayrollHeader Header()
{
    return {u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s};
}

const QDateTime kMoment(QDate(2026, 12, 8), QTime(14, 5, 9));

QList<PayrollRow> PlainRows()
{
    QList<PayrollRow> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i)
        rows.append({u"Иванов Иван Иванович %1"_s.arg(i), u"86001234%1"_s.arg(i, 8, 10, QLatin1Char('0')),
                     u"%1.%2"_s.arg(1000 + i * 7).arg(i % 100, 2, 10, QLatin1Char('0'))});
    return rows;
}

QByteArray RowsText()
{
    QString text;
    for (const PayrollRow &r : PlainRows())
        text += r.name + u"\t8600 1234 "_s + r.card.mid(8) + u'\t' + ReplaceAll(r.amount, u"."_s, u","_s) + u"\r\n"_s;
    return Cp1251::encode(text);
}

} // namespace

static void BM_BuildPayrollFile(benchmark::State &state)
{
    const QList<PayrollRow> rows = PlainRows();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildPayrollFile(Settings(), Header(), rows, kMoment));
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BuildPayrollFile)->Unit(benchmark::kMillisecond);

static void BM_ReadPayrollFile(benchmark::State &state)
{
    const QByteArray file = BuildPayrollFile(Settings(), Header(), PlainRows(), kMoment);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPayrollFile(file));
    state.SetItemsProcessed(state.iterations() * kRows);
    state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(BM_ReadPayrollFile)->Unit(benchmark::kMillisecond);

static void BM_ImportPayrollText(benchmark::State &state)
{
    const QByteArray text = RowsText();
    for (auto _ : state)
        benchmark::DoNotOptimize(ImportPayrollText(text));
    state.SetItemsProcessed(state.iterations() * kRows);
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ImportPayrollText)->Unit(benchmark::kMillisecond);

static void BM_VerifyPayrollFile(benchmark::State &state)
{
    const QByteArray file = BuildPayrollFile(Settings(), Header(), PlainRows(), kMoment);
    for (auto _ : state)
        benchmark::DoNotOptimize(VerifyBankFile(file, PayrollFileRules()));
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_VerifyPayrollFile)->Unit(benchmark::kMillisecond);

// The save of a register (checks, name, bytes, atomic write with its sync)
// against one raw write of the same bytes and its fsync: the ratio is the
// save's own cost.
static void BM_SavePayroll(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    WriteSettingsRecord(Settings());
    // Held as the window holds them: the request shares them, as the window's does.
    const PayrollRows rows(PlainRows());
    const SystemClock clock;
    for (auto _ : state) {
        PayrollSaveRequest request{Header(), rows, QString()};
        if (SavePayroll(request, clock).kind != PayrollSaveOutcome::Kind::Saved)
            state.SkipWithError("the save failed");
    }
    QDir::setCurrent(old);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SavePayroll)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_RawWriteWithFsync(benchmark::State &state)
{
    QTemporaryDir dir;
    const QByteArray bytes = BuildPayrollFile(Settings(), Header(), PlainRows(), kMoment);
    const QString path = dir.filePath(u"raw"_s);
    for (auto _ : state) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || !WriteAll(f, bytes) || !f.flush()
            || ::fsync(f.handle()) != 0)
            state.SkipWithError("cannot write");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_RawWriteWithFsync)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening a register (read, lines, fields, rows) against one raw read of
// the same file and its Windows-1251 decoding: the ratio is the reader's
// own cost.
static void BM_OpenPayrollFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"ZPSV"_s);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !WriteAll(f, BuildPayrollFile(Settings(), Header(), PlainRows(), kMoment)))
        state.SkipWithError("cannot write");
    f.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPayrollFile(ReadBankFileBytes(path)));
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_OpenPayrollFile)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_RawReadAndDecode(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"ZPSV"_s);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !WriteAll(out, BuildPayrollFile(Settings(), Header(), PlainRows(), kMoment)))
        state.SkipWithError("cannot write");
    out.close();
    for (auto _ : state) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot read");
        benchmark::DoNotOptimize(Cp1251::decode(f.readAll()));
    }
}
BENCHMARK(BM_RawReadAndDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_CliPayrollProcess(benchmark::State &state)
{
    const QString cli = QCoreApplication::applicationDirPath() + u"/../cli/kardolist-cli"_s;
    if (!QFile::exists(cli)) {
        state.SkipWithError("kardolist-cli is not built beside the benchmarks");
        return;
    }
    QTemporaryDir dir;
    QFile f(dir.filePath(u"rows.txt"_s));
    if (!f.open(QIODevice::WriteOnly) || !WriteAll(f, RowsText()))
        state.SkipWithError("cannot write the rows");
    f.close();
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    WriteSettingsRecord(Settings());
    QDir::setCurrent(old);
    for (auto _ : state) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(cli, {u"payroll"_s, u"rows.txt"_s, u"--number"_s, u"7"_s, u"--date"_s, u"08.12.2026"_s,
                      u"--month"_s, u"12"_s, u"--year"_s, u"2026"_s});
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            state.SkipWithError("kardolist-cli payroll failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_CliPayrollProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// The plain script a technical user would write instead, as a whole process.
static void BM_PythonPayrollProcess(benchmark::State &state)
{
    const QString python = QStandardPaths::findExecutable(u"python3"_s);
    const QString script = QStringLiteral(KARDOLIST_BENCH_DIR "/payroll_plain.py");
    if (python.isEmpty()) {
        state.SkipWithError("python3 is not on the PATH");
        return;
    }
    QTemporaryDir dir;
    QFile f(dir.filePath(u"rows.txt"_s));
    if (!f.open(QIODevice::WriteOnly) || !WriteAll(f, RowsText()))
        state.SkipWithError("cannot write the rows");
    f.close();
    for (auto _ : state) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(python, {script, u"rows.txt"_s, u"00123"_s, u"12345678"_s, u"00007"_s, u"08.12.2026"_s, u"12"_s,
                         u"2026"_s});
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            state.SkipWithError("the script failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_PythonPayrollProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
