#include "common/TextRoutines.h"

#include "common/Cp1251.h"

QString ReplaceAll(const QString &text, const QString &what, const QString &with)
{
    if (what.isEmpty())
        return text;
    qsizetype pos = text.indexOf(what);
    if (pos < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (pos >= 0) {
        out += QStringView(text).mid(from, pos - from);
        out += with;
        from = pos + what.size();
        pos = text.indexOf(what, from);
    }
    out += QStringView(text).mid(from);
    return out;
}

QString FormatLineNumber(qint64 n)
{
    return QString::number(n).rightJustified(10, QLatin1Char('0'));
}

QStringList SplitFields(QStringView line, QChar separator)
{
    QStringList fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == separator) {
            fields.append(line.mid(start, i - start).toString());
            start = i + 1;
        }
    }
    fields.append(line.mid(start).toString());
    return fields;
}

QStringList SplitLines(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text = text.left(nul);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start).toString());
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start).toString());
    return lines;
}

QStringList DecodeLines(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes = bytes.first(nul);
    return SplitLines(Cp1251::decode(bytes));
}

QString WithFullStop(const QString &text)
{
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + QLatin1Char('.');
    return text;
}
