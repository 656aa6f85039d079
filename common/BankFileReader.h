#pragma once

#include "common/ByteLines.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>

class QFile;

// Reads a bank line file: Windows-1251 up to the first zero byte, lines
// ended by CR LF, LF or CR, walked and decoded one at a time (the whole
// file is never held decoded). The first line is the
// header; the last line is the trailer only when its first field is "T",
// so a file that lost its trailer loses no detail line.
class BankFileReader
{
public:
    // Files larger than this are refused before they are read.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    // The whole file; throws UserError with cannotOpen(file) when it cannot
    // be read, the size message when it is larger than kMaxFileSize, or
    // NotRegularFileMessage (before opening) for a folder, FIFO or device.
    static QByteArray readFile(const QString &path, const std::function<QString(const QFile &)> &cannotOpen);
    // "Файл "PATH" больше 64 МБ и не может быть открыт"
    static QString sizeMessage(const QString &path);

    // Throws UserError(badFormat) when the file has no first line or the
    // document's check refuses it.
    BankFileReader(QByteArrayView bytes, const std::function<bool(QStringView)> &firstLineCheck,
                   const QString &badFormat);

    QStringView headerLine() const { return m_header; }
    // The next line between header and trailer, empty lines included; the
    // view holds until the next call.
    bool nextDetail(QStringView &line);
    // After the walk: the trailer line, empty when the file has none.
    QStringView trailerLine() const { return m_trailer; }

    // Field index of a line, counted from 0; empty when the line has fewer.
    static QStringView field(QStringView line, int index);
    static bool isTrailer(QStringView line);

private:
    bool nextLine(QString &line);

    ByteLines m_lines;
    QString m_header;
    QString m_line;
    QString m_pending;
    bool m_hasPending = false;
    QString m_trailer;
};

// A bank file's bytes (payroll register or client list); throws UserError
// "Cannot open file "PATH". REASON", the size message, or the message for
// a path that is not a regular file.
QByteArray ReadBankFileBytes(const QString &path);
