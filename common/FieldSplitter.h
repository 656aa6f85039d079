#pragma once

#include <QList>
#include <QStringView>
#include <QByteArrayView>

// Cuts a line at each separator into views, empty fields included, but no
// more than the format has: past maxFields the rest is not cut, so that a
// line of millions of separators costs no list. Returns the number of
// fields the line has, or maxFields + 1 when it has more.
template <typename View, typename Char>
qsizetype SplitFieldViews(View line, QList<View> &fields, qsizetype maxFields, Char separator)
{
    fields.clear();
    qsizetype start = 0;
    while (fields.size() < maxFields) {
        const qsizetype end = line.indexOf(separator, start);
        if (end < 0) {
            fields.append(line.sliced(start));
            return fields.size();
        }
        fields.append(line.sliced(start, end - start));
        start = end + 1;
    }
    return maxFields + 1;
}

inline qsizetype SplitFieldViews(QStringView line, QList<QStringView> &fields, qsizetype maxFields)
{
    return SplitFieldViews(line, fields, maxFields, QLatin1Char('\t'));
}

inline qsizetype SplitFieldViews(QByteArrayView line, QList<QByteArrayView> &fields, qsizetype maxFields)
{
    return SplitFieldViews(line, fields, maxFields, '\t');
}
