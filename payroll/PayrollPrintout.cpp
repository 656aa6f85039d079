#include "payroll/PayrollPrintout.h"

#include "common/TextRoutines.h"
#include "payroll/AmountInWords.h"
#include "payroll/PayrollAmounts.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr int kLeft = PageItems::kLeft;
constexpr int kLineStep = PrintoutPage::kLineStep;
constexpr int kFirstRowY = 1200;
constexpr int kFirstSignatureY = 6100;
constexpr int kSecondSignatureY = 6300;
constexpr qsizetype kWordsBreakFrom = 70;

QString ColumnHeaderLine()
{
    return u"|№   |    Фамилия Имя Отчество                  |       № карты         |          Сумма        |"_s;
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
    // Every amount is read before any page exists, so a bad cell stops the
    // printout first. Nothing is kept per row: a page reads its rows again.
    const Money total = PayrollTotal(rows);
    const QStringList words = SplitWordsLine(AmountInWords(total));

    // The table always shows at least one row, blank when there is none.
    const qsizetype rowCount = std::max<qsizetype>(rows.size(), 1);
    const RowFlow flow(kFirstRowY);
    // The closing block (rule, total, words) must stay clear of the
    // signature lines: when it would reach them it starts the next page.
    PrintPosition closing = flow.position(rowCount);
    if (closing.y + int(1 + words.size()) * kLineStep >= kFirstSignatureY)
        closing = {closing.page + 1, PrintoutPage::kNextPageTopY};

    Printout printout;
    printout.pageCount = closing.page + 1;
    printout.pageItems = [rows, rowCount, header, settings, total, words, flow, closing](int page) {
        PageItems items(page);
        if (page == 0) {
            items.drawBankDetails(settings.filialCode, settings.organisationCode, settings.organisationName);
            items.draw(1800, 600, u"ВЕДОМОСТЬ № "_s + header.registerNumber);
            items.draw(1800, 700, u"oт "_s + header.date); // Latin "o": the printed form has always had it
            items.draw(1400, 800, u"на зачисление заработной платы за "_s + MonthName(header.monthIndex) + u' '
                                      + header.year + u" г."_s);
            items.drawTableHead(900, ColumnHeaderLine());
        }
        items.drawRows(flow, rowCount, [&rows](qint64 i) {
            const PayrollRow row = i < rows.size() ? rows[i] : PayrollRow();
            return RowLine(i + 1, row, CellAmount(row.amount));
        });
        if (page != closing.page)
            return items.take();
        items.drawRule(closing.y);
        const int totalY = closing.y + kLineStep;
        items.draw(kLeft, totalY, PadTotal(total));
        items.draw(kLeft, totalY + kLineStep, words[0]);
        if (words.size() > 1)
            items.draw(kLeft, totalY + 2 * kLineStep, words[1]);
        items.draw(kLeft, kFirstSignatureY,
                   u"Руководитель__________________________________________________________________________________"_s);
        items.draw(kLeft, kSecondSignatureY,
                   u"Глав. бухгалтер_______________________________________________________________________________"_s);
        return items.take();
    };
    return printout;
}
