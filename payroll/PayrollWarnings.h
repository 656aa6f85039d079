#pragma once

#include "common/Warning.h"
#include "payroll/PayrollRows.h"

// What the bank may well refuse in a register that the save accepts: card
// numbers that are not 16 digits or fail their check digit, a card on more
// than one row, amounts of zero (left out of the file), below zero, or above
// ten times the register's median when it has five rows or more. Amounts in
// plain or display form; a cell that is no number, an empty card or one with
// other characters than digits is left to the save's checks. Columns are
// PayrollRows::Cell; fields "card" and "amount".
QList<Warning> PayrollWarnings(const PayrollRows &rows, const RowNumbering &numbering = {});

// The Luhn check of a card number of digits.
bool LuhnValid(QStringView digits);

// Rows from which the median rule applies.
inline constexpr qsizetype kOutlierMinRows = 5;
inline constexpr int kOutlierFactor = 10;
