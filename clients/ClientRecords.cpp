#include "clients/ClientRecords.h"

ClientRecords::ClientRecords(std::initializer_list<ClientRecord> records)
{
    reserve(qsizetype(records.size()));
    for (const ClientRecord &record : records)
        append(record);
}

ClientRecords::ClientRecords(const QList<ClientRecord> &records)
{
    reserve(records.size());
    for (const ClientRecord &record : records)
        append(record);
}

ClientRecord ClientRecords::operator[](qsizetype record) const
{
    ClientRecord r;
    for (int column = 0; column < ClientColumn::Count; ++column)
        r[column] = cell(record, column).toString();
    return r;
}

ClientRecords::CellViews ClientRecords::viewsOf(const ClientRecord &record)
{
    CellViews views;
    for (int column = 0; column < ClientColumn::Count; ++column)
        views[size_t(column)] = record[column];
    return views;
}

void ClientRecords::setColumn(int column, qsizetype first, qsizetype last,
                              const std::function<QString(qsizetype)> &text)
{
    m_texts.rewriteColumn(column, first, last,
                          [&text](qsizetype record, QStringView) -> std::optional<QString> { return text(record); });
}

QList<ClientRecord> ClientRecords::toList() const
{
    QList<ClientRecord> list;
    list.reserve(size());
    for (const ClientRecord &record : *this)
        list.append(record);
    return list;
}

bool operator==(const ClientRecords &a, const QList<ClientRecord> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        for (int column = 0; column < ClientColumn::Count; ++column)
            if (a.cell(i, column) != b.at(i)[column])
                return false;
    return true;
}
