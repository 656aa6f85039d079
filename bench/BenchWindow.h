#pragma once

// What the window benchmarks share: a shown payroll window in a scratch
// working directory with its "settings.ini", dialogs that answer at once,
// and registers of any size.

#include "common/Clock.h"
#include "common/ui/Dialogs.h"
#include "payroll/PayrollRow.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/SettingsRecord.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <memory>

class SilentDialogs : public Dialogs
{
public:
    explicit SilentDialogs(Answer answer) : m_answer(answer) {}
    void information(QWidget *, const QString &) override {}
    void error(QWidget *, const QString &) override {}
    Answer question(QWidget *, const QString &, const QString &, Buttons) override { return m_answer; }
    QString openFileName(QWidget *, const QString &) override { return {}; }
    bool printSetup(QWidget *, QPrinter &) override { return false; }
    void printPreview(QWidget *, QPrinter &, const std::function<void(QPrinter &)> &) override {}

private:
    Answer m_answer;
};

inline SettingsRecord BenchSettings()
{
    return {QStringLiteral("12345678"), QStringLiteral("ООО Ромашка"), QStringLiteral("00123")};
}

inline QList<PayrollRow> MakeBenchRows(int count)
{
    QList<PayrollRow> rows;
    rows.reserve(count);
    for (int i = 1; i <= count; ++i)
        rows.append({QStringLiteral("Сотрудникова Анна Петровна %1").arg(i),
                     QStringLiteral("86001234%1").arg(i, 8, 10, QLatin1Char('0')),
                     QString::number(1000 + i % 997) + QStringLiteral(".50")});
    return rows;
}

struct BenchWindow
{
    explicit BenchWindow(Dialogs::Answer answer)
        : dialogs(answer)
    {
        QDir::setCurrent(dir.path());
        WriteSettingsRecord(BenchSettings());
        form = std::make_unique<PayrollWindow>(dialogs, clock);
        form->show();
        QCoreApplication::processEvents();
    }
    ~BenchWindow()
    {
        form.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    QTemporaryDir dir;
    SilentDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))};
    std::unique_ptr<PayrollWindow> form;
};

inline int RunWindowBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
