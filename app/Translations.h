#pragma once

#include <QLocale>

class QCoreApplication;

// Qt's own texts (standard buttons, file, print and preview dialogs) in
// Russian, whatever the system's locale. Returns false when Qt's Russian
// translation is not installed; the dialogs then stay in English.
bool InstallRussianDialogs(QCoreApplication &app);

// The locale of month and day names. The process default stays the C
// locale, so that no number is ever formatted by a locale.
QLocale RussianLocale();
