#pragma once

#include "payroll/PayrollRows.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Rows of a TAB-separated Windows-1251 text file, one a line: full name,
// card number (blanks dropped), amount (a comma read as a point). Empty
// lines and lines of TABs only are skipped. Throws UserError: the
// OtherEncodingMessage for UTF-16 or UTF-8 text, DamagedFileMessage(line)
// for a zero byte; no row is taken then.
PayrollRows ImportPayrollText(QByteArrayView bytes);

// The bytes of a text import file; throws UserError(CannotOpenTextMessage())
// or the size message.
QByteArray ReadPayrollTextBytes(const QString &path);
