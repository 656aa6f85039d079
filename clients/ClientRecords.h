#pragma once

#include "clients/ClientRecord.h"
#include "common/TextRows.h"

#include <QString>

#include <functional>

// A list of clients held compactly (common/TextRows.h): 100,000 imported
// clients must fit in a few times their file's size, which 21 strings per
// client do not.
class ClientRecords : public TextRows<ClientRecords, ClientRecord, ClientColumn::Count, 32>
{
public:
    using TextRows::TextRows;

    ClientRecord at(qsizetype record) const { return (*this)[record]; }
    ClientRecord first() const { return (*this)[0]; }
    ClientRecord last() const { return (*this)[size() - 1]; }

    static CellViews viewsOf(const ClientRecord &record);
    static ClientRecord valueOf(const CellViews &cells);

    // Gives one column of records first to last its new texts; a block is
    // rewritten once, not once per record.
    void setColumn(int column, qsizetype first, qsizetype last, const std::function<QString(qsizetype record)> &text);
};
