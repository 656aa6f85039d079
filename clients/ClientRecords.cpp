#include "clients/ClientRecords.h"

#include <algorithm>
#include <cstring>

ClientRecords::ClientRecords()
    : d(new Data)
{
}

ClientRecords::ClientRecords(std::initializer_list<ClientRecord> records)
    : ClientRecords()
{
    reserve(qsizetype(records.size()));
    for (const ClientRecord &record : records)
        append(record);
}

ClientRecords::ClientRecords(const QList<ClientRecord> &records)
    : ClientRecords()
{
    reserve(records.size());
    for (const ClientRecord &record : records)
        append(record);
}

ClientRecord ClientRecords::operator[](qsizetype record) const
{
    Q_ASSERT(record >= 0 && record < size());
    const Block &b = blockOf(record);
    const int first = int(record % kBlockRecords) * kCells;
    ClientRecord r;
    for (int column = 0; column < kCells; ++column)
        r[column] = b.cellText(first + column).toString();
    return r;
}

QStringView ClientRecords::cell(qsizetype record, int column) const
{
    Q_ASSERT(record >= 0 && record < size() && column >= 0 && column < kCells);
    return blockOf(record).cellText(int(record % kBlockRecords) * kCells + column);
}

ClientRecords::CellViews ClientRecords::viewsOf(const ClientRecord &record)
{
    CellViews views;
    for (int column = 0; column < kCells; ++column)
        views[size_t(column)] = record[column];
    return views;
}

ClientRecords::CellViews ClientRecords::views(qsizetype record) const
{
    Q_ASSERT(record >= 0 && record < size());
    const Block &b = blockOf(record);
    const int first = int(record % kBlockRecords) * kCells;
    CellViews views;
    for (int column = 0; column < kCells; ++column)
        views[size_t(column)] = b.cellText(first + column);
    return views;
}

void ClientRecords::append(const CellViews &cells)
{
    for (const QStringView cell : cells) {
        if (!d->blocks.empty() && d->blocks.back().holds(cell)) {
            // Appending may move the very text the cells point into.
            std::array<QString, kCells> copies;
            CellViews views;
            for (int column = 0; column < kCells; ++column)
                views[size_t(column)] = copies[size_t(column)] = cells[size_t(column)].toString();
            append(views);
            return;
        }
    }
    std::vector<Block> &blocks = d->blocks;
    if (blocks.empty() || blocks.back().records == kBlockRecords) {
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
    qsizetype length = 0;
    for (const QStringView text : cells)
        length += text.size();
    qsizetype end = b.text.size();
    if (b.text.capacity() < end + length)
        b.text.reserve(std::max(end + length, 2 * b.text.capacity()));
    b.text.resize(end + length);
    QChar *out = b.text.data();
    int k = b.records * kCells;
    for (const QStringView text : cells) {
        std::copy(text.begin(), text.end(), out + end);
        end += text.size();
        b.ends[size_t(k++)] = quint32(end);
    }
    ++b.records;
    ++d->count;
}

void ClientRecords::Block::splice(int first, int count, QStringView replacement, const quint32 *lengths)
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
        for (int k = first + count; k < records * kCells; ++k)
            ends[size_t(k)] = quint32(ends[size_t(k)] + shift);
    }
    for (int i = 0; i < count; ++i)
        ends[size_t(first + i)] = quint32(start + lengths[i]);
}

void ClientRecords::replace(qsizetype record, const CellViews &cells)
{
    Q_ASSERT(record >= 0 && record < size());
    qsizetype length = 0;
    for (const QStringView text : cells)
        length += text.size();
    // Joined first: the cells may point into these records.
    QString joined;
    joined.reserve(length);
    std::array<quint32, kCells> ends;
    for (int column = 0; column < kCells; ++column) {
        joined.append(cells[size_t(column)]);
        ends[size_t(column)] = quint32(joined.size());
    }
    d->blocks[size_t(record / kBlockRecords)].splice(int(record % kBlockRecords) * kCells, kCells, joined,
                                                     ends.data());
}

void ClientRecords::setCell(qsizetype record, int column, QStringView text)
{
    Q_ASSERT(record >= 0 && record < size() && column >= 0 && column < kCells);
    Block &b = d->blocks[size_t(record / kBlockRecords)];
    const int k = int(record % kBlockRecords) * kCells + column;
    const quint32 length = quint32(text.size());
    if (text.size() == b.ends[size_t(k)] - b.cellStart(k) || !b.holds(text)) {
        b.splice(k, 1, text, &length);
    } else {
        const QString copy = text.toString(); // replacing would move the text it reads
        b.splice(k, 1, copy, &length);
    }
}

void ClientRecords::setColumn(int column, qsizetype first, qsizetype last,
                              const std::function<QString(qsizetype)> &text)
{
    Q_ASSERT(column >= 0 && column < kCells);
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, size() - 1);
    for (qsizetype blockFirst = first / kBlockRecords * kBlockRecords; blockFirst <= last;
         blockFirst += kBlockRecords) {
        Block &b = d->blocks[size_t(blockFirst / kBlockRecords)];
        const int from = int(std::max(first - blockFirst, qsizetype(0)));
        const int to = int(std::min<qsizetype>(last - blockFirst + 1, b.records));
        if (from >= to)
            continue;
        if (to - from == 1) { // an add's renumbering: no block rebuilt
            setCell(blockFirst + from, column, text(blockFirst + from));
            continue;
        }
        std::vector<QString> texts;
        texts.reserve(size_t(to - from));
        qsizetype grown = 0;
        for (int r = from; r < to; ++r) {
            texts.push_back(text(blockFirst + r));
            const int k = r * kCells + column;
            grown += texts.back().size() - (b.ends[size_t(k)] - b.cellStart(k));
        }
        QString rebuilt;
        rebuilt.reserve(b.text.size() + grown);
        qsizetype copied = 0; // the old text up to here is in rebuilt
        qint64 shift = 0;
        for (int r = from; r < to; ++r) {
            const int k = r * kCells + column;
            const qsizetype start = b.cellStart(k); // not shifted yet
            rebuilt.append(QStringView(b.text).sliced(copied, start - copied));
            rebuilt.append(texts[size_t(r - from)]);
            copied = b.ends[size_t(k)];
            const qint64 next = shift + texts[size_t(r - from)].size() - (copied - start);
            // The cells between the one rewritten before and this one.
            for (int i = (r == from ? from * kCells : (r - 1) * kCells + column + 1); i < k; ++i)
                b.ends[size_t(i)] = quint32(b.ends[size_t(i)] + shift);
            b.ends[size_t(k)] = quint32(rebuilt.size());
            shift = next;
        }
        rebuilt.append(QStringView(b.text).sliced(copied));
        for (int i = (to - 1) * kCells + column + 1; i < b.records * kCells; ++i)
            b.ends[size_t(i)] = quint32(b.ends[size_t(i)] + shift);
        b.text = std::move(rebuilt);
    }
}

void ClientRecords::removeLast()
{
    Q_ASSERT(!isEmpty());
    std::vector<Block> &blocks = d->blocks;
    Block &b = blocks.back();
    --b.records;
    --d->count;
    if (b.records == 0)
        blocks.pop_back();
    else
        b.text.truncate(b.ends[size_t(b.records * kCells - 1)]);
}

void ClientRecords::clear()
{
    d->blocks.clear();
    d->blocks.shrink_to_fit();
    d->count = 0;
}

void ClientRecords::reserve(qsizetype records)
{
    d->blocks.reserve(size_t((records + kBlockRecords - 1) / kBlockRecords));
}

QList<ClientRecord> ClientRecords::toList() const
{
    QList<ClientRecord> list;
    list.reserve(size());
    for (const ClientRecord &record : *this)
        list.append(record);
    return list;
}

bool operator==(const ClientRecords &a, const ClientRecords &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        for (int column = 0; column < ClientColumn::Count; ++column)
            if (a.cell(i, column) != b.cell(i, column))
                return false;
    return true;
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
