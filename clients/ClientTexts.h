#pragma once

#include <QString>

enum class ClientField;

// The client list's user-facing texts, word for word, in one place: the
// table and its file, the checks of a client's fields, the save, the text
// import.

QString ClientFolder();                      // "Клиенты"

// --- The table and its file -------------------------------------------------

QString ClientTableEmptyMessage();           // "Таблица не заполнена!"
QString ClientBadFormatMessage();            // "Неверный формат файла!"
// A loaded file refused at one of its lines (1-based).
QString ClientShortLineMessage(int lineNumber);
QString ClientZeroByteLineMessage(int lineNumber);
QString ClientBadSexMessage();               // "Неверно добавлена информация в таблицу"
QString ClientLimitMessage();                // "Достигнуто максимальное количество записей(500)"
QString ClientChecksumFailedMessage();       // "Ошибка расчета CRC32 суммы"

// --- The checks of a client's fields -----------------------------------------

// "Внимание! Заполните поле "Фамилия"!", the field named as the checks name it.
QString ClientFillMessage(ClientField field);
// A word holding a character the field does not take.
QString ClientRefusedCharMessage(ClientField field, const QString &word, QChar c, bool likelyNotCyrillic);
QString ClientBirthdayWrongMessage();        // "... "Дата рождения" заполнено неверно!"
QString ClientIssueDateWrongMessage();       // "... "Дата выдачи" заполнено неверно!"
QString ClientEndDateWrongMessage();         // "... "Дата окончания" заполнено неверно!"
QString ClientSeriesLengthMessage();         // "... должен содержать только 2 буквы!"
QString ClientSeriesRefusedMessage();        // "... "Серия паспорта" содержит недопустимые символы!"
QString ClientPassportNumberLengthMessage(); // "... не менее 7 знаков!"
QString ClientBiometricTermMessage();        // issue and end date not 10 years apart

// --- The save ----------------------------------------------------------------

QString ClientSavedMessagePrefix();          // "Файл успешно сохранен как "
QString ClientOverwriteCaption();            // "Сохранение"
QString ClientOverwriteQuestion();           // "Перезаписать текущий файл? (да - ..."
// which: "Код филиала" or "Код клиента", empty in "settings.ini".
QString ClientBankCodeEmptyMessage(const QString &which);
QString ClientFolderFailedMessage(const QString &folder, const QString &reason);
// A new file that could not be written, and an existing one that stays as it was.
QString ClientWriteFailedMessage(const QString &path, const QString &reason);
QString ClientReplaceFailedMessage(const QString &path, const QString &reason);

// --- The text import ---------------------------------------------------------

QString CannotLoadClientTextMessage(); // "Не могу загрузить данные из файла. ..."
QString ShortClientLineMessage();      // the error of a line with fewer than 13 fields
QString ClientTextZeroByteMessage();   // the error of a line holding a zero byte
// The error of a value with a character its field's mask has no place for.
QString ClientMaskRefusedMessage(const QString &fieldName, QChar c);
// "Обнаружена ошибка в файле:"PATH", строка:N, ошибка:<ERROR>"
QString ClientImportErrorMessage(const QString &path, int line, const QString &error);
