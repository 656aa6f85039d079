#pragma once

#include <QSharedDataPointer>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <functional>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

// Rows of Cells texts each, held compactly: a document of a million short
// rows must fit in a few times its file's size, which a string per cell does
// not. Each block of BlockRows rows keeps its cell texts in one string, with
// the end of every cell. Rows are added and removed at the end only (a
// table's delete moves its last row into the gap); copies share their blocks
// until one of them changes.
template<int Cells, int BlockRows>
class TextBlocks
{
public:
    using Views = std::array<QStringView, Cells>;

    TextBlocks() : d(new Data) {}

    qsizetype size() const { return d->count; }
    bool isEmpty() const { return d->count == 0; }

    // A cell's text; the view holds until these rows next change.
    QStringView cell(qsizetype row, int k) const
    {
        Q_ASSERT(row >= 0 && row < size() && k >= 0 && k < Cells);
        return blockOf(row).cellText(int(row % BlockRows) * Cells + k);
    }
    Views views(qsizetype row) const
    {
        Views views;
        for (int k = 0; k < Cells; ++k)
            views[size_t(k)] = cell(row, k);
        return views;
    }

    // The texts may point into these rows.
    void append(const Views &cells)
    {
        for (const QStringView text : cells) {
            if (!d->blocks.empty() && std::as_const(d)->blocks.back().holds(text)) {
                // Appending may move the very text the cells point into.
                std::array<QString, Cells> copies;
                Views views;
                for (int k = 0; k < Cells; ++k)
                    views[size_t(k)] = copies[size_t(k)] = cells[size_t(k)].toString();
                append(views);
                return;
            }
        }
        std::vector<Block> &blocks = d->blocks;
        if (blocks.empty() || blocks.back().rows == BlockRows) {
            qsizetype expected = 0;
            if (!blocks.empty()) {
                // Full: no more than a little spare room kept for good.
                QString &full = blocks.back().text;
                if (full.capacity() - full.size() > full.size() / 8)
                    full.squeeze();
                expected = full.size() + full.size() / 16; // the next block is likely alike
            }
            blocks.emplace_back();
            blocks.back().text.reserve(expected);
        }
        Block &b = blocks.back();
        qsizetype end = b.text.size();
        qsizetype length = 0;
        for (const QStringView text : cells)
            length += text.size();
        if (b.text.capacity() < end + length)
            b.text.reserve(std::max(end + length, 2 * b.text.capacity()));
        b.text.resize(end + length);
        QChar *out = b.text.data();
        int k = b.rows * Cells;
        for (const QStringView text : cells) {
            std::copy(text.begin(), text.end(), out + end);
            end += text.size();
            b.ends[size_t(k++)] = quint32(end);
        }
        ++b.rows;
        ++d->count;
    }

    // The texts may point into these rows.
    void replace(qsizetype row, const Views &cells)
    {
        Q_ASSERT(row >= 0 && row < size());
        // Joined first: the cells may point into these rows.
        QString joined;
        std::array<quint32, Cells> lengths;
        for (int k = 0; k < Cells; ++k) {
            joined.append(cells[size_t(k)]);
            lengths[size_t(k)] = quint32(joined.size());
        }
        blockFor(row).splice(int(row % BlockRows) * Cells, Cells, joined, lengths.data());
    }

    void setCell(qsizetype row, int k, QStringView text)
    {
        Q_ASSERT(row >= 0 && row < size() && k >= 0 && k < Cells);
        Block &b = blockFor(row);
        const int at = int(row % BlockRows) * Cells + k;
        const quint32 length = quint32(text.size());
        if (text.size() == b.ends[size_t(at)] - b.cellStart(at) || !b.holds(text)) {
            b.splice(at, 1, text, &length);
        } else {
            const QString copy = text.toString(); // replacing would move the text it reads
            b.splice(at, 1, copy, &length);
        }
    }

    // Gives cell k of rows first to last its new text, or nothing to keep
    // it; a block is rewritten once, not once per row. When newText throws,
    // the rows before the throwing one keep their new texts.
    void rewriteColumn(int k, qsizetype first, qsizetype last,
                       const std::function<std::optional<QString>(qsizetype row, QStringView text)> &newText)
    {
        rewriteColumnInto(k, first, last, [&newText](qsizetype row, QStringView text, QString &out) {
            std::optional<QString> changed = newText(row, text);
            if (changed)
                out.append(*changed);
            return changed.has_value();
        });
    }

    // As rewriteColumn, with newText appending the new text to out and
    // telling whether it did: no string per changed cell.
    template<typename Rewrite>
    void rewriteColumnInto(int k, qsizetype first, qsizetype last, Rewrite &&newText)
    {
        Q_ASSERT(k >= 0 && k < Cells);
        first = std::max<qsizetype>(first, 0);
        last = std::min(last, size() - 1);
        QString changed;
        for (qsizetype blockFirst = first / BlockRows * BlockRows; blockFirst <= last; blockFirst += BlockRows) {
            const Block &old = std::as_const(d)->blocks[size_t(blockFirst / BlockRows)];
            // Started at the first change; the unchanged cells go over in runs.
            Block rebuilt;
            int copied = 0; // cells of old already in rebuilt
            const auto copyUpTo = [&](int at) {
                const qsizetype from = old.cellStart(copied);
                rebuilt.text.append(QStringView(old.text).sliced(from, old.cellStart(at) - from));
                const qint64 shift = rebuilt.text.size() - old.cellStart(at);
                for (; copied < at; ++copied)
                    rebuilt.ends[size_t(copied)] = quint32(old.ends[size_t(copied)] + shift);
            };
            std::exception_ptr failure;
            try {
                const int from = int(std::max(first - blockFirst, qsizetype(0)));
                for (int r = from; r < old.rows && blockFirst + r <= last; ++r) {
                    const int at = r * Cells + k;
                    changed.truncate(0);
                    if (!newText(blockFirst + r, old.cellText(at), changed))
                        continue;
                    if (rebuilt.rows == 0) {
                        rebuilt.rows = old.rows;
                        rebuilt.text.reserve(old.text.size() + old.text.size() / 4);
                    }
                    copyUpTo(at);
                    rebuilt.text.append(changed);
                    rebuilt.ends[size_t(at)] = quint32(rebuilt.text.size());
                    copied = at + 1;
                }
            } catch (...) {
                failure = std::current_exception();
            }
            if (rebuilt.rows != 0) {
                copyUpTo(old.rows * Cells);
                d->blocks[size_t(blockFirst / BlockRows)] = std::move(rebuilt);
            }
            if (failure)
                std::rethrow_exception(failure);
        }
    }

    // Calls f(row, views) for each row from first to last, block by block,
    // until f gives false.
    template<typename F>
    void forEachRow(qsizetype first, qsizetype last, F &&f) const
    {
        first = std::max<qsizetype>(first, 0);
        last = std::min(last, size() - 1);
        for (qsizetype row = first; row <= last;) {
            const Block &b = blockOf(row);
            const QChar *text = b.text.constData();
            for (int r = int(row % BlockRows); r < b.rows && row <= last; ++r, ++row) {
                Views views;
                qsizetype start = r == 0 ? 0 : b.ends[size_t(r * Cells - 1)];
                for (int k = 0; k < Cells; ++k) {
                    const qsizetype end = b.ends[size_t(r * Cells + k)];
                    views[size_t(k)] = QStringView(text + start, end - start);
                    start = end;
                }
                if (!f(row, views))
                    return;
            }
        }
    }

    void removeLast()
    {
        Q_ASSERT(!isEmpty());
        std::vector<Block> &blocks = d->blocks;
        Block &b = blocks.back();
        --b.rows;
        --d->count;
        if (b.rows == 0)
            blocks.pop_back();
        else
            b.text.truncate(b.ends[size_t(b.rows * Cells - 1)]);
    }

    void clear()
    {
        d->blocks.clear();
        d->blocks.shrink_to_fit();
        d->count = 0;
    }

    // Room for this many rows' bookkeeping; the texts grow as they come.
    void reserve(qsizetype rows) { d->blocks.reserve(size_t((rows + BlockRows - 1) / BlockRows)); }

    friend bool operator==(const TextBlocks &a, const TextBlocks &b)
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i)
            for (int k = 0; k < Cells; ++k)
                if (a.cell(i, k) != b.cell(i, k))
                    return false;
        return true;
    }

private:
    struct Block
    {
        Block() {} // NOLINT: ends are written as rows come, never zeroed first
        QString text;
        // The end of each cell in text, row by row: cell k of row r ends at
        // ends[r * Cells + k] and starts where the one before it ends.
        std::array<quint32, BlockRows * Cells> ends;
        int rows = 0;

        qsizetype cellStart(int at) const { return at == 0 ? 0 : ends[size_t(at - 1)]; }
        QStringView cellText(int at) const
        {
            return QStringView(text).sliced(cellStart(at), ends[size_t(at)] - cellStart(at));
        }
        bool holds(QStringView view) const
        {
            return view.data() >= text.constData() && view.data() < text.constData() + text.capacity();
        }
        // Replaces cells first .. first + count - 1 by replacement, whose
        // cells end at lengths[0 .. count - 1] from its start.
        void splice(int first, int count, QStringView replacement, const quint32 *lengths)
        {
            const qsizetype start = cellStart(first);
            const qsizetype oldLength = ends[size_t(first + count - 1)] - start;
            if (replacement.size() == oldLength) {
                if (oldLength == 0)
                    return;
                // The replacement may be a view into this very text.
                std::memmove(text.data() + start, replacement.data(), size_t(oldLength) * sizeof(QChar));
            } else {
                text.replace(start, oldLength, replacement.data(), replacement.size());
                const qint64 shift = replacement.size() - oldLength;
                for (int at = first + count; at < rows * Cells; ++at)
                    ends[size_t(at)] = quint32(ends[size_t(at)] + shift);
            }
            for (int i = 0; i < count; ++i)
                ends[size_t(first + i)] = quint32(start + lengths[i]);
        }
    };
    struct Data : QSharedData
    {
        std::vector<Block> blocks;
        qsizetype count = 0;
    };

    const Block &blockOf(qsizetype row) const { return d->blocks[size_t(row / BlockRows)]; }
    Block &blockFor(qsizetype row) { return d->blocks[size_t(row / BlockRows)]; }

    QSharedDataPointer<Data> d;
};

// Walks a container by index, giving each row by value.
template<typename Container, typename Value>
class RowValueIterator
{
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Value;
    using difference_type = qsizetype;
    using pointer = void;
    using reference = Value;

    RowValueIterator() = default;
    RowValueIterator(const Container *rows, qsizetype row) : m_rows(rows), m_row(row) {}
    Value operator*() const { return (*m_rows)[m_row]; }
    RowValueIterator &operator++()
    {
        ++m_row;
        return *this;
    }
    RowValueIterator operator++(int)
    {
        RowValueIterator was = *this;
        ++m_row;
        return was;
    }
    friend bool operator==(const RowValueIterator &a, const RowValueIterator &b) { return a.m_row == b.m_row; }

private:
    const Container *m_rows = nullptr;
    qsizetype m_row = 0;
};
