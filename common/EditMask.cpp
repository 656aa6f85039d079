#include "common/EditMask.h"

#include <QStringList>

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
