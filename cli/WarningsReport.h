#pragma once

#include "common/Money.h"
#include "common/Warning.h"

#include <QDate>
#include <QStringList>
#include <QTextStream>

#include <optional>

class ClientRecords;
class PayrollRows;

// The options of the saving commands about warnings: --strict refuses a
// document with any warning; --expect-total AMOUNT (payroll) one whose total
// is another.
struct WarningOptions
{
    enum Document { Payroll, Clients };
    bool strict = false;
    std::optional<Money> expectTotal;
};

// Takes these options out of args ("--expect-total=AMOUNT" too), leaving the
// command's own. Throws UserError for an option without a value or with an
// amount that is none.
WarningOptions TakeWarningOptions(QStringList &args, WarningOptions::Document document);

// "warning: line N: message" on err for each warning, N being the row's line
// in the file (row + 2). Under --strict a warning refuses: the refusal is
// printed and the result is false.
bool ReportWarnings(const QList<Warning> &warnings, const WarningOptions &options, QTextStream &err);

// The register's warnings and expected total before it is saved; false,
// with the reason printed, when the save is refused.
bool CheckBeforeSave(const PayrollRows &rows, const WarningOptions &options, QTextStream &err);
// The client list's warnings before it is saved, as of today.
bool CheckBeforeSave(const ClientRecords &records, QDate today, const WarningOptions &options, QTextStream &err);

// The sum of every amount; throws UserError for one that is no number or a
// sum beyond the range.
Money RegisterTotal(const PayrollRows &rows);
