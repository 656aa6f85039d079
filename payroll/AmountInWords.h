#pragma once

#include "common/Money.h"

#include <QString>

// The register's total in Russian words: the whole sum spelled out,
// the tiyin as two digits. "Один миллион ... сум 89 тийин".

enum class Gender { Masculine, Feminine };

// One group of three digits, n from 0 to 999; every word is followed by one
// space; the empty string for 0.
QString GroupInWords(int n, Gender gender);

// The upper-case form of one Windows-1251 character: a..z and а..я move
// down by 32 in the code page; every other character stays (ё stays ё).
QChar UpCaseFirst(QChar c);

// One line, no spaces at either end, first letter upper-case. A negative
// amount reads "Минус" and the lower-case words of its absolute value.
// Throws UserError for 10^12 sum or more in absolute value.
QString AmountInWords(Money amount);
