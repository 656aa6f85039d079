#pragma once

#include "common/TextBlocks.h"

#include <QList>
#include <QStringView>

#include <initializer_list>

// A document's list of values, each a row of Cells texts, held compactly in
// TextBlocks. Document, the class deriving from it, says how a value becomes
// cells and back:
//   static CellViews viewsOf(const Value &value);
//   static Value valueOf(const CellViews &cells);
// Rows are replaced in place and removed from the end; copies share their
// texts until one of them changes.
template<typename Document, typename Value, int Cells, int BlockRows>
class TextRows
{
public:
    using CellViews = typename TextBlocks<Cells, BlockRows>::Views;
    using const_iterator = RowValueIterator<TextRows, Value>;

    TextRows() = default;
    TextRows(std::initializer_list<Value> values) { appendAll(values); }
    TextRows(const QList<Value> &values) { appendAll(values); } // NOLINT: a list of values is these rows

    qsizetype size() const { return m_texts.size(); }
    bool isEmpty() const { return m_texts.isEmpty(); }

    Value operator[](qsizetype row) const { return Document::valueOf(m_texts.views(row)); }
    // A cell's text; the view holds until these rows next change.
    QStringView cell(qsizetype row, int column) const { return m_texts.cell(row, column); }
    // A row's cells as views, which hold as long as a cell's.
    CellViews views(qsizetype row) const { return m_texts.views(row); }

    // The cells may point into these rows.
    void append(const Value &value) { m_texts.append(Document::viewsOf(value)); }
    void append(const CellViews &cells) { m_texts.append(cells); }
    void replace(qsizetype row, const Value &value) { m_texts.replace(row, Document::viewsOf(value)); }
    void replace(qsizetype row, const CellViews &cells) { m_texts.replace(row, cells); }
    void setCell(qsizetype row, int column, QStringView text) { m_texts.setCell(row, column, text); }
    void removeLast() { m_texts.removeLast(); }
    void clear() { m_texts.clear(); }
    // Room for this many rows' bookkeeping; the texts grow as they come.
    void reserve(qsizetype rows) { m_texts.reserve(rows); }

    QList<Value> toList() const
    {
        QList<Value> list;
        list.reserve(size());
        for (const Value &value : *this)
            list.append(value);
        return list;
    }

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const TextRows &a, const TextRows &b) { return a.m_texts == b.m_texts; }
    friend bool operator==(const TextRows &a, const QList<Value> &b)
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype row = 0; row < a.size(); ++row)
            if (a.views(row) != Document::viewsOf(b.at(row)))
                return false;
        return true;
    }

protected:
    TextBlocks<Cells, BlockRows> m_texts;

private:
    template<typename List>
    void appendAll(const List &values)
    {
        reserve(qsizetype(values.size()));
        for (const Value &value : values)
            append(value);
    }
};
