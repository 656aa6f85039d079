#include "clients/ClientRecords.h"

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

void ClientRecords::append(const ClientRecord &record)
{
    std::vector<Block> &blocks = d->blocks;
    if (blocks.empty() || blocks.back().records == kBlockRecords) {
        if (!blocks.empty())
            blocks.back().text.squeeze(); // full: no spare room kept for good
        blocks.emplace_back();
    }
    Block &b = blocks.back();
    int k = b.records * kCells;
    for (const QString &text : record.cells) {
        b.text.append(text);
        b.ends[size_t(k++)] = quint32(b.text.size());
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

void ClientRecords::replace(qsizetype record, const ClientRecord &texts)
{
    Q_ASSERT(record >= 0 && record < size());
    qsizetype length = 0;
    for (const QString &text : texts.cells)
        length += text.size();
    QString joined;
    joined.reserve(length);
    std::array<quint32, kCells> ends;
    for (int column = 0; column < kCells; ++column) {
        joined.append(texts[column]);
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
    if (text.size() == b.ends[size_t(k)] - b.cellStart(k)) {
        b.splice(k, 1, text, &length);
    } else {
        const QString copy = text.toString(); // the text may be a view into this block
        b.splice(k, 1, copy, &length);
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
