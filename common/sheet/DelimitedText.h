#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// A text export of a table: its encoding told by its bytes, its separator by
// its first line that is not blank, its fields quoted the CSV way.

enum class TextEncoding { Windows1251, Utf8, Utf8Bom, Utf16Le, Utf16Be };

struct DecodedText
{
    QString text;          // up to the first zero character, as the line readers stop there
    TextEncoding encoding = TextEncoding::Windows1251;
};

// UTF-8 with or without its byte order mark, UTF-16 with its mark, else Windows-1251.
DecodedText DecodeTableText(QByteArrayView bytes);

// TAB, else ";", else "," when the first line that is not blank holds it
// outside quotes; TAB when it holds none.
QChar DetectSeparator(QStringView text);

struct DelimitedRecord
{
    int row = 0;           // 1-based, as a spreadsheet numbers the record
    QStringList fields;
};

// Records split at separator; a field that starts with a quote runs to its
// closing quote, line ends and separators included, and "" in it is one quote.
// Lines ending in CR LF, LF or CR; a final line end adds no record.
// Records that are blank (nothing but separators and blanks) are left out.
QList<DelimitedRecord> SplitDelimited(QStringView text, QChar separator);
