#pragma once

#include <QString>

// What a document's save came to. The window turns it into dialogs and
// focus, the command line into standard error and an exit code. Field is
// the document's own enumeration of the fields its checks are about.
template <typename Field>
struct SaveOutcome
{
    enum class Kind { Saved, StoppedByCheck, WriteFailed, Cancelled };

    Kind kind = Kind::Cancelled;
    QString path;    // Saved: the file written, relative to the working directory
    QString message; // StoppedByCheck, WriteFailed: the user's text
    Field field{};   // StoppedByCheck: the field the check is about
    int row = -1;    // StoppedByCheck: the row of a table field, -1 for others
    bool replacing = false; // WriteFailed: an existing file stays as it was

    static SaveOutcome saved(const QString &path) { return {Kind::Saved, path, {}, {}, -1, false}; }
    static SaveOutcome stopped(const QString &message, Field field, int row = -1)
    {
        return {Kind::StoppedByCheck, {}, message, field, row, false};
    }
    static SaveOutcome writeFailed(const QString &message, bool replacing)
    {
        return {Kind::WriteFailed, {}, message, {}, -1, replacing};
    }
    static SaveOutcome cancelled() { return {}; }
};
