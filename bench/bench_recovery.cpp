// The recovery copy of a 100,000-row register and of a 100,000-client list:
// building the bytes, one write through the store, reading it back. The
// copy's size is reported as a counter.
#include "clients/ClientRecovery.h"
#include "payroll/PayrollRecovery.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 100'000;

PayrollRecovery Register()
{
    PayrollRecovery copy;
    copy.header = {u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s};
    copy.openedFile = u"Кардолист/2026/ZPSV0012312345678122026 00007"_s;
    copy.openedHeaderLine = u"H\t0000000001\t00123\t12345678\t08.12.2026\t12\t2026\t00007\t"_s;
    copy.takenAt = QDateTime::currentDateTime();
    copy.rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i)
        copy.rows.append(u"Иванов Иван Иванович %1"_s.arg(i), u"86001234%1"_s.arg(i, 8, 10, QLatin1Char('0')),
                         u"1 %1.%2"_s.arg(i % 1000, 3, 10, QLatin1Char('0')).arg(i % 100, 2, 10, QLatin1Char('0')));
    return copy;
}

ClientRecovery Clients()
{
    ClientRecovery copy;
    copy.currentFile = u"Клиенты/CLSV001231234567820261208093059"_s;
    copy.takenAt = QDateTime::currentDateTime();
    copy.records.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        ClientRecord r;
        r[ClientColumn::Number] = QString::number(i + 1);
        r[ClientColumn::Surname] = u"Иванов"_s;
        r[ClientColumn::Name] = u"Иван"_s;
        r[ClientColumn::Patronymic] = u"Иванович"_s;
        r[ClientColumn::FullName] = u"Иванов Иван Иванович"_s;
        r[ClientColumn::Sex] = MaleText();
        r[ClientColumn::Inn] = u"123456789"_s;
        r[ClientColumn::Birthday] = u"01.02.1980"_s;
        r[ClientColumn::PassportSeries] = u"AA"_s;
        r[ClientColumn::PassportNumber] = QString::number(1000000 + i);
        r[ClientColumn::Document] = u"AA "_s + r[ClientColumn::PassportNumber];
        r[ClientColumn::PassportDate] = u"01.02.2010"_s;
        r[ClientColumn::PassportEnd] = u"01.02.2030"_s;
        r[ClientColumn::PassportPlace] = u"Ташкент"_s;
        r[ClientColumn::PassportIssuedBy] = u"ОВД Мирабадского района"_s;
        r[ClientColumn::Phone] = u"1234567"_s;
        r[ClientColumn::DocType] = u"0"_s;
        r[ClientColumn::Address] = u"г. Ташкент, ул. Навои, д. 1, кв. 2"_s;
        r[ClientColumn::PlaceOfBirth] = u"Ташкент"_s;
        r[ClientColumn::TaxOffice] = u"2603"_s;
        r[ClientColumn::MobileNumber] = u"(90)123-45-67"_s;
        copy.records.append(r);
    }
    return copy;
}

void BM_PayrollRecoveryEncode(benchmark::State &state)
{
    const PayrollRecovery copy = Register();
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeRecovery(copy));
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_PayrollRecoveryEncode)->Unit(benchmark::kMillisecond);

// What the window pays once the changes pause: bytes built and written.
void BM_PayrollRecoveryWrite(benchmark::State &state)
{
    QTemporaryDir work;
    const RecoveryStore store = RecoveryStoreFor<PayrollRecovery>(work.path());
    const PayrollRecovery copy = Register();
    for (auto _ : state) {
        if (!WriteRecovery<PayrollRecovery>(store, copy))
            state.SkipWithError("the copy was not written");
    }
    state.counters["bytes"] = double(QFileInfo(store.path()).size());
    state.SetItemsProcessed(state.iterations() * kRows);
    store.remove();
}
BENCHMARK(BM_PayrollRecoveryWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PayrollRecoveryRead(benchmark::State &state)
{
    QTemporaryDir work;
    const RecoveryStore store = RecoveryStoreFor<PayrollRecovery>(work.path());
    if (!WriteRecovery<PayrollRecovery>(store, Register()))
        state.SkipWithError("the copy was not written");
    for (auto _ : state) {
        if (!ReadRecovery<PayrollRecovery>(store).copy)
            state.SkipWithError("the copy was not read");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    store.remove();
}
BENCHMARK(BM_PayrollRecoveryRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ClientRecoveryWrite(benchmark::State &state)
{
    QTemporaryDir work;
    const RecoveryStore store = RecoveryStoreFor<ClientRecovery>(work.path());
    const ClientRecovery copy = Clients();
    for (auto _ : state) {
        if (!WriteRecovery<ClientRecovery>(store, copy))
            state.SkipWithError("the copy was not written");
    }
    state.counters["bytes"] = double(QFileInfo(store.path()).size());
    state.SetItemsProcessed(state.iterations() * kRows);
    store.remove();
}
BENCHMARK(BM_ClientRecoveryWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The copies go to a scratch data folder, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
