// Peak memory of opening, importing, saving, checking and printing a payroll
// register, as a multiple of the file's size. Each operation runs in a
// process of its own (kardolist-cli, or this program for the window), whose
// peak resident size comes from wait4().
#include "BenchWindow.h"
#include "common/Cp1251.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollHeaderPanel.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

using namespace Qt::StringLiterals;

namespace {

// A rows text of about mib MiB (one row for 0): short rows ("a 1 1") are
// the costly case.
void WriteRowsText(const QString &path, qint64 mib, bool shortRows)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return;
    QByteArray chunk;
    for (qint64 i = 0, size = 0; size < mib * 1024 * 1024 || i == 0; ++i) {
        const QString line = shortRows ? u"a\t1\t1\r\n"_s
                                       : u"Иванов Иван Иванович %1\t8600 1234 %2\t%3,%4\r\n"_s.arg(i)
                                                 .arg(i, 8, 10, QLatin1Char('0')).arg(1000 + i * 7 % 100000)
                                                 .arg(i % 100, 2, 10, QLatin1Char('0'));
        chunk += Cp1251::encode(line);
        if (mib == 0)
            break;
        if (chunk.size() > (1 << 20)) {
            size += chunk.size();
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
}

// A client text of count lines (13 fields each, about 150 bytes a line).
void WriteClientsText(const QString &path, int count)
{
    static const QString names[] = {u"Азиз"_s, u"Дилноза"_s, u"Рустам"_s, u"Малика"_s};
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return;
    for (int i = 0; i < count; ++i)
        f.write(Cp1251::encode(u"Каримов\t"_s + names[i % 4] + u"\tРустамович\tМужской\t123 456 789\t05.06.1980\t"_s
                               + u"1234567\t"_s + (i % 2 ? u"AA\t"_s : u"AB\t"_s) + QString::number(1000000 + i)
                               + u"\t15.03.2016\tЮнусабадский РОВД г. Ташкента\t14.03.2026\tТашкент, ул. Навои, "_s
                               + QString::number(i) + u"\r\n"_s));
}

// Peak resident size in bytes of the command (a refusal, such as a save
// stopped by the size limit, counts too); -1 when it could not run.
qint64 PeakOf(const QStringList &command)
{
    std::vector<QByteArray> args;
    for (const QString &a : command)
        args.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status))
        return -1;
    return qint64(usage.ru_maxrss) * 1024;
}

// The same operation on a one-row file: what the program needs whatever the
// file, so that the growth with the file can be told apart.
QHash<QString, qint64> g_baseline;

void Report(const char *operation, const QString &input, qint64 peak)
{
    const qint64 size = QFileInfo(input).size();
    const QString name = QFileInfo(input).fileName();
    if (size < 1024) {
        g_baseline.insert(QString::fromLatin1(operation), peak);
        std::printf("%-26s %-16s one row       peak %7.1f MiB\n", operation, qPrintable(name), peak / 1048576.0);
    } else if (peak < 0) {
        std::printf("%-26s %-16s %7.1f MiB   failed\n", operation, qPrintable(name), size / 1048576.0);
    } else {
        const qint64 growth = peak - g_baseline.value(QString::fromLatin1(operation));
        std::printf("%-26s %-16s %7.1f MiB  peak %7.1f MiB  %5.1f x  (%4.1f x above one row)\n", operation,
                    qPrintable(name), size / 1048576.0, peak / 1048576.0, double(peak) / double(size),
                    double(growth) / double(size));
    }
    std::fflush(stdout);
}

// In a child: one window operation on path.
int RunWindowOperation(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString operation = QString::fromLocal8Bit(argv[2]);
    const QString path = QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath();
    BenchWindow window(Dialogs::Answer::Yes);
    if (operation == u"open"_s) {
        window.form->loadPayrollFile(path);
    } else {
        window.form->loadPayrollText(path);
        window.form->findChild<PayrollHeaderPanel *>(u"headerGroup"_s)->setHeader({u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s});
        if (operation == u"save"_s && !window.form->savePayroll())
            return 1;
    }
    return window.form->model()->rowCount() > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--window") == 0)
        return RunWindowOperation(argc, argv);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const QString cli = QCoreApplication::applicationDirPath() + u"/../cli/kardolist-cli"_s;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    WriteSettingsRecord(BenchSettings());
    const QString registerPath = u"Кардолист/2026/ZPSV001231234567812202600007"_s;

    std::printf("Peak memory per file size (the goal: about 6 x at most)\n");
    const struct { const char *name; qint64 mib; bool shortRows; } inputs[] = {
        {"one.txt", 0, true}, {"rows10.txt", 10, false}, {"rows40.txt", 40, false}, {"short10.txt", 10, true},
        {"short60.txt", 60, true}};
    for (const auto &input : inputs) {
        const QString rows = QString::fromLatin1(input.name);
        WriteRowsText(rows, input.mib, input.shortRows);
        QFile::remove(registerPath);
        Report("cli payroll (import+save)", rows,
               PeakOf({cli, u"payroll"_s, rows, u"--number"_s, u"7"_s, u"--date"_s, u"08.12.2026"_s, u"--month"_s,
                       u"12"_s, u"--year"_s, u"2026"_s}));
        Report("window import", rows, PeakOf({self, u"--window"_s, u"import"_s, rows}));
        if (!QFile::exists(registerPath))
            continue; // larger than the reader takes: the save stopped
        const QString saved = rows + u".zpsv"_s;
        QFile::remove(saved);
        QFile::rename(registerPath, saved);
        Report("window import+save", rows, PeakOf({self, u"--window"_s, u"save"_s, rows}));
        Report("window open", saved, PeakOf({self, u"--window"_s, u"open"_s, saved}));
        Report("cli verify", saved, PeakOf({cli, u"verify"_s, saved}));
        Report("cli print (PDF)", saved, PeakOf({cli, u"print"_s, saved, u"--pdf"_s, u"out.pdf"_s}));
    }

    for (const auto &[name, count] : {std::pair{"client1.txt", 1}, std::pair{"clients100k.txt", 100000}}) {
        const QString text = QString::fromLatin1(name);
        WriteClientsText(text, count);
        QDir(u"Клиенты"_s).removeRecursively();
        Report("cli clients (import+save)", text,
               PeakOf({cli, u"clients"_s, text, u"--doc-type"_s, u"0"_s, u"--mobile"_s, u"901234567"_s,
                       u"--issued-by"_s, u"ОВД"_s}));
        const QStringList saved = QDir(u"Клиенты"_s).entryList(QDir::Files);
        if (saved.isEmpty())
            continue;
        const QString list = text + u".clsv"_s;
        QFile::remove(list);
        QFile::rename(u"Клиенты/"_s + saved.first(), list);
        Report("cli verify (clients)", list, PeakOf({cli, u"verify"_s, list}));
    }
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
