#pragma once

#include "common/BankFileReader.h"
#include "common/Crc32.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>

// Builds the bytes of a bank line file: Windows-1251, a TAB after every
// field, CR LF after every line, and a trailer "T", its number and the
// CRC-32 of every line before it, taken without the line ends as each line
// is finished. Fields are encoded straight into one buffer, which is either
// taken whole or handed to a device whenever it holds a chunk of lines.
class BankFileWriter
{
public:
    // Bytes a line holds besides its fields' texts: one TAB per field and CR LF.
    static constexpr qsizetype lineOverhead(int fieldCount) { return fieldCount + 2; }
    static constexpr qsizetype kLineNumberSize = 10;
    static constexpr qsizetype kTrailerSize = 1 + kLineNumberSize + 8 + 3 + 2;

    // Nothing the program writes may be refused by its own reader: a save
    // checks the file's size against this before writing anything.
    static bool fitsReader(qint64 size) { return size <= BankFileReader::kMaxFileSize; }
    // Why such a save stops: the size it would have and the limit.
    static QString tooLargeMessage(qint64 size);

    // capacity: the expected size; the buffer grows beyond it when needed.
    explicit BankFileWriter(qsizetype capacity = 0);
    // Writes to sink as it goes, in pieces of about chunk bytes.
    BankFileWriter(QIODevice &sink, qsizetype chunk);

    void field(QStringView text);
    // The text without its blanks: the plain form of a display amount.
    void fieldWithoutBlanks(QStringView text);
    // Ten digits with leading zeros.
    void lineNumberField(qint64 number);
    // Ends the line with CR LF and takes it into the CRC.
    void endLine();
    // The trailer line: "T", number, the CRC of the lines so far.
    void trailer(qint64 number);

    quint32 crc() const;
    // The bytes not yet handed to a sink.
    qsizetype size() const { return m_end - m_bytes.constData(); }
    QByteArray take();
    // Hands the rest to the sink; false when any write to it failed.
    bool finish();

private:
    void reserveMore(qsizetype bytes)
    {
        if (m_limit - m_end < bytes)
            grow(bytes);
    }
    void grow(qsizetype bytes);
    void lineDone();
    void flush();

    QByteArray m_bytes;
    char *m_end;
    char *m_limit;
    const char *m_lineStart;
    Crc32 m_crc;
    qint64 m_nextLineNumber = -1;
    char m_nextLineDigits[kLineNumberSize] = {};
    QIODevice *m_sink = nullptr;
    qsizetype m_chunk = 0;
    bool m_failed = false;
};
