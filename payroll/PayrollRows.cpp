#include "payroll/PayrollRows.h"

#include <utility>

PayrollRows::PayrollRows()
    : d(new Data)
{
}

PayrollRows::PayrollRows(std::initializer_list<PayrollRow> rows)
    : PayrollRows()
{
    reserve(qsizetype(rows.size()));
    for (const PayrollRow &row : rows)
        append(row);
}

PayrollRows::PayrollRows(const QList<PayrollRow> &rows)
    : PayrollRows()
{
    reserve(rows.size());
    for (const PayrollRow &row : rows)
        append(row);
}

PayrollRow PayrollRows::operator[](qsizetype row) const
{
    return {name(row).toString(), card(row).toString(), amount(row).toString()};
}

QStringView PayrollRows::cell(qsizetype row, Cell cell) const
{
    Q_ASSERT(row >= 0 && row < size());
    const Block &b = d->blocks[size_t(row / kBlockRows)];
    const int k = int(row % kBlockRows) * kCells + cell;
    const qsizetype start = b.cellStart(k);
    return QStringView(b.text).sliced(start, b.ends[k] - start);
}

void PayrollRows::append(QStringView name, QStringView card, QStringView amount)
{
    std::vector<Block> &blocks = d->blocks;
    if (blocks.empty() || blocks.back().rows == kBlockRows) {
        if (!blocks.empty())
            blocks.back().text.squeeze(); // full: no spare room kept for good
        blocks.emplace_back();
    }
    Block &b = blocks.back();
    int k = b.rows * kCells;
    for (QStringView text : {name, card, amount}) {
        b.text.append(text);
        b.ends[k++] = quint32(b.text.size());
    }
    ++b.rows;
    ++d->count;
}

void PayrollRows::setCell(qsizetype row, Cell cell, QStringView text)
{
    Q_ASSERT(row >= 0 && row < size());
    Block &b = d->blocks[size_t(row / kBlockRows)];
    const int k = int(row % kBlockRows) * kCells + cell;
    const qsizetype start = b.cellStart(k);
    const qsizetype length = b.ends[k] - start;
    if (text.size() == length) {
        std::copy(text.begin(), text.end(), b.text.begin() + start);
        return;
    }
    // The text may be a view into this very block.
    const QString copy = text.toString();
    b.text.replace(start, length, copy);
    const qint64 shift = copy.size() - length;
    for (int i = k; i < b.rows * kCells; ++i)
        b.ends[i] = quint32(b.ends[i] + shift);
}

void PayrollRows::setRow(qsizetype row, const PayrollRow &texts)
{
    setCell(row, Name, texts.name);
    setCell(row, Card, texts.card);
    setCell(row, Amount, texts.amount);
}

void PayrollRows::removeLast()
{
    Q_ASSERT(!isEmpty());
    std::vector<Block> &blocks = d->blocks;
    Block &b = blocks.back();
    --b.rows;
    --d->count;
    if (b.rows == 0)
        blocks.pop_back();
    else
        b.text.truncate(b.ends[b.rows * kCells - 1]);
}

void PayrollRows::clear()
{
    d->blocks.clear();
    d->blocks.shrink_to_fit();
    d->count = 0;
}

void PayrollRows::reserve(qsizetype rows)
{
    d->blocks.reserve(size_t((rows + kBlockRows - 1) / kBlockRows));
}

void PayrollRows::rewriteAmounts(qsizetype first, qsizetype last,
                                 const std::function<std::optional<QString>(qsizetype, QStringView)> &newAmount)
{
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, size() - 1);
    for (qsizetype blockFirst = first / kBlockRows * kBlockRows; blockFirst <= last; blockFirst += kBlockRows) {
        const Block &old = std::as_const(*d).blocks[size_t(blockFirst / kBlockRows)];
        // The new texts of this block's rows first; the block is rebuilt only
        // when one of them changes, also when a later row throws.
        std::vector<std::pair<int, QString>> changes;
        std::exception_ptr failure;
        try {
            for (int r = int(std::max(first - blockFirst, qsizetype(0))); r < old.rows && blockFirst + r <= last; ++r) {
                const int k = r * kCells + Amount;
                const qsizetype start = old.cellStart(k);
                const QStringView amount = QStringView(old.text).sliced(start, old.ends[k] - start);
                if (std::optional<QString> text = newAmount(blockFirst + r, amount))
                    changes.emplace_back(r, std::move(*text));
            }
        } catch (...) {
            failure = std::current_exception();
        }
        if (!changes.empty()) {
            Block rebuilt;
            rebuilt.rows = old.rows;
            qsizetype grown = 0;
            for (const auto &change : changes)
                grown += change.second.size();
            rebuilt.text.reserve(old.text.size() + grown);
            auto next = changes.cbegin();
            for (int k = 0; k < old.rows * kCells; ++k) {
                const qsizetype start = old.cellStart(k);
                if (next != changes.cend() && k == next->first * kCells + Amount)
                    rebuilt.text.append((next++)->second);
                else
                    rebuilt.text.append(QStringView(old.text).sliced(start, old.ends[k] - start));
                rebuilt.ends[k] = quint32(rebuilt.text.size());
            }
            d->blocks[size_t(blockFirst / kBlockRows)] = std::move(rebuilt);
        }
        if (failure)
            std::rethrow_exception(failure);
    }
}

QList<PayrollRow> PayrollRows::toList() const
{
    QList<PayrollRow> list;
    list.reserve(size());
    for (const PayrollRow &row : *this)
        list.append(row);
    return list;
}

bool operator==(const PayrollRows &a, const PayrollRows &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        for (auto cell : {PayrollRows::Name, PayrollRows::Card, PayrollRows::Amount})
            if (a.cell(i, cell) != b.cell(i, cell))
                return false;
    return true;
}
