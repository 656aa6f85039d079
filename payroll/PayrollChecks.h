#pragma once

#include "payroll/PayrollFile.h"
#include "payroll/PayrollRows.h"

#include <QString>
#include <QStringView>

#include <optional>

// What the save's checks are about: a header box, a grid column of one row,
// the register as a whole, or the bank codes of "settings.ini".
enum class PayrollField { RegisterNumber, Date, Month, Year, Name, Card, Rows, BankCodes };

// The register number as PadRegisterNumber leaves it: blanks removed, then
// 0-padded to five digits below 10000; otherwise the text is kept as it was.
QString PadRegisterNumberText(const QString &text);

// The first row (from 0) without a full name or a card number, and which of
// the two is empty (the name when both are); nothing when every row has both.
struct UnfilledCell
{
    qsizetype row;
    PayrollField field;
};
std::optional<UnfilledCell> FirstUnfilledCell(const PayrollRows &rows);

// The first header box with an unfilled place or "#" (number, year), empty
// (date) or without a choice (month); nothing when all are filled.
std::optional<PayrollField> IncompleteHeaderField(const PayrollHeader &header);

// Only the digits 0 to 9; an empty card is good.
bool CardNumberValid(QStringView card);
// The first row (from 0) whose card number is not valid; -1 when none.
qsizetype FirstBadCardRow(const PayrollRows &rows);

// Rows at the end with no name, no card and no amount (empty or zero) are
// not rows of the register, as Tab from the last amount leaves one; the
// register keeps at least its first row. Gives how many rows remain.
qsizetype RegisterRowCount(const PayrollRows &rows);
