#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes the whole of bytes to the device; false on a short or failed write.
bool WriteAll(QIODevice &device, const QByteArray &bytes);

// Replaces the file at path with bytes through QSaveFile: the old file
// survives every failure. A symbolic link, FIFO or device at path is
// refused, never written through or replaced. On failure errorString gets
// the reason.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *errorString = nullptr);
// The same, with the content written by write (false when a write failed),
// so that a large file need not be held whole first.
bool WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                         QString *errorString = nullptr);

enum class FolderParents { Required, Made };

// Creates the folder unless there is one already, and with FolderParents::Made
// the folders above it too. On failure errorString gets the system's reason
// ("File exists" for a file of that name, "Permission denied" ...).
bool MakeFolder(const QString &path, QString *errorString = nullptr,
                FolderParents parents = FolderParents::Required);

// "Не могу создать папку "PATH". REASON": the one message for a folder not made.
QString FolderNotMadeMessage(const QString &path, const QString &reason);
