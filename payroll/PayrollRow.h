#pragma once

#include <QString>

// One data row of a payroll register, as the grid holds it: cell texts.
struct PayrollRow
{
    QString name;    // column 1: full name
    QString card;    // column 2: card number
    QString amount;  // column 3: amount text (display form on screen)

    friend bool operator==(const PayrollRow &, const PayrollRow &) = default;
};
