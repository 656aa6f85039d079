#pragma once

#include <QList>
#include <QString>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

// A finding that never stops a save but that the user should look at: a
// card number that fails its check digit, a passport past its expiry. The
// code and field are stable English names for scripts; the message is for
// the user.
struct Warning
{
    QString code;            // "card-check-digit", "passport-expired", ...
    qsizetype row = 0;       // 0-based row of the document
    int column = 0;          // the document's own column of the cell
    QString field;           // "card", "passport_end", ...
    QString message;         // short, Russian
    qsizetype otherRow = -1; // the row a duplicate repeats, -1 for none

    friend bool operator==(const Warning &, const Warning &) = default;
};
// QStrings and numbers move by memcpy: a list of many warnings grows cheaply.
Q_DECLARE_TYPEINFO(Warning, Q_RELOCATABLE_TYPE);

// How a message names another row: by default the grid's row number, row + 1.
using RowNumbering = std::function<qsizetype(qsizetype row)>;
inline qsizetype NumberOfRow(const RowNumbering &numbering, qsizetype row)
{
    return numbering ? numbering(row) : row + 1;
}

// FNV-1a over the UTF-16 units: quick on the short texts of a row.
inline size_t HashText(QStringView text, size_t hash = 14695981039346656037ULL)
{
    for (const QChar c : text) {
        hash ^= c.unicode();
        hash *= 1099511628211ULL;
    }
    return hash;
}

// Calls found(row, other) for every row that another row repeats, in row
// order: the first row of a group names the second, every other row the
// first. hashOf(row) gives std::optional<size_t> (nothing: the row takes no
// part); same(a, b) tells whether two rows of one hash are equal. An open
// table of row numbers, so that 100,000 rows cost no allocation each.
template <typename HashOf, typename Same, typename Found>
void FindRepeats(qsizetype rows, HashOf hashOf, Same same, Found found)
{
    // 32-bit row numbers halve the memory a large register walks through.
    struct Group { size_t hash; qint32 first, second; };
    std::vector<Group> groups;
    groups.reserve(size_t(rows));
    std::vector<qint32> groupOf(size_t(rows), -1);
    int bits = 4;
    while ((size_t(1) << bits) < size_t(rows) + size_t(rows) / 2)
        ++bits;
    std::vector<qint32> table(size_t(1) << bits, -1);
    const size_t mask = (size_t(1) << bits) - 1;
    for (qsizetype row = 0; row < rows; ++row) {
        const std::optional<size_t> hash = hashOf(row);
        if (!hash)
            continue;
        // Fibonacci hashing spreads the high bits over the table.
        for (size_t i = (*hash * 11400714819323198485ULL) >> (64 - bits);; i = (i + 1) & mask) {
            qint32 &slot = table[i];
            if (slot < 0) {
                slot = qint32(groups.size());
                groupOf[size_t(row)] = slot;
                groups.push_back({*hash, qint32(row), -1});
                break;
            }
            Group &g = groups[size_t(slot)];
            if (g.hash == *hash && same(qsizetype(g.first), row)) {
                if (g.second < 0)
                    g.second = qint32(row);
                groupOf[size_t(row)] = slot;
                break;
            }
        }
    }
    for (qsizetype row = 0; row < rows; ++row) {
        const qint32 g = groupOf[size_t(row)];
        if (g < 0 || groups[size_t(g)].second < 0)
            continue;
        const Group &group = groups[size_t(g)];
        found(row, qsizetype(row == group.first ? group.second : group.first));
    }
}

// Warnings in row order, a row's own in the order they were found.
inline bool ByRow(const Warning &a, const Warning &b)
{
    return a.row < b.row;
}
inline void SortByRow(QList<Warning> &warnings)
{
    std::stable_sort(warnings.begin(), warnings.end(), ByRow);
}
