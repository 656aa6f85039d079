#pragma once

#include "common/FixedText.h"

#include <QString>

enum class ClientField;

// The client list's user-facing texts, word for word, in one place: the
// table and its file, the checks of a client's fields, the save, the text
// import.

inline constexpr FixedText ClientFolder{u"Клиенты"};

// --- The table and its file -------------------------------------------------

inline constexpr FixedText ClientTableEmptyMessage{u"Таблица не заполнена!"};
inline constexpr FixedText ClientBadFormatMessage{u"Неверный формат файла!"};
inline constexpr FixedText ClientBadSexMessage{u"Неверно добавлена информация в таблицу"};
inline constexpr FixedText ClientChecksumFailedMessage{u"Ошибка расчета CRC32 суммы"};
// A loaded file refused at one of its lines (1-based).
QString ClientShortLineMessage(int lineNumber);
QString ClientZeroByteLineMessage(int lineNumber);
QString ClientLimitMessage();                // "Достигнуто максимальное количество записей(500)"

// --- The checks of a client's fields -----------------------------------------

inline constexpr FixedText ClientBirthdayWrongMessage{u"Внимание! Поле \"Дата рождения\" заполнено неверно!"};
inline constexpr FixedText ClientIssueDateWrongMessage{u"Внимание! Поле \"Дата выдачи\" заполнено неверно!"};
inline constexpr FixedText ClientEndDateWrongMessage{u"Внимание! Поле \"Дата окончания\" заполнено неверно!"};
inline constexpr FixedText ClientSeriesLengthMessage{
        u"Внимание! Поле \"Серия паспорта\" должен содержать только 2 буквы!"};
inline constexpr FixedText ClientSeriesRefusedMessage{
        u"Внимание! Поле \"Серия паспорта\" содержит недопустимые символы!"};
inline constexpr FixedText ClientPassportNumberLengthMessage{
        u"Внимание! Длина № паспорта должна быть не менее 7 знаков!"};
// The issue and end dates of a biometric passport not ten years apart.
inline constexpr FixedText ClientBiometricTermMessage{
        u"Внимание! Для биомет. паспорта разница между \"Дата выдачи\" и \"Дата окончания\" должно быть 10 лет!"};
// "Внимание! Заполните поле "Фамилия"!", the field named as the checks name it.
QString ClientFillMessage(ClientField field);
// A word holding a character the field does not take.
QString ClientRefusedCharMessage(ClientField field, const QString &word, QChar c, bool likelyNotCyrillic);

// --- The save ----------------------------------------------------------------

inline constexpr FixedText ClientSavedMessagePrefix{u"Файл успешно сохранен как "};
inline constexpr FixedText ClientOverwriteCaption{u"Сохранение"};
inline constexpr FixedText ClientOverwriteQuestion{
        u"Перезаписать текущий файл? (да - перезаписать, нет - сохранить с новым названием)"};
// which: "Код филиала" or "Код клиента", empty in "settings.ini".
QString ClientBankCodeEmptyMessage(const QString &which);
QString ClientFolderFailedMessage(const QString &folder, const QString &reason);
// A new file that could not be written, and an existing one that stays as it was.
QString ClientWriteFailedMessage(const QString &path, const QString &reason);
QString ClientReplaceFailedMessage(const QString &path, const QString &reason);

// --- The text import ---------------------------------------------------------

inline constexpr FixedText CannotLoadClientTextMessage{
        u"Не могу загрузить данные из файла. Возможно файл занят другим приложением. "
        u"Закройте все приложения, использующие данный файл и повторите снова."};
// The error of a line holding a zero byte.
inline constexpr FixedText ClientTextZeroByteMessage{u"в строке нулевой байт"};
QString ShortClientLineMessage(); // the error of a line with fewer than 13 fields
// The error of a value with a character its field's mask has no place for.
QString ClientMaskRefusedMessage(const QString &fieldName, QChar c);
// "Обнаружена ошибка в файле:"PATH", строка:N, ошибка:<ERROR>"
QString ClientImportErrorMessage(const QString &path, int line, const QString &error);
