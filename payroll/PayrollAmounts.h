#pragma once

#include "common/Money.h"
#include "payroll/PayrollRows.h"

#include <QStringView>

#include <optional>

// The amount column read as money: one cell, the plain form the file takes,
// and the register's total.

// An empty or all-blank cell counts as 0.00; a text that is not a number
// throws UserError with the conversion message.
Money CellAmount(QStringView amountText);

// Amounts in the file's plain form; an empty amount becomes "0.00". Throws
// the conversion error at the first amount that is not a number.
PayrollRows ToPlainAmounts(PayrollRows rows);

// The register's total, kept as amounts come and go. Only the total has to
// stay in Money's range: on the way it may leave it.
class RegisterTotal
{
public:
    void add(Money amount) { m_tiyin += amount.tiyin(); }
    void remove(Money amount) { m_tiyin -= amount.tiyin(); }
    // Nothing when the total is beyond Money's range.
    std::optional<Money> value() const;
    // The total, or UserError with the range message.
    Money valueOrThrow() const;

private:
    __int128 m_tiyin = 0;
};

// The total of every amount cell (CellAmount); throws UserError at the
// first cell that is not a number, or when the total is out of range.
Money PayrollTotal(const PayrollRows &rows);
