#pragma once

#include "common/FixedText.h"

#include <QString>
#include <QStringView>

// Every text the payroll register shows the user outside its window's own
// labels: the save's checks and results, the readers' refusals.

// The save's checks, word for word.
inline constexpr FixedText TableNotFilledMessage{
        u"Таблица не заполнена! Заполните поля в таблице, затем повторно нажмите \"Сохранить\""};
inline constexpr FixedText HeaderIncompleteMessage{u"Заполните все поля данных ведомостей!"};
inline constexpr FixedText BadDataMessage{u"Введены неверные данные!"};
// "settings.ini" holds no branch or client code (missing, short or empty).
inline constexpr FixedText NoBankCodesMessage{
        u"В файле \"settings.ini\" нет кодов филиала и клиента: сохраните банковские реквизиты в окне \"Настройки\""};

// The save's question before replacing the register last opened.
inline constexpr FixedText OverwriteCaption{u"Сохранение файла"};
inline constexpr FixedText OverwriteQuestion{u"Вы действительно хотите перезаписать данный файл?"};
// The same after a text import replaced the opened register's rows: how many
// rows the file has and how many the grid has.
QString OverwriteQuestionWithCounts(qsizetype fileRows, qsizetype gridRows);

// The save's results.
inline constexpr FixedText SavedMessagePrefix{u"Файл успешно сохранён как "};
inline constexpr FixedText CannotReplaceMessage{
        u"Не смог перезаписать файл. Может быть файл занят другим приложением. "
        u"Закройте все приложения, использующие этот файл и повторите процедуру!"};
QString CannotCreateFileMessage(const QString &path, const QString &reason);
QString CannotCreateFolderMessage(const QString &folder, const QString &reason);

// A load's conversion error with the row (from 1) that holds the amount.
QString BadAmountRowMessage(int row, const QString &conversion);

// The readers' refusals.
inline constexpr FixedText BadFormatMessage{u"Неверный формат файла!"};
inline constexpr FixedText CannotOpenTextMessage{
        u"Не могу открыть файл. Возможно файл занят другим приложением или у вас нет доступа к данному файлу"};
QString NotAnIntegerMessage(const QString &text); // "'%s' is not a valid integer value"
// A zero byte at that line (1-based): the file is damaged, not a text.
QString DamagedFileMessage(int line);
// A text import in another encoding: "UTF-8" or "UTF-16".
QString OtherEncodingMessage(QStringView encoding);
