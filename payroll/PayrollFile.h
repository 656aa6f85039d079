#pragma once

#include "payroll/PayrollRows.h"
#include "settings/SettingsRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QString>

// The payroll register file the bank ingests: its folder and name, and its
// lines: header, detail and trailer, TAB after every field, CR LF after
// every line, Windows-1251, and a CRC-32 of the header and written detail
// lines in the trailer.

// The header fields of a register as the window shows them.
struct PayrollHeader
{
    QString registerNumber; // registerNum's stored text, e.g. "00007"
    QString date;           // sendDate's stored text, "dd.mm.yyyy"
    int monthIndex = -1;    // months' item index 0..11, -1 when none chosen
    QString year;           // year's stored text, "2026"

    friend bool operator==(const PayrollHeader &, const PayrollHeader &) = default;
};

inline const QChar FieldSeparator = QLatin1Char('\t');
QString SaveFolder();                       // "Кардолист"

// "Кардолист/<year>/ZPSV" + branch + client + month + year + number,
// relative, with "/" separators. Calls CheckBankCodes.
QString PayrollFilePath(const SettingsRecord &settings, const PayrollHeader &header);

// The key compared against the opened file's header line from its 34th character on.
QString HeaderKeyText(const SettingsRecord &settings, const PayrollHeader &header);
// The header line's first three fields and separators: the key starts after them.
inline constexpr qsizetype kHeaderKeyOffset = 33;

// The reader takes a first line that starts with "H", or else has a TAB as
// its second character.
bool PayrollFirstLineAccepted(QStringView line);

// A row goes into the file unless its name or card is empty or its amount
// is exactly "0.00" (the same text in plain and display form).
bool IsWrittenRow(QStringView name, QStringView card, QStringView amount);
inline bool IsWrittenRow(const PayrollRow &row) { return IsWrittenRow(row.name, row.card, row.amount); }

// The size of the file BuildPayrollFile makes of these rows, without building it.
qint64 PayrollFileSize(const SettingsRecord &settings, const PayrollHeader &header, const PayrollRows &rows);

// At least PayrollFileSize, from the texts' lengths alone: a row counts as
// written when it has a name and a card, and its amount's blanks count too.
qint64 PayrollFileSizeBound(const SettingsRecord &settings, const PayrollHeader &header, const PayrollRows &rows);

// The whole file's bytes, trailer included. The rows' amounts may be in
// plain or display form: they are written plain, without their blanks.
QByteArray BuildPayrollFile(const SettingsRecord &settings, const PayrollHeader &header, const PayrollRows &rows,
                            const QDateTime &moment);
// The same bytes, written to the device a piece at a time so that the
// whole file is never held; false when a write fails.
bool WritePayrollFile(QIODevice &device, const SettingsRecord &settings, const PayrollHeader &header,
                      const PayrollRows &rows, const QDateTime &moment);
