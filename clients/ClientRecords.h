#pragma once

#include "clients/ClientRecord.h"

#include <QList>
#include <QSharedDataPointer>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <vector>

// A list of clients held compactly: 100,000 imported clients must fit in a
// few times their file's size, which 21 strings per client do not. Each
// block of clients keeps its cell texts in one string, with the end of every
// cell. Clients are replaced in place and removed from the end, as the
// table does; copies share their blocks until one of them changes.
class ClientRecords
{
public:
    ClientRecords();
    ClientRecords(std::initializer_list<ClientRecord> records);
    ClientRecords(const QList<ClientRecord> &records); // NOLINT: a list of records is records

    qsizetype size() const { return d->count; }
    bool isEmpty() const { return d->count == 0; }

    ClientRecord operator[](qsizetype record) const;
    ClientRecord at(qsizetype record) const { return (*this)[record]; }
    ClientRecord first() const { return (*this)[0]; }
    ClientRecord last() const { return (*this)[size() - 1]; }
    // A cell's text; the view holds until these records next change.
    QStringView cell(qsizetype record, int column) const;

    // A record's cells as views, which may point into these records.
    using CellViews = std::array<QStringView, ClientColumn::Count>;
    static CellViews viewsOf(const ClientRecord &record);
    CellViews views(qsizetype record) const;

    void append(const ClientRecord &record) { append(viewsOf(record)); }
    void append(const CellViews &cells);
    void replace(qsizetype record, const ClientRecord &texts) { replace(record, viewsOf(texts)); }
    void replace(qsizetype record, const CellViews &cells);
    void setCell(qsizetype record, int column, QStringView text);
    // Gives one column of records first to last its new texts; a block is
    // rewritten once, not once per record.
    void setColumn(int column, qsizetype first, qsizetype last, const std::function<QString(qsizetype record)> &text);
    void removeLast();
    void clear();
    // Room for this many records' bookkeeping; the texts grow as they come.
    void reserve(qsizetype records);

    QList<ClientRecord> toList() const;

    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = ClientRecord;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = ClientRecord;

        const_iterator() = default;
        const_iterator(const ClientRecords *records, qsizetype record) : m_records(records), m_record(record) {}
        ClientRecord operator*() const { return (*m_records)[m_record]; }
        const_iterator &operator++() { ++m_record; return *this; }
        const_iterator operator++(int) { const_iterator was = *this; ++m_record; return was; }
        friend bool operator==(const const_iterator &a, const const_iterator &b) { return a.m_record == b.m_record; }

    private:
        const ClientRecords *m_records = nullptr;
        qsizetype m_record = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const ClientRecords &a, const ClientRecords &b);
    friend bool operator==(const ClientRecords &a, const QList<ClientRecord> &b);

private:
    static constexpr int kBlockRecords = 32;
    static constexpr int kCells = ClientColumn::Count;

    struct Block
    {
        Block() {} // NOLINT: ends are written as records come, never zeroed first
        QString text;
        // The end of each cell in text, record by record: cell k of record r
        // ends at ends[r * kCells + k] and starts where the one before it ends.
        std::array<quint32, kBlockRecords * kCells> ends;
        int records = 0;

        qsizetype cellStart(int k) const { return k == 0 ? 0 : ends[k - 1]; }
        QStringView cellText(int k) const { return QStringView(text).sliced(cellStart(k), ends[k] - cellStart(k)); }
        // Replaces the texts of cells first to first + count - 1 by text,
        // which holds their new ends relative to its start.
        void splice(int first, int count, QStringView replacement, const quint32 *lengths);
        bool holds(QStringView view) const
        {
            return view.data() >= text.constData() && view.data() < text.constData() + text.capacity();
        }
    };
    struct Data : QSharedData
    {
        std::vector<Block> blocks;
        qsizetype count = 0;
    };

    const Block &blockOf(qsizetype record) const { return d->blocks[size_t(record / kBlockRecords)]; }

    QSharedDataPointer<Data> d;
};
