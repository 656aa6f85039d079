// Opening a payroll file and importing a text into the payroll window at
// 100,000 rows, and a cell selection in the register that a load leaves.

#include "common/Clock.h"
#include "common/Cp1251.h"
#include "common/ui/Dialogs.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/TForm1.h"
#include "settings/SettingsRecord.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class SilentDialogs : public Dialogs
{
public:
    void information(QWidget *, const QString &) override {}
    void error(QWidget *, const QString &) override {}
    Answer question(QWidget *, const QString &, const QString &, Buttons) override { return Answer::No; }
    QString openFileName(QWidget *, const QString &) override { return {}; }
    bool printSetup(QWidget *, QPrinter &) override { return false; }
};

const SettingsRecord kSettings{u"12345678"_s, u"ООО Ромашка"_s, u"00123"_s};

QList<PayrollRow> makeRows(int count)
{
    QList<PayrollRow> rows;
    rows.reserve(count);
    for (int i = 1; i <= count; ++i)
        rows.append({u"Сотрудникова Анна Петровна %1"_s.arg(i), u"86001234%1"_s.arg(i, 8, 10, QLatin1Char('0')),
                     QString::number(1000 + i % 997) + u".50"_s});
    return rows;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

// A shown payroll window in a scratch working directory, with a payroll
// file and a text file of the given size beside it.
struct Window
{
    explicit Window(int rows)
    {
        QDir::setCurrent(dir.path());
        WriteSettingsRecord(kSettings);
        const QList<PayrollRow> data = makeRows(rows);
        payrollPath = dir.filePath(u"ZPSV-in"_s);
        writeFile(payrollPath,
                  BuildPayrollFile(kSettings, {u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s}, data,
                                   QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))));
        QString text;
        for (const PayrollRow &r : data)
            text += r.name + u'\t' + r.card.left(4) + u' ' + r.card.mid(4) + u'\t' + r.amount + u"\r\n"_s;
        textPath = dir.filePath(u"rows.txt"_s);
        writeFile(textPath, Cp1251::encode(text));

        form = std::make_unique<TForm1>(dialogs, clock);
        form->show();
        QCoreApplication::processEvents();
    }
    ~Window()
    {
        form->setDataChanged(false);
        form.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    QTemporaryDir dir;
    SilentDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))};
    std::unique_ptr<TForm1> form;
    QString payrollPath;
    QString textPath;
};

void BM_OpenPayrollFile(benchmark::State &state)
{
    Window w(int(state.range(0)));
    for (auto _ : state) {
        w.form->OpenPayrollFile(w.payrollPath);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenPayrollFile)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ImportPayrollText(benchmark::State &state)
{
    Window w(int(state.range(0)));
    for (auto _ : state) {
        w.form->ImportPayrollText(w.textPath);
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
    w.form->OpenPayrollFile(w.payrollPath);
    QCoreApplication::processEvents();
    PayrollGrid *grid = w.form->grid();
    const int last = w.form->model()->LastRow();
    bool up = false;
    for (auto _ : state) {
        const int row = up ? last - 1 : last;
        w.form->model()->SetCell(PayrollModel::AmountColumn, row, up ? u"12.5"_s : u"7"_s);
        grid->SelectCell(up ? PayrollModel::AmountColumn : PayrollModel::NameColumn, row);
        up = !up;
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SelectCellAfterOpen)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
