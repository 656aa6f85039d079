#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <string_view>

// How a spreadsheet cell becomes the text a typed TAB-separated import line
// would hold in its place.

// The shortest decimal that reads back as the same double, without exponent:
// 1500000.5, 0.3, 99999.995; integers without ".0".
QString NumberCellText(double value);

// A number cell's text with more than 15 digits before the point: the
// spreadsheet keeps 15 significant digits, so the rest were lost.
bool NumberLostDigits(QStringView numberText);

// A date serial counted from origin (the day of serial 0) as "DD.MM.YYYY";
// the time of day is dropped. Empty when the serial is no date.
QString SerialDateText(double serial, QDate origin);
// "YYYY-MM-DD" (a time may follow) as "DD.MM.YYYY"; empty when it is none.
QString IsoDateText(std::string_view iso);

// Whether a number format code shows a date: it has a day, month or year
// outside quotes, brackets and escapes (a month without hours or seconds).
bool IsDateFormatCode(std::string_view code);
// The spreadsheets' built-in number formats that show a date.
bool IsBuiltinDateFormat(int id);

// "A" for column 0, "Z", "AA", ...
QString ColumnLetters(int column);

// A cell text that an amount reads as a number: blanks dropped, a comma as the point.
bool IsAmountText(QStringView text);
// A cell text written as a date: D.M.YYYY, with ".", "/" or "-", blanks around it.
bool IsDateText(QStringView text);
