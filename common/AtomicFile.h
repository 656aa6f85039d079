#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes the whole of bytes to the device; false on a short or failed write.
bool WriteAll(QIODevice &device, const QByteArray &bytes);

// Replaces the file at path with bytes through QSaveFile: the old file
// survives every failure. On failure errorString gets the system's reason.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *errorString = nullptr);
// The same, with the content written by write (false when a write failed),
// so that a large file need not be held whole first.
bool WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                         QString *errorString = nullptr);

// Creates the folder unless there is one already. On failure errorString
// gets the system's reason ("File exists" for a file of that name,
// "Permission denied" ...).
bool MakeFolder(const QString &path, QString *errorString = nullptr);
