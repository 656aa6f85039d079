#pragma once

#include <QString>

// Text pasted into a field whose value ends up in a Windows-1251 bank file.
// Nothing is lost silently: the Uzbek letters the code page lacks take their
// usual Windows-1251 spelling (Қ қ Ғ ғ Ҳ ҳ become К к Г г Х х, the Uzbek
// Latin ʻ ʼ become ‘ ’), and any other
// character the code page cannot hold refuses the whole text, so that no
// name reaches a document with a letter missing.
struct Cp1251Fit
{
    QString text;     // the text with the usual replacements made
    QString replaced; // the letters replaced, each once, in order of appearance
    QString refused;  // the first character neither held nor replaced, a surrogate pair whole; empty when none

    bool accepted() const { return refused.isEmpty(); }
    // For the status bar: the refusal, else the replacements; empty when there is nothing to say.
    QString note() const;

    static Cp1251Fit of(QStringView text);
    // The first character the code page cannot hold, a surrogate pair whole; empty when none.
    static QString firstUnheld(QStringView text);
};

// The usual Windows-1251 letter for one the code page lacks; a null QChar when there is none.
QChar UsualCp1251Letter(QChar c);

// For the status bar: the character is refused because the bank's files
// cannot hold it, with its code point (it may be invisible) and the usual letter if any.
QString RefusedCharacterNote(QStringView character);
