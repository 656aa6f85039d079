#include "common/WarningIndex.h"

#include <QStringList>

#include <algorithm>
#include <limits>

void WarningIndex::setWarnings(QList<Warning> warnings)
{
    SortByRow(warnings);
    m_warnings = std::move(warnings);
}

std::pair<const Warning *, const Warning *> WarningIndex::rowRange(qsizetype row) const
{
    const Warning *begin = m_warnings.constData();
    const Warning *end = begin + m_warnings.size();
    const Warning *first = std::partition_point(begin, end, [row](const Warning &w) { return w.row < row; });
    const Warning *last = std::partition_point(first, end, [row](const Warning &w) { return w.row == row; });
    return {first, last};
}

bool WarningIndex::marks(qsizetype row, int column, int rowColumn) const
{
    const auto [first, last] = rowRange(row);
    return std::any_of(first, last, [&](const Warning &w) { return column == rowColumn || w.column == column; });
}

QString WarningIndex::toolTip(qsizetype row, int column, int rowColumn) const
{
    const auto [first, last] = rowRange(row);
    QStringList lines;
    for (const Warning *w = first; w != last; ++w) {
        if ((column == rowColumn || w->column == column) && !lines.contains(w->message))
            lines << w->message;
    }
    return lines.join(u'\n');
}

std::optional<std::pair<qsizetype, qsizetype>> WarningIndex::changedRows(const WarningIndex &other) const
{
    const QList<Warning> &a = m_warnings;
    const QList<Warning> &b = other.m_warnings;
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    if (i == a.size() && i == b.size())
        return std::nullopt;
    qsizetype ea = a.size() - 1;
    qsizetype eb = b.size() - 1;
    while (ea >= i && eb >= i && a[ea] == b[eb]) {
        --ea;
        --eb;
    }
    // Both lists are in row order: the differing stretch of each lies between its two ends.
    qsizetype first = std::numeric_limits<qsizetype>::max();
    qsizetype last = -1;
    if (ea >= i) {
        first = std::min(first, a[i].row);
        last = std::max(last, a[ea].row);
    }
    if (eb >= i) {
        first = std::min(first, b[i].row);
        last = std::max(last, b[eb].row);
    }
    return std::pair{first, last};
}
