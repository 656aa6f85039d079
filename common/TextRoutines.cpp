#include "common/TextRoutines.h"

#include <algorithm>

using namespace Qt::StringLiterals;

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

LineSplitter::LineSplitter(QStringView text)
    : m_text(text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        m_text = text.left(nul);
}

bool LineSplitter::next(QStringView &line)
{
    const qsizetype n = m_text.size();
    if (m_pos >= n)
        return false;
    qsizetype i = m_pos;
    while (i < n && m_text[i] != QLatin1Char('\r') && m_text[i] != QLatin1Char('\n'))
        ++i;
    line = m_text.sliced(m_pos, i - m_pos);
    if (i < n && m_text[i] == QLatin1Char('\r') && i + 1 < n && m_text[i + 1] == QLatin1Char('\n'))
        ++i;
    m_pos = i + 1;
    return true;
}

QString WithFullStop(const QString &text)
{
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + QLatin1Char('.');
    return text;
}

QString Excerpt(QStringView text, qsizetype limit)
{
    if (text.size() <= limit)
        return text.toString();
    qsizetype cut = limit;
    if (cut > 0 && text[cut - 1].isHighSurrogate())
        --cut; // never half a character
    return text.first(cut).toString() + QChar(u'…');
}

namespace {

QString EscapedControls(QStringView text, bool lineBreaks)
{
    const auto isHidden = [lineBreaks](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && (lineBreaks || (u != u'\n' && u != u'\t'))) || (u >= 0x7F && u <= 0x9F);
    };
    if (std::none_of(text.begin(), text.end(), isHidden))
        return text.toString();
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        if (isHidden(c))
            out += u"\\x"_s + QString::number(c.unicode(), 16).rightJustified(2, u'0');
        else
            out += c;
    }
    return out;
}

} // namespace

QString VisibleControls(QStringView text)
{
    return EscapedControls(text, false);
}

QString VisiblePath(QStringView path)
{
    return EscapedControls(path, true);
}
