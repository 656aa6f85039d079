#include "common/Money.h"

#include "common/Digits.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QVarLengthArray>

#include <algorithm>

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
    if (std::find(text.begin(), text.end(), QLatin1Char(' ')) == text.end())
        return text;
    storage.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' '))
            storage.append(c);
    return QStringView(storage.constData(), storage.size());
}

// Nearly every amount: up to 15 digits, then perhaps a point and one or
// two digits. Read at once, within range by its length; nothing for any
// other text, which parse() then reads in full.
std::optional<Money> parsePlain(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    quint64 units = 0;
    for (; i < n && i < 15 && IsAsciiDigit(text[i]); ++i)
        units = units * 10 + (text[i].unicode() - u'0');
    if (i == 0)
        return std::nullopt;
    if (i == n)
        return Money::fromTiyin(qint64(units * 100));
    const qsizetype fraction = n - i - 1;
    if (text[i] != QLatin1Char('.') || fraction < 1 || fraction > 2 || !IsAsciiDigit(text[i + 1])
        || (fraction == 2 && !IsAsciiDigit(text[i + 2])))
        return std::nullopt;
    const int hundredths = (text[i + 1].unicode() - u'0') * 10 + (fraction == 2 ? text[i + 2].unicode() - u'0' : 0);
    return Money::fromTiyin(qint64(units * 100) + hundredths);
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

    if (std::optional<Money> plain = parsePlain(text))
        return plain;
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
    if (std::optional<Money> plain = parsePlain(text)) {
        if (error)
            *error = ParseError::None;
        return plain;
    }
    BareText storage;
    return parse(withoutBlanks(text, storage), error);
}

Money Money::fromAmountText(QStringView text)
{
    if (std::optional<Money> plain = parsePlain(text))
        return *plain;
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

void Money::appendDisplay(QString &out) const
{
    char16_t buffer[kFormatCapacity];
    const char16_t *begin = formatInto(buffer + kFormatCapacity, m_tiyin, true);
    out.append(reinterpret_cast<const QChar *>(begin), buffer + kFormatCapacity - begin);
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
