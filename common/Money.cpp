#include "common/Money.h"

#include "common/TextRoutines.h"
#include "common/UserError.h"

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString format(qint64 tiyin, bool grouped)
{
    const bool negative = tiyin < 0;
    const quint64 magnitude = negative ? 0 - quint64(tiyin) : quint64(tiyin);
    const QString whole = QString::number(magnitude / 100);
    const quint64 cents = magnitude % 100;
    QString out;
    out.reserve(whole.size() + whole.size() / 3 + 4);
    if (negative)
        out += QLatin1Char('-');
    if (grouped) {
        const qsizetype n = whole.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0)
                out += QLatin1Char(' ');
            out += whole[i];
        }
    } else {
        out += whole;
    }
    out += QLatin1Char('.');
    out += QLatin1Char(char('0' + cents / 10));
    out += QLatin1Char(char('0' + cents % 10));
    return out;
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
    QString digits;
    qint64 scale = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            anyDigit = true;
            if (!digits.isEmpty() || c != QLatin1Char('0'))
                digits += c;
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
        if (i >= n || !isDigit(text[i]))
            return fail(ParseError::NotANumber);
        qint64 exponent = 0;
        for (; i < n && isDigit(text[i]); ++i)
            exponent = std::min<qint64>(exponent * 10 + (text[i].unicode() - u'0'), 100000);
        scale += expNegative ? -exponent : exponent;
    }
    if (i != n)
        return fail(ParseError::NotANumber);

    if (digits.isEmpty())
        return Money(0);

    // Shift to hundredths: tiyin = digits * 10^(scale + 2), rounded.
    const qint64 shift = scale + 2;
    const qsizetype intDigits = digits.size() + shift; // digits left of the hundredths point
    if (intDigits > 18)
        return fail(ParseError::OutOfRange);
    qint64 value = 0;
    for (qsizetype k = 0; k < intDigits; ++k)
        value = value * 10 + (k < digits.size() ? digits[k].unicode() - u'0' : 0);
    if (intDigits >= 0 && intDigits < digits.size() && digits[intDigits] >= QLatin1Char('5'))
        ++value;
    if (value > kMaxTiyin)
        return fail(ParseError::OutOfRange);
    return Money(negative ? -value : value);
}

std::optional<Money> Money::parseAmountText(const QString &text, ParseError *error)
{
    return parse(ReplaceAll(text, QStringLiteral(" "), QString()), error);
}

Money Money::fromAmountText(const QString &text)
{
    const QString bare = ReplaceAll(text, QStringLiteral(" "), QString());
    ParseError error;
    if (auto m = parse(bare, &error))
        return *m;
    throw UserError(error == ParseError::OutOfRange ? rangeMessage(bare) : conversionMessage(bare));
}

QString Money::toDisplay() const
{
    return format(m_tiyin, true);
}

QString Money::toPlain() const
{
    return format(m_tiyin, false);
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
