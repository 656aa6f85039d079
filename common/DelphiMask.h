#pragma once

#include <QString>

// An edit mask in the Delphi form "mask;saveLiterals;blank" turned into
// Qt's setInputMask() form, with what the masked edit needs to know besides.
struct DelphiMask
{
    QString qtMask;          // for QLineEdit::setInputMask, including ";blank"
    QChar blank = QLatin1Char('_');
    bool fillFromRight = false; // Delphi '!': a short value is stored right-aligned
    int places = 0;          // input places of the mask

    static DelphiMask parse(const QString &delphi);
};
