#include "common/EditMask.h"

#include <QStringList>
#include <QVarLengthArray>

EditMask EditMask::parse(const QString &notation)
{
    EditMask m;
    QString body = notation;
    const QStringList parts = notation.split(QLatin1Char(';'));
    if (parts.size() >= 3 && !parts[2].isEmpty()) {
        m.blank = parts[2].at(0);
        body = parts[0];
    } else if (parts.size() >= 2) {
        body = parts[0];
    }

    static const QString qtLetters = QStringLiteral("ANXDHB9anxdhb0#><!{}[]\\");
    QString out;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        switch (c.unicode()) {
        case u'0': out += QLatin1Char('9'); ++m.places; break;
        case u'9': out += QLatin1Char('0'); ++m.places; break;
        case u'L': out += QLatin1Char('A'); ++m.places; break;
        case u'l': out += QLatin1Char('a'); ++m.places; break;
        case u'A': out += QLatin1Char('N'); ++m.places; break;
        case u'a': out += QLatin1Char('n'); ++m.places; break;
        case u'C': out += QLatin1Char('X'); ++m.places; break;
        case u'c': out += QLatin1Char('x'); ++m.places; break;
        case u'#': out += c; ++m.places; break;
        case u'>': case u'<': out += c; break;
        case u'!': m.fillFromRight = true; break;
        case u'/': out += QLatin1Char('.'); break;
        case u':': out += QLatin1Char(':'); break;
        case u'\\':
            if (i + 1 < body.size()) {
                out += QLatin1Char('\\');
                out += body[++i];
            }
            break;
        default:
            if (qtLetters.contains(c) || c == QLatin1Char(';'))
                out += QLatin1Char('\\');
            out += c;
        }
    }
    m.qtMask = out + QLatin1Char(';') + m.blank;
    return m;
}

namespace {

enum class CaseMode : quint8 { None, Upper, Lower };

struct MaskPlace
{
    QChar maskChar;
    bool literal = false;
    CaseMode caseMode = CaseMode::None;
};

using MaskLayout = QVarLengthArray<MaskPlace, 32>;

// The places of a Qt input mask as the line edit reads it: the mask ends at
// the first ';', the blank character follows it (a blank when there is none).
MaskLayout ReadQtMask(const QString &qtMask, QChar &blank)
{
    const qsizetype delimiter = qtMask.indexOf(QLatin1Char(';'));
    const QStringView body = delimiter < 0 ? QStringView(qtMask) : QStringView(qtMask).first(delimiter);
    blank = delimiter >= 0 && delimiter + 1 < qtMask.size() ? qtMask.at(delimiter + 1) : QLatin1Char(' ');

    MaskLayout layout;
    CaseMode mode = CaseMode::None;
    bool escape = false;
    for (const QChar c : body) {
        if (escape) {
            layout.append({c, true, mode});
            escape = false;
            continue;
        }
        switch (c.unicode()) {
        case u'<': mode = CaseMode::Lower; break;
        case u'>': mode = CaseMode::Upper; break;
        case u'!': mode = CaseMode::None; break;
        case u'{': case u'}': case u'[': case u']': break;
        case u'\\': escape = true; break;
        case u'A': case u'a': case u'N': case u'n': case u'X': case u'x': case u'9': case u'0':
        case u'D': case u'd': case u'#': case u'H': case u'h': case u'B': case u'b':
            layout.append({c, false, mode});
            break;
        default:
            layout.append({c, true, mode});
        }
    }
    return layout;
}

bool IsHexLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('f')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// Whether the input place of mask letter m takes the character c.
bool AcceptsInput(QChar m, QChar c, QChar blank)
{
    switch (m.unicode()) {
    case u'A': return c.isLetter();
    case u'a': return c.isLetter() || c == blank;
    case u'N': return c.isLetterOrNumber();
    case u'n': return c.isLetterOrNumber() || c == blank;
    case u'X': return c.isPrint() && c != blank;
    case u'x': return c.isPrint() || c == blank;
    case u'9': return c.isNumber();
    case u'0': return c.isNumber() || c == blank;
    case u'D': return c.isNumber() && c.digitValue() > 0;
    case u'd': return (c.isNumber() && c.digitValue() > 0) || c == blank;
    case u'#': return c.isNumber() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == blank;
    case u'B': return c == QLatin1Char('0') || c == QLatin1Char('1');
    case u'b': return c == QLatin1Char('0') || c == QLatin1Char('1') || c == blank;
    case u'H': return c.isNumber() || IsHexLetter(c);
    case u'h': return c.isNumber() || IsHexLetter(c) || c == blank;
    default: return false;
    }
}

QChar WithCase(QChar c, CaseMode mode)
{
    switch (mode) {
    case CaseMode::Upper: return c.toUpper();
    case CaseMode::Lower: return c.toLower();
    case CaseMode::None: break;
    }
    return c;
}

// The line edit's text after setText(value) under the mask: the value is
// walked once against the places, an unfilled place shows its clear form.
QString ApplyQtMask(const MaskLayout &layout, QChar blank, QStringView value)
{
    const qsizetype n = layout.size();
    const auto clearAt = [&](qsizetype i) { return layout[i].literal ? layout[i].maskChar : blank; };
    QString s;
    s.reserve(n);
    qsizetype i = 0;
    for (qsizetype k = 0; k < value.size() && i < n;) {
        const QChar c = value[k];
        if (layout[i].literal) {
            s += layout[i].maskChar;
            if (c == layout[i].maskChar)
                ++k;
            ++i;
            continue;
        }
        if (AcceptsInput(layout[i].maskChar, c, blank)) {
            s += WithCase(c, layout[i].caseMode);
            ++i;
        } else {
            // A literal ahead that matches: skip to just past it.
            qsizetype found = i;
            while (found < n && !(layout[found].literal && layout[found].maskChar == c))
                ++found;
            if (found < n) {
                if (value.size() != 1 || i == 0 || !layout[i - 1].literal || layout[i - 1].maskChar != c) {
                    for (; i <= found; ++i)
                        s += clearAt(i);
                }
            } else {
                // Otherwise the next input place that takes it.
                found = i;
                while (found < n && (layout[found].literal || !AcceptsInput(layout[found].maskChar, c, blank)))
                    ++found;
                if (found < n) {
                    for (; i < found; ++i)
                        s += clearAt(i);
                    s += WithCase(c, layout[i].caseMode);
                    ++i;
                }
            }
        }
        ++k;
    }
    for (; i < n; ++i)
        s += clearAt(i);
    return s;
}

} // namespace

QString EditMask::storedFromProgramText(const QString &value) const
{
    QChar qtBlank;
    const MaskLayout layout = ReadQtMask(qtMask, qtBlank);
    if (layout.isEmpty())
        return value;
    const qsizetype n = layout.size();

    // What the masked edit hands to the line edit.
    QString v = value;
    if (fillFromRight && v.size() < n)
        v = v.rightJustified(n, QLatin1Char(' '));
    for (qsizetype i = 0; i < v.size() && i < n; ++i)
        if (v.at(i) == QLatin1Char(' ') && !layout[i].literal) // at(): no copy of a shared value
            v[i] = blank;

    QString shown = ApplyQtMask(layout, qtBlank, v);
    for (qsizetype i = 0; i < n; ++i) {
        QChar &c = shown[i];
        // The line edit shows control characters as blanks.
        if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter)
            c = QLatin1Char(' ');
        else if (!layout[i].literal && c == blank)
            c = QLatin1Char(' ');
    }
    return shown;
}
