#pragma once

#include <QStringView>

// The ASCII digits 0 to 9 only: a field of the bank files holds no other.
inline bool IsAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Every character an ASCII digit; true for an empty text.
inline bool AllAsciiDigits(QStringView text)
{
    for (const QChar c : text)
        if (!IsAsciiDigit(c))
            return false;
    return true;
}

// Exactly n ASCII digits.
inline bool AsciiDigitsOfLength(QStringView text, qsizetype n)
{
    return text.size() == n && AllAsciiDigits(text);
}
