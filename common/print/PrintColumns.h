#pragma once

#include <QString>

// Text columns of the printed tables, counted in characters of the
// fixed-pitch font.

// Filled with blanks to width; a longer text stays whole.
QString AlignLeft(const QString &text, qsizetype width);
QString AlignRight(const QString &text, qsizetype width);

// Exactly width characters: a text of width or more is cut to width - 1 and
// one blank, so a column never touches the next bar.
QString CutToColumn(const QString &text, qsizetype width);

// The row number, left-aligned in 4; longer numbers are printed whole.
QString PadRowNumber(qint64 n);
// The full name in 41: cut to 40 and one blank when longer.
QString PadName(const QString &name);
