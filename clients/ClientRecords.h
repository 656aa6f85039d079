#pragma once

#include "clients/ClientRecord.h"
#include "common/TextBlocks.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <initializer_list>

// A list of clients held compactly (common/TextBlocks.h): 100,000 imported
// clients must fit in a few times their file's size, which 21 strings per
// client do not. Clients are replaced in place and removed from the end, as
// the table does; copies share their texts until one of them changes.
class ClientRecords
{
    using Texts = TextBlocks<ClientColumn::Count, 32>;

public:
    ClientRecords() = default;
    ClientRecords(std::initializer_list<ClientRecord> records);
    ClientRecords(const QList<ClientRecord> &records); // NOLINT: a list of records is records

    qsizetype size() const { return m_texts.size(); }
    bool isEmpty() const { return m_texts.isEmpty(); }

    ClientRecord operator[](qsizetype record) const;
    ClientRecord at(qsizetype record) const { return (*this)[record]; }
    ClientRecord first() const { return (*this)[0]; }
    ClientRecord last() const { return (*this)[size() - 1]; }
    // A cell's text; the view holds until these records next change.
    QStringView cell(qsizetype record, int column) const { return m_texts.cell(record, column); }

    // A record's cells as views, which may point into these records.
    using CellViews = Texts::Views;
    static CellViews viewsOf(const ClientRecord &record);
    CellViews views(qsizetype record) const { return m_texts.views(record); }

    void append(const ClientRecord &record) { append(viewsOf(record)); }
    void append(const CellViews &cells) { m_texts.append(cells); }
    void replace(qsizetype record, const ClientRecord &texts) { replace(record, viewsOf(texts)); }
    void replace(qsizetype record, const CellViews &cells) { m_texts.replace(record, cells); }
    void setCell(qsizetype record, int column, QStringView text) { m_texts.setCell(record, column, text); }
    // Gives one column of records first to last its new texts; a block is
    // rewritten once, not once per record.
    void setColumn(int column, qsizetype first, qsizetype last, const std::function<QString(qsizetype record)> &text);
    void removeLast() { m_texts.removeLast(); }
    void clear() { m_texts.clear(); }
    // Room for this many records' bookkeeping; the texts grow as they come.
    void reserve(qsizetype records) { m_texts.reserve(records); }

    QList<ClientRecord> toList() const;

    using const_iterator = RowValueIterator<ClientRecords, ClientRecord>;
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const ClientRecords &a, const ClientRecords &b) { return a.m_texts == b.m_texts; }
    friend bool operator==(const ClientRecords &a, const QList<ClientRecord> &b);

private:
    Texts m_texts;
};
