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

QString RowLine(qint64 number, const ClientRecord &client)
{
    return u'|' + PadRowNumber(number) + u"| "_s + PadName(client[ClientColumn::FullName]) + u'|'
        + PadBirthDate(client[ClientColumn::Birthday]) + u'|' + PadPassport(client[ClientColumn::Document]) + u'|'
        + PadInn(client[ClientColumn::Inn]) + u'|';
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

Printout LayOutClientList(const QList<ClientRecord> &clients, const SettingsRecord &settings)
{
    PrintoutBuilder out(clients.size() + 8);
    out.draw(kLeft, 400, u"Филиал : "_s + settings.filialCode);
    out.draw(kLeft, 500, u"Клиент : ["_s + settings.clientCode + u"] "_s + settings.clientName);
    out.draw(kTitleX, 600, u"Данные о сотрудниках"_s);
    out.draw(kLeft, 700, RuleLine());
    out.draw(kLeft, 800, ColumnHeaderLine());
    out.draw(kLeft, 900, RuleLine());

    // The table always shows at least one row, blank when there is no client.
    static const ClientRecord blank;
    const qsizetype count = std::max<qsizetype>(clients.size(), 1);
    int y = kFirstRowY;
    for (qsizetype i = 0; i < count; ++i) {
        out.draw(kLeft, y, RowLine(i + 1, i < clients.size() ? clients[i] : blank));
        y = out.lineBelow(y);
    }
    out.draw(kLeft, y, RuleLine());
    return out.take();
}
