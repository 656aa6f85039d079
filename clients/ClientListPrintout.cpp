#include "clients/ClientListPrintout.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int kLeft = 350;
constexpr int kTitleX = 1800;
constexpr int kFirstRowY = 1000;

QString RuleLine()
{
    return QString(97, u'-');
}

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
        QList<PrintItem> items;
        auto draw = [&items, page](int x, int y, QString text) { items.append({page, x, y, std::move(text)}); };
        if (page == 0) {
            draw(kLeft, 400, u"Филиал : "_s + settings.filialCode);
            draw(kLeft, 500, u"Клиент : ["_s + settings.organisationCode + u"] "_s + settings.organisationName);
            draw(kTitleX, 600, u"Данные о сотрудниках"_s);
            draw(kLeft, 700, RuleLine());
            draw(kLeft, 800, ColumnHeaderLine());
            draw(kLeft, 900, RuleLine());
        }
        const qsizetype end = std::min<qsizetype>(flow.firstRowOn(page + 1), rowCount);
        for (qsizetype i = flow.firstRowOn(page); i < end; ++i)
            draw(kLeft, flow.position(i).y, RowLine(i + 1, clients, i));
        if (page == closing.page)
            draw(kLeft, closing.y, RuleLine());
        return items;
    };
    return printout;
}
