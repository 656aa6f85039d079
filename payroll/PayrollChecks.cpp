#include "payroll/PayrollChecks.h"

#include "common/Digits.h"
#include "common/Money.h"
#include "common/TextRoutines.h"

using namespace Qt::StringLiterals;

QString PadRegisterNumberText(const QString &text)
{
    const QString t = ReplaceAll(text, u" "_s, QString());
    if (t.isEmpty())
        return text;
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok, 10);
    if (!ok || n < 0 || n >= 10000)
        return text;
    return QString::number(n).rightJustified(5, QLatin1Char('0'));
}

std::optional<UnfilledCell> FirstUnfilledCell(const PayrollRows &rows)
{
    std::optional<UnfilledCell> unfilled;
    rows.forEachRow([&unfilled](qsizetype row, QStringView name, QStringView card, QStringView) {
        if (name.isEmpty())
            unfilled = UnfilledCell{row, PayrollField::Name};
        else if (card.isEmpty())
            unfilled = UnfilledCell{row, PayrollField::Card};
        return !unfilled;
    });
    return unfilled;
}

std::optional<PayrollField> IncompleteHeaderField(const PayrollHeader &header)
{
    // An empty text cannot come from the masked boxes, but would leave a
    // gap in the file name all the same.
    const auto filled = [](const QString &text) {
        return !text.isEmpty() && !text.contains(QLatin1Char(' ')) && !text.contains(QLatin1Char('#'));
    };
    if (!filled(header.registerNumber))
        return PayrollField::RegisterNumber;
    if (header.date.isEmpty())
        return PayrollField::Date;
    if (header.monthIndex < 0 || header.monthIndex > 11)
        return PayrollField::Month;
    if (!filled(header.year))
        return PayrollField::Year;
    return std::nullopt;
}

bool CardNumberValid(QStringView card)
{
    return AllAsciiDigits(card);
}

qsizetype FirstBadCardRow(const PayrollRows &rows)
{
    qsizetype bad = -1;
    rows.forEachRow([&bad](qsizetype row, QStringView, QStringView card, QStringView) {
        if (!CardNumberValid(card))
            bad = row;
        return bad < 0;
    });
    return bad;
}

qsizetype RegisterRowCount(const PayrollRows &rows)
{
    const auto blank = [&rows](qsizetype row) {
        const QStringView amount = rows.amount(row);
        return rows.name(row).isEmpty() && rows.card(row).isEmpty()
                && (amount.isEmpty() || Money::parseAmountText(amount).value_or(Money::fromTiyin(1)).isZero());
    };
    qsizetype count = rows.size();
    while (count > 1 && blank(count - 1))
        --count;
    return count;
}
