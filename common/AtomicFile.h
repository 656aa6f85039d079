#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes the whole of bytes to the device; false on a short or failed write.
bool WriteAll(QIODevice &device, const QByteArray &bytes);

// Replaces the file at path with bytes through QSaveFile: the old file
// survives every failure. On failure errorString gets the system's reason.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *errorString = nullptr);

// Creates the folder unless there is one already. On failure errorString
// gets the system's reason ("File exists" for a file of that name,
// "Permission denied" ...).
bool MakeFolder(const QString &path, QString *errorString = nullptr);
