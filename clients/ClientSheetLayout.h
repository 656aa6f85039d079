#pragma once

#include "common/sheet/TableTabText.h"

#include <QStringList>

// The 13 fields a client text import line holds, as a spreadsheet's columns
// give them; the date of birth tells a header row.
TableLayout ClientTableLayout();
QStringList ClientFieldNames();
