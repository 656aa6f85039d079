#pragma once

#include <QChar>

// Which typed characters the name, series and number fields let through,
// by document type. Judged on the Windows-1251 code: a character outside
// the code page is refused, so are "Ё" and "ё" in the names (pasted, they
// pass the checks). Backspace always passes.
enum class KeyField { Surname, Name, Patronymic, PassportSeries, PassportNumber };

bool AcceptsKey(KeyField field, int docType, QChar c);
