#include "clients/ClientListPrintout.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int kTitleX = 1800;
constexpr int kFirstRowY = 1000;

QString ColumnHeaderLine()
{
    return u"|№   |    Фамилия Имя Отчество                  | Дата рождения  |    Паспорт    |     ИНН     |"_s;
}

// A row past the last client has blank columns.
QString RowLine(qint64 number, const ClientRecords &clients, qsizetype i)
{
    const auto cell = [&](int column) { return i < clients.size() ? clients.cell(i, column).toString() : QString(); };
    return u'|' + PadRowNumber(number) + u"| "_s + PadName(cell(ClientColumn::FullName)) + u'|'
        + PadBirthDate(cell(ClientColumn::Birthday)) + u'|' + PadPassport(cell(ClientColumn::Document)) + u'|'
        + PadInn(cell(ClientColumn::Inn)) + u'|';
}

} // namespace

QString PadBirthDate(const QString &text)
{
    return CutToColumn(text, 16);
}

QString PadPassport(const QString &text)
{
    return CutToColumn(text, 15);
}

QString PadInn(const QString &text)
{
    return CutToColumn(text, 13);
}

Printout LayOutClientList(const ClientRecords &clients, const SettingsRecord &settings)
{
    // The table always shows at least one row, blank when there is no client.
    const qsizetype rowCount = std::max<qsizetype>(clients.size(), 1);
    const RowFlow flow(kFirstRowY);
    const PrintPosition closing = flow.position(rowCount);

    Printout printout;
    printout.pageCount = closing.page + 1;
    printout.pageItems = [clients, rowCount, settings, flow, closing](int page) {
        PageItems items(page);
        if (page == 0) {
            items.drawBankDetails(settings.filialCode, settings.organisationCode, settings.organisationName);
            items.draw(kTitleX, 600, u"Данные о сотрудниках"_s);
            items.drawTableHead(700, ColumnHeaderLine());
        }
        items.drawRows(flow, rowCount, [&clients](qint64 i) { return RowLine(i + 1, clients, i); });
        if (page == closing.page)
            items.drawRule(closing.y);
        return items.take();
    };
    return printout;
}
