// Opening a payroll file (against a raw read and decode of it) and importing
// a text into the payroll window at 100,000 rows, and a cell selection in
// the register that a load leaves.

#include "common/Clock.h"
#include "common/Cp1251.h"
#include "common/ui/Dialogs.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/SettingsRecord.h"

#include "bench/BenchWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

// A shown payroll window with a payroll file and a text file of the given
// size beside it.
struct Window : BenchWindow
{
    explicit Window(int rows)
        : BenchWindow(Dialogs::Answer::No)
    {
        const QList<PayrollRow> data = MakeBenchRows(rows);
        payrollPath = dir.filePath(u"ZPSV-in"_s);
        writeFile(payrollPath,
                  BuildPayrollFile(BenchSettings(), {u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s}, data,
                                   QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))));
        QString text;
        for (const PayrollRow &r : data)
            text += r.name + u'\t' + r.card.left(4) + u' ' + r.card.mid(4) + u'\t' + r.amount + u"\r\n"_s;
        textPath = dir.filePath(u"rows.txt"_s);
        writeFile(textPath, Cp1251::encode(text));
    }

    QString payrollPath;
    QString textPath;
};

void BM_OpenPayrollFile(benchmark::State &state)
{
    Window w(int(state.range(0)));
    for (auto _ : state) {
        w.form->loadPayrollFile(w.payrollPath);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenPayrollFile)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor of an open: one read of the file and its Windows-1251 decoding.
void BM_RawReadAndDecode(benchmark::State &state)
{
    Window w(int(state.range(0)));
    for (auto _ : state) {
        QFile f(w.payrollPath);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot read");
        benchmark::DoNotOptimize(Cp1251::decode(f.readAll()));
    }
}
BENCHMARK(BM_RawReadAndDecode)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportPayrollText(benchmark::State &state)
{
    Window w(int(state.range(0)));
    for (auto _ : state) {
        w.form->loadPayrollText(w.textPath);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportPayrollText)->Arg(100000)->Unit(benchmark::kMillisecond);

// After the open the cursor is on the last row: an amount typed there, then
// the cursor moved between the last two rows. Its cost must not grow with
// the register.
void BM_SelectCellAfterOpen(benchmark::State &state)
{
    Window w(int(state.range(0)));
    w.form->loadPayrollFile(w.payrollPath);
    QCoreApplication::processEvents();
    auto *grid = w.form->findChild<PayrollGrid *>(u"mainGrid"_s);
    const int last = w.form->model()->lastRow();
    bool up = false;
    for (auto _ : state) {
        const int row = up ? last - 1 : last;
        w.form->model()->setCell(row, PayrollModel::AmountColumn, up ? u"12.5"_s : u"7"_s);
        grid->selectCell(row, up ? PayrollModel::AmountColumn : PayrollModel::NameColumn);
        up = !up;
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SelectCellAfterOpen)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv);
}
