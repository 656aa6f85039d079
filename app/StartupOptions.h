#pragma once

#include <QString>
#include <QStringList>

// What the command line of the windowed program may ask for.
struct StartupOptions
{
    // Folder to work in, as given; empty keeps the current directory.
    QString workDir;
};

// A --workdir value that starts with this word stands for the user's
// documents folder, which a desktop entry cannot spell out itself.
inline constexpr QStringView kDocumentsPlaceholder = u"@DOCUMENTS";

// Reads the arguments as QCoreApplication::arguments() gives them, program
// name first: "--workdir DIR" or "--workdir=DIR". Throws UserError on
// anything else.
StartupOptions ParseStartupOptions(const QStringList &arguments);

// The folder a --workdir value names, the placeholder resolved.
QString ResolveWorkDir(const QString &workDir);

// Makes the folder the working directory, creating it and its parents when
// missing; does nothing without --workdir. Throws UserError with the reason.
void EnterWorkDir(const StartupOptions &options);
