#pragma once

#include "payroll/PayrollRow.h"
#include "settings/SettingsRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The payroll register file the bank ingests: header, detail and trailer
// lines, TAB after every field, CR LF after every line, Windows-1251, and a
// CRC-32 of the header and written detail lines in the trailer.

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

QString MonthDigits(int monthIndex);        // 0 -> "01" ... 11 -> "12"

// Throws UserError when a code read from "settings.ini" holds anything but
// digits and blanks, so that a hand-edited file cannot steer a path.
void CheckBankCodes(const SettingsRecord &settings);

// "Кардолист/<year>/ZPSV" + branch + client + month + year + number,
// relative, with "/" separators. Calls CheckBankCodes.
QString PayrollFilePath(const SettingsRecord &settings, const PayrollHeader &header);

// The key compared against LastHeaderLine from its 34th character on.
QString HeaderKeyText(const SettingsRecord &settings, const PayrollHeader &header);

// A row goes into the file unless its name or card is empty or its amount
// is exactly "0.00". Rows must already be in plain amount form.
bool IsWrittenRow(const PayrollRow &row);

// The header line, detail lines and trailer as written, without line ends.
QStringList PayrollLines(const SettingsRecord &settings, const PayrollHeader &header,
                         const QList<PayrollRow> &plainRows, const QDateTime &moment);
quint32 PayrollChecksum(const SettingsRecord &settings, const PayrollHeader &header,
                        const QList<PayrollRow> &plainRows, const QDateTime &moment);
// The whole file's bytes, trailer included.
QByteArray BuildPayrollFile(const SettingsRecord &settings, const PayrollHeader &header,
                            const QList<PayrollRow> &plainRows, const QDateTime &moment);

// What the open command reads from a payroll file.
struct PayrollFileContents
{
    QString firstLine;          // becomes LastHeaderLine
    QString registerNumber;     // field 8
    QString date;               // field 5
    QString monthField;         // field 6, as text
    QString year;               // field 7
    QList<PayrollRow> rows;     // lines 2 .. last-but-one, empty lines skipped
};
// Throws UserError("Неверный формат файла!") when the first line fails its check.
PayrollFileContents ReadPayrollFile(QByteArrayView bytes);

// Rows of a TAB-separated text file: name, card (blanks dropped), amount.
QList<PayrollRow> ImportPayrollText(QByteArrayView bytes);
