#include "payroll/PayrollAmounts.h"

#include "common/UserError.h"

using namespace Qt::StringLiterals;

Money CellAmount(QStringView amountText)
{
    if (amountText.count(u' ') == amountText.size())
        return Money();
    return Money::fromAmountText(amountText);
}

PayrollRows ToPlainAmounts(PayrollRows rows)
{
    rows.rewriteAmounts(0, rows.size() - 1, [](qsizetype, QStringView amount) -> std::optional<QString> {
        if (amount.isEmpty())
            return u"0.00"_s;
        const Money value = Money::fromAmountText(amount);
        if (value.isPlainText(amount)) // most are plain already: no new string then
            return std::nullopt;
        return value.toPlain();
    });
    return rows;
}

std::optional<Money> RegisterTotal::value() const
{
    if (m_tiyin > Money::kMaxTiyin || m_tiyin < -Money::kMaxTiyin)
        return std::nullopt;
    return Money::fromTiyin(qint64(m_tiyin));
}

Money RegisterTotal::valueOrThrow() const
{
    if (const std::optional<Money> total = value())
        return *total;
    // Beyond 64 bits: the digits are written out here.
    const bool negative = m_tiyin < 0;
    unsigned __int128 magnitude = negative ? 0 - static_cast<unsigned __int128>(m_tiyin)
                                           : static_cast<unsigned __int128>(m_tiyin);
    QString digits;
    for (int place = 0; magnitude != 0 || place < 3; ++place, magnitude /= 10) {
        if (place == 2)
            digits.prepend(u'.');
        digits.prepend(QChar(u'0' + int(magnitude % 10)));
    }
    throw UserError(Money::rangeMessage(negative ? u'-' + digits : digits));
}

Money PayrollTotal(const PayrollRows &rows)
{
    RegisterTotal total;
    for (qsizetype i = 0; i < rows.size(); ++i)
        total.add(CellAmount(rows.amount(i)));
    return total.valueOrThrow();
}
