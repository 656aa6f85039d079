#pragma once

#include <QString>

// What a document's save came to. The window turns it into dialogs and
// focus, the command line into standard error and an exit code.
struct SaveOutcome
{
    enum class Kind { Saved, StoppedByCheck, WriteFailed, Cancelled };

    Kind kind = Kind::Cancelled;
    QString path;    // Saved: the file written, relative to the working directory
    QString message; // StoppedByCheck, WriteFailed: the user's text
    QString field;   // StoppedByCheck: object name of the control the check is about
    bool replacing = false; // WriteFailed: an existing file stays as it was

    static SaveOutcome saved(const QString &path) { return {Kind::Saved, path, {}, {}, false}; }
    static SaveOutcome stopped(const QString &message, const QString &field)
    {
        return {Kind::StoppedByCheck, {}, message, field, false};
    }
    static SaveOutcome writeFailed(const QString &message, bool replacing)
    {
        return {Kind::WriteFailed, {}, message, {}, replacing};
    }
    static SaveOutcome cancelled() { return {}; }
};
