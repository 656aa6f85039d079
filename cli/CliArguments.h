#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// A command's arguments: "--name VALUE" or "--name=VALUE" options among
// the positional arguments.
struct CliArguments
{
    QStringList positional;
    QHash<QString, QString> options; // by name, "--" included; the last one given wins

    bool has(const QString &name) const { return options.contains(name); }
    QString value(const QString &name) const { return options.value(name); }
};

// Throws UserError for an option not among optionNames or one without a value.
CliArguments ParseCliArguments(const QStringList &args, const QStringList &optionNames);
