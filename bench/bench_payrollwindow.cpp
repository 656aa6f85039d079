// The payroll window at register sizes that accountants reach: a cell
// selection must not grow with the register, a save must stay close to the
// cost of writing its bytes, and filling the grid stays well under a second.

#include "common/Clock.h"
#include "common/ui/Dialogs.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollHeaderPanel.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/SettingsRecord.h"

#include "bench/BenchWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// A shown payroll window over a register of the given size.
struct Window : BenchWindow
{
    explicit Window(int rows)
        : BenchWindow(Dialogs::Answer::Yes)
    {
        form->findChild<PayrollHeaderPanel *>(u"headerGroup"_s)->setHeader({u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s});
        form->model()->setRows(MakeBenchRows(rows));
        form->model()->formatAmounts();
        QCoreApplication::processEvents();
    }
};

// An amount typed into a cell, then the next cell selected: formatAmounts,
// updateTotals, checkCardNumbers, the viewport, the editor moving, a repaint.
void BM_SelectCell(benchmark::State &state)
{
    Window w(int(state.range(0)));
    auto *grid = w.form->findChild<PayrollGrid *>(u"mainGrid"_s);
    const int row = 4;
    bool amount = false;
    for (auto _ : state) {
        w.form->model()->setCell(row, PayrollModel::AmountColumn, amount ? u"12.5"_s : u"7"_s);
        grid->selectCell(row, amount ? PayrollModel::AmountColumn : PayrollModel::NameColumn);
        amount = !amount;
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SelectCell)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_SetRows(benchmark::State &state)
{
    Window w(1);
    const PayrollRows rows = MakeBenchRows(int(state.range(0)));
    for (auto _ : state) {
        w.form->model()->setRows(rows);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SetRows)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SavePayroll(benchmark::State &state)
{
    Window w(int(state.range(0)));
    for (auto _ : state)
        w.form->savePayroll();
    state.SetBytesProcessed(state.iterations() * QFileInfo(u"Кардолист/2026/ZPSV001231234567812202600007"_s).size());
}
BENCHMARK(BM_SavePayroll)->Arg(100000)->Unit(benchmark::kMillisecond);

// The floor for the save: the same number of bytes in one plain write.
void BM_PlainWrite(benchmark::State &state)
{
    Window w(int(state.range(0)));
    w.form->savePayroll();
    QFile saved(u"Кардолист/2026/ZPSV001231234567812202600007"_s);
    saved.open(QIODevice::ReadOnly);
    const QByteArray bytes = saved.readAll();
    for (auto _ : state) {
        QFile file(u"plain.bin"_s);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        file.close();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_PlainWrite)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv);
}
