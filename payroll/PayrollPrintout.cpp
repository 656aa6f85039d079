#include "payroll/PayrollPrintout.h"

#include "common/TextRoutines.h"
#include "payroll/AmountInWords.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr int kLeft = 350;
constexpr int kLineStep = PrintoutPage::kLineStep;
constexpr int kFirstRowY = 1200;
constexpr int kFirstSignatureY = 6100;
constexpr int kSecondSignatureY = 6300;
constexpr qsizetype kWordsBreakFrom = 70;

QString RuleLine()
{
    return QString(97, u'-');
}

QString ColumnHeaderLine()
{
    return u"|№   |    Фамилия Имя Отчество                  |       № карты         |          Сумма        |"_s;
}

// An empty cell counts as 0.00, as in the total.
Money CellAmount(const QString &amountText)
{
    if (ReplaceAll(amountText, u" "_s, QString()).isEmpty())
        return Money();
    return Money::fromAmountText(amountText);
}

QString RowLine(qint64 number, const PayrollRow &row, Money amount)
{
    return u'|' + PadRowNumber(number) + u"| "_s + PadName(row.name) + u'|' + PadCard(row.card) + u'|'
        + AlignRight(amount.toDisplay(), 23) + u'|';
}

} // namespace

QString PadCard(const QString &card)
{
    return card.size() <= 22 ? AlignLeft(card, 23) : card;
}

QString PadAmount(const QString &amountText)
{
    return AlignRight(CellAmount(amountText).toDisplay(), 23);
}

QString PadTotal(Money total)
{
    const QString text = total.toDisplay();
    return u"ИТОГО:"_s + (text.size() < 89 ? AlignRight(text, 90) : text);
}

QString MonthName(int monthIndex)
{
    static const std::array<QStringView, 12> names = {
        u"Январь", u"Февраль", u"Март", u"Апрель", u"Май", u"Июнь",
        u"Июль", u"Август", u"Сентябрь", u"Октябрь", u"Ноябрь", u"Декабрь"};
    if (monthIndex < 0 || monthIndex >= int(names.size()))
        return QString();
    return names[monthIndex].toString();
}

QStringList SplitWordsLine(const QString &words)
{
    if (words.size() > kWordsBreakFrom) {
        const qsizetype space = words.indexOf(u' ', kWordsBreakFrom - 1);
        if (space >= 0 && space + 1 < words.size())
            return {words.left(space + 1), words.mid(space + 1)};
    }
    return {words};
}

Printout LayOutPayroll(const PayrollRows &rows, const PayrollHeader &header, const SettingsRecord &settings)
{
    // Every amount is read before anything is laid out, so a bad cell stops
    // the printout before a page exists.
    QList<Money> amounts;
    amounts.reserve(rows.size());
    Money total;
    for (const PayrollRow &row : rows) {
        amounts.append(CellAmount(row.amount));
        total += amounts.last();
    }
    const QStringList words = SplitWordsLine(AmountInWords(total));

    PrintoutBuilder out(rows.size() + 16);
    auto draw = [&out](int x, int y, QString text) { out.draw(x, y, std::move(text)); };

    draw(350, 400, u"Филиал : "_s + settings.filialCode);
    draw(350, 500, u"Клиент : ["_s + settings.clientCode + u"] "_s + settings.clientName);
    draw(1800, 600, u"ВЕДОМОСТЬ № "_s + header.registerNumber);
    draw(1800, 700, u"oт "_s + header.date); // Latin "o": the printed form has always had it
    draw(1400, 800, u"на зачисление заработной платы за "_s + MonthName(header.monthIndex) + u' ' + header.year
                        + u" г."_s);
    draw(kLeft, 900, RuleLine());
    draw(kLeft, 1000, ColumnHeaderLine());
    draw(kLeft, 1100, RuleLine());

    int y = kFirstRowY;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        draw(kLeft, y, RowLine(i + 1, rows[i], amounts[i]));
        y = out.lineBelow(y);
    }
    // The closing block (rule, total, words) must stay clear of the
    // signature lines: when it would reach them it starts the next page.
    const int blockLastY = y + int(1 + words.size()) * kLineStep;
    if (blockLastY >= kFirstSignatureY) {
        out.newPage();
        y = PrintoutPage::kNextPageTopY;
    }
    draw(kLeft, y, RuleLine());
    y += kLineStep;
    draw(kLeft, y, PadTotal(total));
    draw(kLeft, y + kLineStep, words[0]);
    if (words.size() > 1)
        draw(kLeft, y + 2 * kLineStep, words[1]);

    draw(kLeft, kFirstSignatureY,
         u"Руководитель__________________________________________________________________________________"_s);
    draw(kLeft, kSecondSignatureY,
         u"Глав. бухгалтер_______________________________________________________________________________"_s);
    return out.take();
}
