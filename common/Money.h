#pragma once

#include <QString>

#include <optional>

// An exact amount of sum, held as whole tiyin (hundredths). Never a double.
class Money
{
public:
    // Largest magnitude accepted: 999 999 999 999 999.99, so that sums of
    // many rows still fit in 64 bits before the overflow check trips.
    static constexpr qint64 kMaxTiyin = 99'999'999'999'999'999LL;

    enum class ParseError { None, NotANumber, OutOfRange };

    constexpr Money() = default;
    static constexpr Money fromTiyin(qint64 t) { return Money(t); }

    // Reads a decimal: optional sign, digits, ".", digits, optional exponent
    // (E3, e-2). At least one mantissa digit. No blanks: callers remove them.
    // Rounds half away from zero to hundredths on the decimal digits.
    static std::optional<Money> parse(QStringView text, ParseError *error = nullptr);

    // An amount cell's text: every blank removed, then parse().
    static std::optional<Money> parseAmountText(QStringView text, ParseError *error = nullptr);

    // As parseAmountText(), but throws UserError with the conversion message
    // "'%s' is not a valid floating point value" (or a range message).
    static Money fromAmountText(QStringView text);

    constexpr qint64 tiyin() const { return m_tiyin; }
    constexpr bool isZero() const { return m_tiyin == 0; }
    constexpr bool isNegative() const { return m_tiyin < 0; }
    Money abs() const { return Money(m_tiyin < 0 ? -m_tiyin : m_tiyin); }

    // "###,###,###,###,###,###,##0.00": 1 234 567.50
    QString toDisplay() const;
    // "####################0.00": 1234567.50
    QString toPlain() const;
    // toDisplay() appended to out, without a string of its own.
    void appendDisplay(QString &out) const;
    // Whether text is exactly toDisplay() / toPlain(), compared without building it.
    bool isDisplayText(QStringView text) const;
    bool isPlainText(QStringView text) const;

    // Exact sum; throws UserError when the result leaves the range.
    Money &operator+=(Money other);
    friend Money operator+(Money a, Money b) { return a += b; }
    friend constexpr bool operator==(Money a, Money b) { return a.m_tiyin == b.m_tiyin; }
    friend constexpr auto operator<=>(Money a, Money b) { return a.m_tiyin <=> b.m_tiyin; }

    static QString conversionMessage(const QString &text);
    static QString rangeMessage(const QString &text);

private:
    constexpr explicit Money(qint64 t) : m_tiyin(t) {}
    qint64 m_tiyin = 0;
};
