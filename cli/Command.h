#pragma once

#include <QStringList>
#include <QTextStream>

#include <functional>

// One subcommand of kardolist-cli. Each command file registers itself with
// a static CliCommandRegistrar; main() dispatches on the first argument.
struct CliCommand
{
    QString name;
    QString usage;   // one line: "payroll ROWS.txt --number N ..."
    QString help;    // a few lines describing what it does
    // Arguments after the command name. Returns the exit code (0 or 1).
    std::function<int(const QStringList &args, QTextStream &out, QTextStream &err)> run;
};

QList<CliCommand> &CliCommands();

// Every message on standard error ends with a full stop, as the program's own do.
void PrintCliError(QTextStream &err, const QString &message);

// Commands that save refuse to run without "settings.ini" in the working
// folder: the program would not save without bank details, and reading a
// missing one would create it empty.
QString MissingSettingsMessage();

struct CliCommandRegistrar
{
    explicit CliCommandRegistrar(CliCommand command) { CliCommands().append(std::move(command)); }
};
