#pragma once

#include "common/Money.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollRow.h"
#include "settings/SettingsRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

// The printed payroll register, laid out as lines of text at fixed positions
// in the units of a 600-dpi A4 page. Pure: no painter, no printer.

struct PrintItem
{
    int page = 0;   // from 0
    int x = 0;
    int y = 0;      // top of the text line
    QString text;

    friend bool operator==(const PrintItem &, const PrintItem &) = default;
};

struct Printout
{
    QList<PrintItem> items;   // in page order
    int pageCount = 0;

    QList<PrintItem> page(int index) const;
};

namespace PrintoutPage {
inline constexpr int kWidth = 4960;       // logical units of a portrait A4 page at 600 dpi
inline constexpr int kHeight = 7015;
inline constexpr int kDpi = 600;
inline constexpr int kFontPointSize = 9;
inline QString fontFamily() { return QStringLiteral("Courier New"); }
} // namespace PrintoutPage

// Row line columns.
QString PadRowNumber(qint64 n);          // left-aligned in 4, longer printed whole
QString PadName(const QString &name);    // 41: cut to 40 and one space when longer
QString PadCard(const QString &card);    // left-aligned in 23 when at most 22
// The amount in display form right-aligned in 23 (when at most 22). An empty
// cell prints 0.00; a text that is not a number throws the conversion error.
QString PadAmount(const QString &amountText);
// "ИТОГО:" and the total right-aligned so its last digit stands under the
// amount column's.
QString PadTotal(Money total);

// "Январь" .. "Декабрь" for 0 .. 11; empty when no month is chosen.
QString MonthName(int monthIndex);

// The words split at the first space at or after position 70 (the space
// ends the first line); one line when short or when there is none.
QStringList SplitWordsLine(const QString &words);

// The whole register. Every amount is read first, so a cell that is not a
// number throws before any page exists.
Printout LayOutPayroll(const QList<PayrollRow> &rows, const PayrollHeader &header,
                       const SettingsRecord &settings);
