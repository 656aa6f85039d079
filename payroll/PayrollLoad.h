#pragma once

#include "payroll/PayrollRows.h"

#include <QByteArrayView>
#include <QString>

// A payroll register file read back for the window: its header fields and
// its detail lines' rows.
struct PayrollFileContents
{
    QString firstLine;          // kept to recognise a save over the same register
    QString registerNumber;     // field 8
    QString date;               // field 5
    QString monthField;         // field 6, as text
    QString year;               // field 7
    PayrollRows rows;           // the detail lines, empty lines skipped
};

// The file's bytes taken apart: fields 2 to 4 of every line between the
// header and the trailer, a comma in the amount read as a point. The last
// line is the trailer only when its first field is "T". Throws UserError:
// BadFormatMessage() when the first line fails PayrollFirstLineAccepted,
// DamagedFileMessage(line) for a zero byte.
PayrollFileContents ReadPayrollFile(QByteArrayView bytes);

// The months' item index for the field: -1 outside 1..12; throws UserError
// NotAnIntegerMessage when it is not a whole number.
int MonthIndexFromField(const QString &field);
