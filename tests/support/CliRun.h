#pragma once

#include <QString>
#include <QStringList>

// The built kardolist-cli run in the current directory.
struct CliRun
{
    int exitCode = -1; // -1 when it did not finish normally within a minute
    QString out, err;
};

// withoutSession: as under cron or ssh, without XDG_RUNTIME_DIR.
CliRun RunCli(const QStringList &args, bool withoutSession = false);
