#pragma once

class QCoreApplication;

// Qt's own texts (standard buttons, file, print and preview dialogs) and the
// calendar's month and day names in Russian, whatever the system's locale.
// Amounts are unaffected: Money formats them itself. Returns false when Qt's
// Russian translation is not installed; the dialogs then stay in English.
bool InstallRussianDialogs(QCoreApplication &app);
