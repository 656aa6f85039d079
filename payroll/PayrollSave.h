#pragma once

#include "common/SaveOutcome.h"
#include "payroll/PayrollFile.h"

#include <functional>

// The field a failed check names, until the save names its fields by an enumeration.
using PayrollSaveOutcome = SaveOutcome<QString>;

class Clock;

// What a payroll save works on. The amounts are already in plain or display
// form: converting them belongs to filling the rows.
struct PayrollSaveRequest
{
    PayrollHeader header;     // the register number is padded on the way
    PayrollRows rows;
    QString openedHeaderLine; // the first line of the file last opened, if any
};

// The save of a payroll register, shared by the window and the command
// line: the checks in order, the folders (one that cannot be made stops
// the save with the system's reason), the file name, the overwrite
// question when the register is the one last opened (confirmOverwrite
// answers it; none means yes), the size (a file the reader would refuse
// stops the save before anything is written), one moment, the bytes, an
// atomic write.
// Settings that cannot be read throw UserError.
PayrollSaveOutcome SavePayroll(PayrollSaveRequest &request, const Clock &clock,
                        const std::function<bool()> &confirmOverwrite = {});
