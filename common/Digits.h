#pragma once

#include <QStringView>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The ASCII digits 0 to 9 only: a field of the bank files holds no other.
inline bool IsAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Every character an ASCII digit; true for an empty text.
inline bool AllAsciiDigits(QStringView text)
{
    const char16_t *s = text.utf16();
    const char16_t *const end = s + text.size();
#if defined(__SSE2__)
    // Eight at once: c - '0' below 10 unsigned, compared signed past a bias of 0x8000.
    for (; end - s >= 8; s += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s));
        const __m128i biased = _mm_xor_si128(_mm_sub_epi16(v, _mm_set1_epi16(u'0')), _mm_set1_epi16(short(0x8000)));
        if (_mm_movemask_epi8(_mm_cmplt_epi16(biased, _mm_set1_epi16(short(0x800A)))) != 0xFFFF)
            return false;
    }
#endif
    for (; s != end; ++s)
        if (!IsAsciiDigit(QChar(*s)))
            return false;
    return true;
}

// Exactly n ASCII digits.
inline bool AsciiDigitsOfLength(QStringView text, qsizetype n)
{
    return text.size() == n && AllAsciiDigits(text);
}
