#pragma once

#include <QString>

// An edit mask in the form "mask;keepLiterals;blank" turned into
// Qt's setInputMask() form, with what the masked edit needs to know besides.
struct EditMask
{
    QString qtMask;          // for QLineEdit::setInputMask, including ";blank"
    QChar blank = QLatin1Char('_');
    bool fillFromRight = false; // leading '!': a short value is stored right-aligned
    int places = 0;          // input places of the mask

    static EditMask parse(const QString &mask);

    // The stored text a masked edit holds after a program sets its text to
    // value: under '!' a short value is right-aligned, blanks at input places
    // become the blank character, then the line edit's own mask rules apply
    // (characters go to the next place that accepts them, a literal in the
    // value is consumed where it matches, refused characters are skipped,
    // '>' and '<' change case). Unfilled input places read as blanks.
    QString storedFromProgramText(const QString &value) const;
};
