// The client window's costs: adding the 1st and the 500th client through the
// add button (checks, duplicate look-up, append, view update), loading and
// saving a file of 500 clients through its menu, importing a text of 100,000
// clients through its menu, and selecting a row of the imported table.

#include "clients/ClientListSave.h"
#include "clients/ClientTableModel.h"
#include "clients/ui/ClientGrid.h"
#include "clients/ui/ClientEditPanel.h"
#include "clients/ui/ClientsWindow.h"
#include "common/Clock.h"
#include "common/Cp1251.h"
#include "common/ui/Dialogs.h"
#include "settings/SettingsRecord.h"
#include "support/ClientSamples.h"
#include "support/SettingsFolder.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class AnsweringDialogs : public Dialogs
{
public:
    void information(QWidget *, const QString &) override {}
    void error(QWidget *, const QString &text) override { errors << text; }
    Answer question(QWidget *, const QString &, const QString &, Buttons) override { return answer; }
    QString openFileName(QWidget *, const QString &) override { return file; }
    bool printSetup(QWidget *, QPrinter &) override { return false; }
    void printPreview(QWidget *, QPrinter &, const std::function<void(QPrinter &)> &) override {}

    Answer answer = Answer::Yes;
    QString file;
    QStringList errors;
};

const SettingsRecord kSettings = SampleSettings();
const QDateTime kNow(QDate(2026, 12, 8), QTime(14, 5, 9));

ClientRecords Clients(int count)
{
    ClientRecords records;
    for (int n = 1; n <= count; ++n)
        records.append(RecordFromFields(ValidClientFields(n), NameParts::Trimmed));
    return records;
}

struct Window
{
    Window()
    {
        form = std::make_unique<ClientsWindow>(dialogs, clock);
        form->show();
        QCoreApplication::processEvents();
    }
    ~Window()
    {
        form.reset();
        LeaveFolder(dir);
    }

    ClientTableModel *model() const
    {
        return qobject_cast<ClientTableModel *>(form->findChild<QTableView *>(u"mainGrid"_s)->model());
    }
    ClientEditPanel *panel() const { return form->findChild<ClientEditPanel *>(u"editPanel"_s); }

    std::unique_ptr<QTemporaryDir> dir = EnterSettingsFolder();
    AnsweringDialogs dialogs;
    FixedClock clock{kNow};
    std::unique_ptr<ClientsWindow> form;
};

// The table holds range(0) - 1 clients; each iteration adds the next one.
// With painting, the first client paints one row and the 500th a screenful.
void AddClient(benchmark::State &state, bool paint)
{
    Window w;
    const int before = int(state.range(0)) - 1;
    w.model()->replaceAll(Clients(before));
    w.model()->renumber();
    auto *add = w.form->findChild<QPushButton *>(u"addButton"_s);
    const ClientFields next = ValidClientFields(before + 1);
    for (auto _ : state) {
        state.PauseTiming();
        w.panel()->setFields(next);
        state.ResumeTiming();
        add->click();
        if (paint)
            QCoreApplication::processEvents();
        state.PauseTiming();
        if (w.model()->recordCount() != before + 1)
            state.SkipWithError("the client was not added");
        w.model()->remove(before);
        state.ResumeTiming();
    }
}
void BM_AddClient(benchmark::State &state)
{
    AddClient(state, false);
}
BENCHMARK(BM_AddClient)->Arg(1)->Arg(21)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_AddClientPainted(benchmark::State &state)
{
    AddClient(state, true);
}
BENCHMARK(BM_AddClientPainted)->Arg(1)->Arg(21)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_LoadClientFile(benchmark::State &state)
{
    Window w;
    QFile file(u"CLSV500"_s);
    file.open(QIODevice::WriteOnly);
    file.write(BuildClientListFile(kSettings, Clients(int(state.range(0))), kNow));
    file.close();
    w.dialogs.file = u"CLSV500"_s;
    auto *load = w.form->findChild<QAction *>(u"loadAction"_s);
    for (auto _ : state) {
        load->trigger();
        QCoreApplication::processEvents();
    }
    if (w.model()->recordCount() != state.range(0) || !w.dialogs.errors.isEmpty())
        state.SkipWithError("the file did not load");
}
BENCHMARK(BM_LoadClientFile)->Arg(500)->Unit(benchmark::kMillisecond);

// Saves over the same file each time, as the overwrite question's Yes does.
void BM_SaveClientFile(benchmark::State &state)
{
    Window w;
    w.model()->replaceAll(Clients(int(state.range(0))));
    auto *save = w.form->findChild<QAction *>(u"saveAction"_s);
    for (auto _ : state)
        save->trigger();
    if (w.form->windowTitle() == u"Регистрация клиентов"_s || !w.dialogs.errors.isEmpty())
        state.SkipWithError("the file was not saved");
}
BENCHMARK(BM_SaveClientFile)->Arg(500)->Unit(benchmark::kMillisecond);

// count client lines that pass every check, passports AA 0000001 and on.
QByteArray ClientText(int count)
{
    QString text;
    for (int n = 1; n <= count; ++n)
        text += u"Каримов\tАзиз\tРустамович\tМужской\t123456789\t05.06.1980\t1234567\tAA\t%1\t15.03.2016\t"
                "Ташкент\t14.03.2026\tТашкент, ул. Навои, 1\r\n"_s.arg(n, 7, 10, QLatin1Char('0'));
    return Cp1251::encode(text);
}

// Writes the text and imports it once through the menu.
void ImportText(Window &w, int count)
{
    QFile file(u"clients.txt"_s);
    file.open(QIODevice::WriteOnly);
    file.write(ClientText(count));
    file.close();
    w.dialogs.file = u"clients.txt"_s;
    w.panel()->setFields(ValidClientFields(0));
    // The save question goes on without saving.
    w.dialogs.answer = Dialogs::Answer::No;
    w.form->findChild<QAction *>(u"importTextAction"_s)->trigger();
    QCoreApplication::processEvents();
}

// Reading, checking and showing the whole file, the screen painted.
void BM_ImportClientText(benchmark::State &state)
{
    Window w;
    const int count = int(state.range(0));
    for (auto _ : state)
        ImportText(w, count);
    if (w.model()->recordCount() != count || !w.dialogs.errors.isEmpty())
        state.SkipWithError("the text was not imported");
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ImportClientText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A click on a row of the imported table: the row goes into the edit area,
// the panel pages, the screen is painted.
void BM_SelectImportedRow(benchmark::State &state)
{
    Window w;
    const int count = int(state.range(0));
    ImportText(w, count);
    auto *grid = w.form->findChild<ClientGrid *>(u"mainGrid"_s);
    int row = count / 2;
    for (auto _ : state) {
        grid->selectCell(row, ClientColumn::FullName);
        QCoreApplication::processEvents();
        row = row == count / 2 ? count / 2 + 1 : count / 2;
    }
    if (w.model()->recordCount() != count)
        state.SkipWithError("the text was not imported");
}
BENCHMARK(BM_SelectImportedRow)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

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
