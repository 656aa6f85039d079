#include "cli/Command.h"
#include "common/SystemReason.h"
#include "common/TextRoutines.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <memory>

using namespace Qt::StringLiterals;

QList<CliCommand> &CliCommands()
{
    static QList<CliCommand> commands;
    return commands;
}

void PrintCliError(QTextStream &err, const QString &message)
{
    err << WithFullStop(message) << "\n";
}

QString MissingSettingsMessage()
{
    return u"Нет файла \"settings.ini\" в рабочей папке: сохраните банковские реквизиты в окне \"Настройки\""_s;
}

namespace {

// Without a session (cron, ssh, a container) Qt warns that XDG_RUNTIME_DIR is
// not set and takes a private directory instead; that is no news to the user.
QtMessageHandler g_defaultHandler = nullptr;

void FilterMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    g_defaultHandler(type, context, message);
}

void printHelp(QTextStream &out)
{
    auto commands = CliCommands();
    std::sort(commands.begin(), commands.end(), [](const CliCommand &a, const CliCommand &b) { return a.name < b.name; });
    out << "kardolist-cli: payroll registers and client lists without a window.\n"
           "Works in the current directory and reads \"settings.ini\" there, as the program does.\n\n"
           "Usage:\n";
    for (const CliCommand &c : commands)
        out << "  kardolist-cli " << c.usage << "\n";
    out << "  kardolist-cli --help\n\n";
    for (const CliCommand &c : commands)
        out << c.name << ":\n" << c.help << "\n\n";
    out << "Exit status: 0 on success, 1 on any problem.\n";
}

int run(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp(args.isEmpty() ? err : out);
        return args.isEmpty() ? 1 : 0;
    }
    for (const CliCommand &c : CliCommands()) {
        if (c.name != args.first())
            continue;
        const QStringList rest = args.mid(1);
        if (rest.contains(u"--help"_s) || rest.contains(u"-h"_s)) {
            out << "Usage: kardolist-cli " << c.usage << "\n\n" << c.help << "\n";
            return 0;
        }
        return c.run(rest, out, err);
    }
    PrintCliError(err, u"kardolist-cli: unknown command \"%1\"; see --help"_s.arg(args.first()));
    return 1;
}

// False when the stream refused a byte (a full disk, a closed pipe).
bool WriteAllTo(FILE *stream, const QByteArray &bytes)
{
    errno = 0;
    const bool written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
    return std::fflush(stream) == 0 && written;
}

} // namespace

static int runMain(int argc, char *argv[])
{
#ifdef __GLIBC__
    // Large buffers from the heap rather than fresh mappings, kept after
    // free: a command's read, decoded and written copies of a file then
    // reuse the same pages instead of faulting in new ones.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024); // the largest glibc takes
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
    // Printing needs fonts and a paint engine, hence a GUI application,
    // without a display; the other commands start faster without one.
    const bool printing = argc > 1 && qstrcmp(argv[1], "print") == 0;
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(FilterMessages);
    const std::unique_ptr<QCoreApplication> app = printing ? std::make_unique<QGuiApplication>(argc, argv)
                                                           : std::make_unique<QCoreApplication>(argc, argv);

    // What a command prints may quote a file's content: it reaches the
    // terminal with its control characters made visible.
    QString outText;
    QString errText;
    int code = [&] {
        QTextStream out(&outText);
        QTextStream err(&errText);
        return run(QCoreApplication::arguments().mid(1), out, err);
    }();
    if (!WriteAllTo(stdout, VisibleControls(outText).toUtf8())) {
        const int error = errno;
        errText += WithFullStop(u"kardolist-cli: не смог записать в стандартный вывод. "_s + SystemReason(error)) + u'\n';
        code = 1;
    }
    WriteAllTo(stderr, VisibleControls(errText).toUtf8());
    return code;
}

int main(int argc, char *argv[])
{
    // Said without allocating: there is no memory left to build a message.
    try {
        return runMain(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fputs("kardolist-cli: недостаточно памяти.\n", stderr);
        return 1;
    }
}
