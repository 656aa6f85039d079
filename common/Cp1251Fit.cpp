#include "common/Cp1251Fit.h"

#include "common/Cp1251.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

const QString kWhere = u"в кодировке Windows-1251 банковских файлов"_s;

QString Quoted(QStringView character)
{
    return u"«"_s + character.toString() + u"»"_s;
}

// The character starting at i: a surrogate pair counts as one.
qsizetype CharacterLength(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

} // namespace

QChar UsualCp1251Letter(QChar c)
{
    switch (c.unicode()) {
    case 0x049A: return QChar(0x041A); // Қ -> К
    case 0x049B: return QChar(0x043A); // қ -> к
    case 0x0492: return QChar(0x0413); // Ғ -> Г
    case 0x0493: return QChar(0x0433); // ғ -> г
    case 0x04B2: return QChar(0x0425); // Ҳ -> Х
    case 0x04B3: return QChar(0x0445); // ҳ -> х
    case 0x02BB: return QChar(0x2018); // ʻ -> ‘ (Uzbek Latin oʻ, gʻ)
    case 0x02BC: return QChar(0x2019); // ʼ -> ’
    default: return QChar();
    }
}

QString RefusedCharacterNote(QStringView character)
{
    const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                                : char32_t(character.isEmpty() ? 0 : character[0].unicode());
    const QString hex = QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    QString note = u"Символ "_s + Quoted(character) + u" (U+"_s + hex + u") не принят: его нет "_s + kWhere + u'.';
    if (character.size() == 1) {
        const QChar usual = UsualCp1251Letter(character[0]);
        if (!usual.isNull())
            note += u" Пишите "_s + Quoted(QStringView(&usual, 1)) + u'.';
    }
    return note;
}

QString Cp1251Fit::firstUnheld(QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = CharacterLength(text, i);
        if (n == 2 || !Cp1251::canEncode(text[i]))
            return text.mid(i, n).toString();
        i += n;
    }
    return {};
}

Cp1251Fit Cp1251Fit::of(QStringView text)
{
    Cp1251Fit fit;
    fit.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = CharacterLength(text, i);
        const QChar c = text[i];
        if (n == 1 && Cp1251::canEncode(c)) {
            fit.text += c;
        } else if (const QChar usual = n == 1 ? UsualCp1251Letter(c) : QChar(); !usual.isNull()) {
            fit.text += usual;
            if (!fit.replaced.contains(c))
                fit.replaced += c;
        } else {
            fit.refused = text.mid(i, n).toString();
            fit.text = text.toString();
            return fit;
        }
        i += n;
    }
    return fit;
}

QString Cp1251Fit::note() const
{
    if (!refused.isEmpty())
        return RefusedCharacterNote(refused);
    if (replaced.isEmpty())
        return {};
    QStringList pairs;
    for (QChar c : replaced) {
        const QChar usual = UsualCp1251Letter(c);
        pairs << Quoted(QStringView(&c, 1)) + u" на "_s + Quoted(QStringView(&usual, 1));
    }
    return u"Вставлено с заменой "_s + pairs.join(u", "_s) + u": этих букв нет "_s + kWhere + u'.';
}
