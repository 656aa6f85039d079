#include "payroll/PayrollWarnings.h"

#include "common/Digits.h"
#include "common/Money.h"

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

bool LuhnValid(QStringView digits)
{
    int sum = 0;
    bool twice = false;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        int d = digits[i].unicode() - u'0';
        if (twice) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
        twice = !twice;
    }
    return sum % 10 == 0;
}

namespace {

Warning CardWarning(qsizetype row, const QString &code, const QString &message)
{
    return {code, row, PayrollRows::Card, u"card"_s, message};
}

Warning AmountWarning(qsizetype row, const QString &code, const QString &message)
{
    return {code, row, PayrollRows::Amount, u"amount"_s, message};
}

// The median's double, so that an even count needs no halves.
qint64 TwiceMedian(std::vector<qint64> values)
{
    const size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + qsizetype(mid), values.end());
    const qint64 upper = values[mid];
    if (values.size() % 2 != 0)
        return 2 * upper;
    return upper + *std::max_element(values.begin(), values.begin() + qsizetype(mid));
}

} // namespace

QList<Warning> PayrollWarnings(const PayrollRows &rows, const RowNumbering &numbering)
{
    QList<Warning> warnings;
    const qsizetype n = rows.size();

    std::vector<qint64> amounts(size_t(n), 0);
    std::vector<bool> hasAmount(size_t(n), false);
    std::vector<qint64> values;
    values.reserve(size_t(n));
    for (qsizetype row = 0; row < n; ++row) {
        const QStringView card = rows.card(row);
        if (!card.isEmpty() && AllAsciiDigits(card)) {
            if (card.size() != 16)
                warnings.append(CardWarning(row, u"card-length"_s, u"Номер карты не из 16 цифр"_s));
            else if (!LuhnValid(card))
                warnings.append(CardWarning(row, u"card-check-digit"_s,
                                            u"Номер карты не проходит проверку контрольной цифры"_s));
        }
        const std::optional<Money> amount = Money::parseAmountText(rows.amount(row));
        if (!amount)
            continue;
        amounts[size_t(row)] = amount->tiyin();
        hasAmount[size_t(row)] = true;
        values.push_back(amount->tiyin());
        if (amount->isZero())
            warnings.append(AmountWarning(row, u"amount-zero"_s, u"Сумма 0.00: строка не попадёт в файл"_s));
        else if (amount->isNegative())
            warnings.append(AmountWarning(row, u"amount-negative"_s, u"Сумма меньше нуля"_s));
    }

    // Each pass goes in row order: merging keeps a row's warnings in pass order.
    qsizetype passStart = warnings.size();
    FindRepeats(
            n,
            [&rows](qsizetype row) {
                const QStringView card = rows.card(row);
                return card.isEmpty() ? std::nullopt : std::optional<size_t>(HashText(card));
            },
            [&rows](qsizetype a, qsizetype b) { return rows.card(a) == rows.card(b); },
            [&](qsizetype row, qsizetype other) {
                Warning w = CardWarning(row, u"card-duplicate"_s,
                                        u"Эта карта уже есть в строке %1"_s.arg(NumberOfRow(numbering, other)));
                w.otherRow = other;
                warnings.append(std::move(w));
            });

    std::inplace_merge(warnings.begin(), warnings.begin() + passStart, warnings.end(), ByRow);
    passStart = warnings.size();

    if (qsizetype(values.size()) >= kOutlierMinRows) {
        const qint64 twiceMedian = TwiceMedian(std::move(values));
        // Amounts are at most 1e17 tiyin: ten times twice that still fits.
        if (twiceMedian > 0) {
            const QString message = u"Сумма больше медианы ведомости (%1) в %2 раз"_s.arg(
                    Money::fromTiyin(twiceMedian / 2).toDisplay()).arg(kOutlierFactor);
            for (qsizetype row = 0; row < n; ++row) {
                if (hasAmount[size_t(row)] && 2 * amounts[size_t(row)] > kOutlierFactor * twiceMedian)
                    warnings.append(AmountWarning(row, u"amount-outlier"_s, message));
            }
        }
    }
    std::inplace_merge(warnings.begin(), warnings.begin() + passStart, warnings.end(), ByRow);
    return warnings;
}
