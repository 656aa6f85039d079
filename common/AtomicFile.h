#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes the whole of bytes to the device; false on a short or failed write.
bool WriteAll(QIODevice &device, const QByteArray &bytes);

// Replaces the file at path with bytes, written first to a temporary file
// beside it and renamed over it: the old file survives every failure. The
// temporary file is named ".NAME.XXXXXX", which no open dialog's filter for
// NAME matches; one that a killed save left behind is removed by the next
// save of that file. A symbolic link, FIFO or device at path is refused,
// never written through or replaced. On failure errorString gets the reason.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *errorString = nullptr);
// The same, with the content written by write (false when a write failed),
// so that a large file need not be held whole first.
bool WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                         QString *errorString = nullptr);

enum class NewFileResult { Written, NameTaken, Failed };

// Writes a file that must not replace one: the complete temporary file takes
// the name only if it is free, so that nothing ever stands under that name
// but the whole file. NameTaken when a file of that name exists (nothing is
// then written or left behind); Failed with errorString's reason otherwise.
NewFileResult WriteNewFile(const QString &path, const std::function<bool(QIODevice &)> &write,
                           QString *errorString = nullptr);

// Removes the temporary files that killed saves left in folder for files
// whose names start with prefix: regular files only, never one that a
// running save still holds.
void RemoveStaleTemporaries(const QString &folder, const QString &prefix);

enum class FolderParents { Required, Made };

// Creates the folder unless there is one already, and with FolderParents::Made
// the folders above it too. On failure errorString gets the system's reason.
bool MakeFolder(const QString &path, QString *errorString = nullptr,
                FolderParents parents = FolderParents::Required);

// "Не могу создать папку "PATH". REASON": the one message for a folder not made.
QString FolderNotMadeMessage(const QString &path, const QString &reason);
