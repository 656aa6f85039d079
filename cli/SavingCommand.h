#pragma once

#include <QString>
#include <QTextStream>

#include <functional>

// The frame of a command that saves a document: a UserError from
// parseArguments is a usage error ("kardolist-cli NAME: ...; see --help");
// then "settings.ini" must be in the working folder; a UserError from save
// is printed as the command's failure. Returns the exit code.
int RunSavingCommand(const QString &name, QTextStream &err, const std::function<void()> &parseArguments,
                     const std::function<int()> &save);
