#pragma once

#include "common/SaveOutcome.h"
#include "payroll/PayrollChecks.h"
#include "payroll/PayrollFile.h"

#include <functional>

// A check's outcome names its field and, for a grid column, the row (from 0).
using PayrollSaveOutcome = SaveOutcome<PayrollField>;

class Clock;

// What a payroll save works on. The amounts are already in plain or display
// form: converting them belongs to filling the rows.
struct PayrollSaveRequest
{
    PayrollHeader header;     // the register number is padded on the way
    PayrollRows rows;         // empty rows at the end are dropped on the way
    QString openedHeaderLine; // the first line of the file last opened, if any
};

// The save of a payroll register, shared by the window and the command
// line. Empty rows at the end are left out. First the checks in order: every row has a name and a card, the
// header is complete (after padding the number), every card is digits,
// "settings.ini" gives bank codes that may name a file, the file would not
// be too large for the reader; then the overwrite question when the
// register is the one last opened (confirmOverwrite answers it; none means
// yes), after confirmWarnings when given (false stops the save as cancelled);
// then the folders (one that cannot be made stops the save with the
// system's reason); then one moment and an atomic write. Never throws a
// UserError: every failure is an outcome.
PayrollSaveOutcome SavePayroll(PayrollSaveRequest &request, const Clock &clock,
                               const std::function<bool()> &confirmOverwrite = {},
                               const std::function<bool()> &confirmWarnings = {});
