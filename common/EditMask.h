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
};
