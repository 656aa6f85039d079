#include "common/Money.h"

#include "common/Digits.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QVarLengthArray>

namespace {

// Longest text: a sign, 18 digits, 5 group blanks, the point and 2 digits.
constexpr qsizetype kFormatCapacity = 32;

// Writes the text backwards from end; gives its first character.
char16_t *formatInto(char16_t *end, qint64 tiyin, bool grouped)
{
    const bool negative = tiyin < 0;
    quint64 magnitude = negative ? 0 - quint64(tiyin) : quint64(tiyin);
    char16_t *p = end;
    *--p = char16_t(u'0' + magnitude % 10);
    magnitude /= 10;
    *--p = char16_t(u'0' + magnitude % 10);
    magnitude /= 10;
    *--p = u'.';
    int inGroup = 0;
    do {
        if (grouped && inGroup == 3) {
            *--p = u' ';
            inGroup = 0;
        }
        *--p = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
        ++inGroup;
    } while (magnitude != 0);
    if (negative)
        *--p = u'-';
    return p;
}

QString format(qint64 tiyin, bool grouped)
{
    char16_t buffer[kFormatCapacity];
    const char16_t *begin = formatInto(buffer + kFormatCapacity, tiyin, grouped);
    return QString(reinterpret_cast<const QChar *>(begin), buffer + kFormatCapacity - begin);
}

bool isFormatted(QStringView text, qint64 tiyin, bool grouped)
{
    char16_t buffer[kFormatCapacity];
    const char16_t *begin = formatInto(buffer + kFormatCapacity, tiyin, grouped);
    return text == QStringView(begin, buffer + kFormatCapacity - begin);
}

// The text with its blanks removed, on the stack for any amount that fits.
using BareText = QVarLengthArray<QChar, 64>;

QStringView withoutBlanks(QStringView text, BareText &storage)
{
    if (!text.contains(QLatin1Char(' ')))
        return text;
    storage.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' '))
            storage.append(c);
    return QStringView(storage.constData(), storage.size());
}

} // namespace

std::optional<Money> Money::parse(QStringView text, ParseError *error)
{
    auto fail = [error](ParseError e) -> std::optional<Money> {
        if (error)
            *error = e;
        return std::nullopt;
    };
    if (error)
        *error = ParseError::None;

    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');

    // Significant digits without leading zeros; value = digits * 10^scale.
    // Only the first few can matter: more than 18 before the hundredths
    // point is out of range, and one more decides the rounding.
    constexpr qsizetype kKept = 20;
    char kept[kKept];
    qsizetype digitCount = 0;
    qint64 scale = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (IsAsciiDigit(c)) {
            anyDigit = true;
            if (digitCount > 0 || c != QLatin1Char('0')) {
                if (digitCount < kKept)
                    kept[digitCount] = char(c.unicode() - u'0');
                ++digitCount;
            }
            if (afterPoint)
                --scale;
        } else if (c == QLatin1Char('.') && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return fail(ParseError::NotANumber);

    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            expNegative = text[i++] == QLatin1Char('-');
        if (i >= n || !IsAsciiDigit(text[i]))
            return fail(ParseError::NotANumber);
        qint64 exponent = 0;
        for (; i < n && IsAsciiDigit(text[i]); ++i)
            exponent = std::min<qint64>(exponent * 10 + (text[i].unicode() - u'0'), 100000);
        scale += expNegative ? -exponent : exponent;
    }
    if (i != n)
        return fail(ParseError::NotANumber);

    if (digitCount == 0)
        return Money(0);

    // Shift to hundredths: tiyin = digits * 10^(scale + 2), rounded.
    const qint64 shift = scale + 2;
    const qint64 intDigits = digitCount + shift; // digits left of the hundredths point
    if (intDigits > 18)
        return fail(ParseError::OutOfRange);
    qint64 value = 0;
    for (qint64 k = 0; k < intDigits; ++k)
        value = value * 10 + (k < digitCount ? kept[k] : 0);
    if (intDigits >= 0 && intDigits < digitCount && kept[intDigits] >= 5)
        ++value;
    if (value > kMaxTiyin)
        return fail(ParseError::OutOfRange);
    return Money(negative ? -value : value);
}

std::optional<Money> Money::parseAmountText(QStringView text, ParseError *error)
{
    BareText storage;
    return parse(withoutBlanks(text, storage), error);
}

Money Money::fromAmountText(QStringView text)
{
    BareText storage;
    const QStringView bare = withoutBlanks(text, storage);
    ParseError error;
    if (auto m = parse(bare, &error))
        return *m;
    throw UserError(error == ParseError::OutOfRange ? rangeMessage(bare.toString())
                                                    : conversionMessage(bare.toString()));
}

QString Money::toDisplay() const
{
    return format(m_tiyin, true);
}

QString Money::toPlain() const
{
    return format(m_tiyin, false);
}

bool Money::isDisplayText(QStringView text) const
{
    return isFormatted(text, m_tiyin, true);
}

bool Money::isPlainText(QStringView text) const
{
    return isFormatted(text, m_tiyin, false);
}

Money &Money::operator+=(Money other)
{
    qint64 sum;
    if (__builtin_add_overflow(m_tiyin, other.m_tiyin, &sum) || sum > kMaxTiyin || sum < -kMaxTiyin)
        throw UserError(rangeMessage(format(m_tiyin, true) + QStringLiteral(" + ") + format(other.m_tiyin, true)));
    m_tiyin = sum;
    return *this;
}

QString Money::conversionMessage(const QString &text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(Excerpt(text));
}

QString Money::rangeMessage(const QString &text)
{
    return QStringLiteral("Сумма '%1' вне допустимого диапазона (не более 999 999 999 999 999.99)").arg(Excerpt(text));
}
