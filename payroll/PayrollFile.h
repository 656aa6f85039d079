#pragma once

#include "common/BankFileReader.h"
#include "payroll/PayrollRows.h"
#include "settings/SettingsRecord.h"

#include <QByteArray>
#include <QIODevice>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

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

// "Кардолист/<year>/ZPSV" + branch + client + month + year + number,
// relative, with "/" separators. Calls CheckBankCodes.
QString PayrollFilePath(const SettingsRecord &settings, const PayrollHeader &header);

// The key compared against the opened file's header line from its 34th character on.
QString HeaderKeyText(const SettingsRecord &settings, const PayrollHeader &header);

// A row goes into the file unless its name or card is empty or its amount
// is exactly "0.00" (the same text in plain and display form).
bool IsWrittenRow(QStringView name, QStringView card, QStringView amount);
inline bool IsWrittenRow(const PayrollRow &row) { return IsWrittenRow(row.name, row.card, row.amount); }

// The size of the file BuildPayrollFile makes of these rows, without building it.
qint64 PayrollFileSize(const SettingsRecord &settings, const PayrollHeader &header, const PayrollRows &rows);

// The whole file's bytes, trailer included. The rows' amounts may be in
// plain or display form: they are written plain, without their blanks.
QByteArray BuildPayrollFile(const SettingsRecord &settings, const PayrollHeader &header, const PayrollRows &rows,
                            const QDateTime &moment);
// The same bytes, written to the device a piece at a time so that the
// whole file is never held; false when a write fails.
bool WritePayrollFile(QIODevice &device, const SettingsRecord &settings, const PayrollHeader &header,
                      const PayrollRows &rows, const QDateTime &moment);

// What the open command reads from a payroll file.
struct PayrollFileContents
{
    QString firstLine;          // kept to recognise a save over the same register
    QString registerNumber;     // field 8
    QString date;               // field 5
    QString monthField;         // field 6, as text
    QString year;               // field 7
    PayrollRows rows;           // the detail lines, empty lines skipped
};
// Throws UserError("Неверный формат файла!") when the first line fails its check.
PayrollFileContents ReadPayrollFile(QByteArrayView bytes);

// Rows of a TAB-separated text file: name, card (blanks dropped), amount.
PayrollRows ImportPayrollText(QByteArrayView bytes);

// --- Shared by the window and kardolist-cli -------------------------------

// The messages of the save's checks, word for word.
QString TableNotFilledMessage();   // "Таблица не заполнена! Заполните поля ..."
QString HeaderIncompleteMessage(); // "Заполните все поля данных ведомостей!"
QString BadDataMessage();          // "Введены неверные данные!"
QString BadFormatMessage();        // "Неверный формат файла!"
QString CannotOpenTextMessage();   // "Не могу открыть файл. Возможно ..."
QString CannotReplaceMessage();    // "Не смог перезаписать файл. ..."

// The register number as PadRegisterNumber leaves it: blanks removed, then
// 0-padded to five digits below 10000; otherwise the text is kept as it was.
QString PadRegisterNumberText(const QString &text);

// Every row has a full name and a card number (true without rows).
bool TableFilled(const PayrollRows &rows);
// Number and year without an unfilled place or "#", a date, a month.
bool HeaderComplete(const PayrollHeader &header);
// Only the digits 0 to 9; an empty card is good.
bool CardNumberValid(QStringView card);
bool CardNumbersValid(const PayrollRows &rows);

// Amounts in the file's plain form; an empty amount becomes "0.00". Throws
// the conversion error at the first amount that is not a number.
PayrollRows ToPlainAmounts(PayrollRows rows);

// The month field of a header line as a whole number; nothing when it is not one.
std::optional<int> ParseMonthField(const QString &field);
// The months' item index for the field: -1 outside 1..12; throws UserError
// "'%s' is not a valid integer value" when it is not a whole number.
int MonthIndexFromField(const QString &field);

// Readers refuse files larger than this before reading them.
inline constexpr qint64 kMaxImportFileSize = BankFileReader::kMaxFileSize;
// The bytes of a payroll file; throws UserError "Cannot open file "%s". %s"
// or the size message.
QByteArray ReadPayrollFileBytes(const QString &path);
// The bytes of a text import file; throws UserError(CannotOpenTextMessage())
// or the size message.
QByteArray ReadPayrollTextBytes(const QString &path);
