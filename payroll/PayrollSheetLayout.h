#pragma once

#include "common/sheet/TableTabText.h"

#include <QStringList>

// The fields a payroll text import line holds, as a spreadsheet's columns
// give them: full name, card number, amount.
TableLayout PayrollTableLayout();
QStringList PayrollFieldNames();
