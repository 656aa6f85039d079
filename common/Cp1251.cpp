#include "common/Cp1251.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// 0x80..0xFF; 0x98 is undefined in the code page and maps to U+0098.
constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Unicode -> byte for the non-ASCII half; 0 marks a character the code
// page cannot hold (no character above 0x7F maps to byte 0).
struct ReverseTable
{
    std::array<unsigned char, 0x10000> bytes{};
    ReverseTable()
    {
        for (int i = 0; i < 128; ++i)
            bytes[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
    }
};

// Every byte's character, so that a decode is one look-up per byte.
constexpr std::array<char16_t, 256> kAll = [] {
    std::array<char16_t, 256> all{};
    for (int b = 0; b < 256; ++b)
        all[size_t(b)] = b < 0x80 ? char16_t(b) : kHigh[size_t(b - 0x80)];
    return all;
}();

const ReverseTable &reverse()
{
    static const ReverseTable table;
    return table;
}

int highCode(char16_t u)
{
    const unsigned char b = reverse().bytes[u];
    return b ? int(b) : -1;
}

} // namespace

namespace Cp1251 {

QChar character(unsigned char byte)
{
    return QChar(byte < 0x80 ? char16_t(byte) : kHigh[byte - 0x80]);
}

int code(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x80 ? int(u) : highCode(u);
}

bool canEncode(QChar c)
{
    return code(c) >= 0;
}

bool canEncode(QStringView text)
{
    for (QChar c : text)
        if (!canEncode(c))
            return false;
    return true;
}

QString decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    decodeInto(out.data(), bytes);
    return out;
}

QChar *decodeInto(QChar *out, QByteArrayView bytes)
{
    char16_t *d = reinterpret_cast<char16_t *>(out);
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i)
        d[i] = kAll[s[i]];
    return out + bytes.size();
}

namespace {

char *encodeOne(char *d, char16_t u)
{
    if (u < 0x80) {
        *d = static_cast<char>(u);
    } else if (char16_t(u - 0x0410) < 0x40) { // А..я, the common case
        *d = static_cast<char>(u - 0x0410 + 0xC0);
    } else {
        const unsigned char b = reverse().bytes[u];
        *d = static_cast<char>(b ? b : '?');
    }
    return d + 1;
}

} // namespace

char *encodeInto(char *d, QStringView text)
{
    const char16_t *s = text.utf16();
    const char16_t *const end = s + text.size();
#if defined(__SSE2__)
    // Eight characters at once while all are ASCII or А..я, nearly every text.
    const __m128i zero = _mm_setzero_si128();
    const __m128i notAscii = _mm_set1_epi16(short(0xFF80));
    const __m128i notCyrillic = _mm_set1_epi16(short(0xFFC0));
    const __m128i cyrillicFirst = _mm_set1_epi16(0x0410);
    const __m128i cyrillicByte = _mm_set1_epi16(0xC0);
    for (; end - s >= 8; s += 8, d += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s));
        const __m128i offset = _mm_sub_epi16(v, cyrillicFirst);
        const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(v, notAscii), zero);
        const __m128i cyrillic = _mm_cmpeq_epi16(_mm_and_si128(offset, notCyrillic), zero);
        if (_mm_movemask_epi8(_mm_or_si128(ascii, cyrillic)) != 0xFFFF) {
            for (int i = 0; i < 8; ++i)
                encodeOne(d + i, s[i]);
            continue;
        }
        const __m128i bytes = _mm_or_si128(_mm_and_si128(ascii, v),
                                           _mm_and_si128(cyrillic, _mm_add_epi16(offset, cyrillicByte)));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(d), _mm_packus_epi16(bytes, bytes));
    }
#endif
    for (; s != end; ++s)
        d = encodeOne(d, *s);
    return d;
}

void appendEncoded(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    encodeInto(out.data() + start, text);
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    appendEncoded(out, text);
    return out;
}

} // namespace Cp1251
