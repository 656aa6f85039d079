#pragma once

#include <QHash>
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

// How a message names another row: by default the grid's row number, row + 1.
using RowNumbering = std::function<qsizetype(qsizetype row)>;
inline qsizetype NumberOfRow(const RowNumbering &numbering, qsizetype row)
{
    return numbering ? numbering(row) : row + 1;
}

// Calls found(row, other) for every row whose key another row shares, in
// row order: the first row of a group names the second, every other row the
// first. keyOf(row) gives std::optional<Key>; a row without a key takes no
// part. One hash lookup a row.
template <typename Key, typename KeyOf, typename Found>
void FindRepeats(qsizetype rows, KeyOf keyOf, Found found)
{
    struct Group { qsizetype first, second; };
    std::vector<Group> groups;
    std::vector<qsizetype> groupOf(size_t(rows), -1);
    QHash<Key, qsizetype> byKey;
    byKey.reserve(rows);
    for (qsizetype row = 0; row < rows; ++row) {
        const std::optional<Key> key = keyOf(row);
        if (!key)
            continue;
        const auto it = byKey.constFind(*key);
        if (it == byKey.constEnd()) {
            byKey.insert(*key, qsizetype(groups.size()));
            groupOf[size_t(row)] = qsizetype(groups.size());
            groups.push_back({row, -1});
        } else {
            Group &g = groups[size_t(*it)];
            if (g.second < 0)
                g.second = row;
            groupOf[size_t(row)] = *it;
        }
    }
    for (qsizetype row = 0; row < rows; ++row) {
        const qsizetype g = groupOf[size_t(row)];
        if (g < 0 || groups[size_t(g)].second < 0)
            continue;
        found(row, row == groups[size_t(g)].first ? groups[size_t(g)].second : groups[size_t(g)].first);
    }
}

// Warnings in row order, a row's own in the order they were found.
inline void SortByRow(QList<Warning> &warnings)
{
    std::stable_sort(warnings.begin(), warnings.end(), [](const Warning &a, const Warning &b) { return a.row < b.row; });
}
