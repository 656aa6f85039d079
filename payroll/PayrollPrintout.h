#pragma once

#include "common/Money.h"
#include "common/print/PrintColumns.h"
#include "common/print/Printout.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollRows.h"
#include "settings/SettingsRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

// The printed payroll register, laid out as page items (common/print).

QString PadCard(const QString &card);    // left-aligned in 23 when at most 22
// "ИТОГО:" and the total right-aligned so its last digit stands under the
// amount column's.
QString PadTotal(Money total);

// "Январь" .. "Декабрь" for 0 .. 11; empty when no month is chosen.
QString MonthName(int monthIndex);

// The words split at the first space at or after position 70 (the space
// ends the first line); one line when short or when there is none.
QStringList SplitWordsLine(const QString &words);

// The whole register, each page laid out when it is asked for. Every amount
// is read first, so a cell that is not a number throws before any page
// exists. No rows print one blank row. The signature lines stand at 6100 and
// 6300 of the last page; a closing block that would reach them starts the
// next page at 200. The rows are read only by index and as values.
Printout LayOutPayroll(const PayrollRows &rows, const PayrollHeader &header,
                       const SettingsRecord &settings);
