#include "clients/ClientRecords.h"

ClientRecords::CellViews ClientRecords::viewsOf(const ClientRecord &record)
{
    CellViews views;
    for (int column = 0; column < ClientColumn::Count; ++column)
        views[size_t(column)] = record[column];
    return views;
}

ClientRecord ClientRecords::valueOf(const CellViews &cells)
{
    ClientRecord record;
    for (int column = 0; column < ClientColumn::Count; ++column)
        record[column] = cells[size_t(column)].toString();
    return record;
}

void ClientRecords::setColumn(int column, qsizetype first, qsizetype last,
                              const std::function<QString(qsizetype)> &text)
{
    m_texts.rewriteColumn(column, first, last,
                          [&text](qsizetype record, QStringView) -> std::optional<QString> { return text(record); });
}
