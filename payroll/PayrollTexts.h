#pragma once

#include <QString>
#include <QStringView>

// Every text the payroll register shows the user outside its window's own
// labels: the save's checks and results, the readers' refusals.

// The save's checks, word for word.
QString TableNotFilledMessage();   // "Таблица не заполнена! Заполните поля ..."
QString HeaderIncompleteMessage(); // "Заполните все поля данных ведомостей!"
QString BadDataMessage();          // "Введены неверные данные!"
// "settings.ini" holds no branch or client code (missing, short or empty).
QString NoBankCodesMessage();

// The save's question before replacing the register last opened.
QString OverwriteCaption();        // "Сохранение файла"
QString OverwriteQuestion();       // "Вы действительно хотите перезаписать данный файл?"
// The same after a text import replaced the opened register's rows: how many
// rows the file has and how many the grid has.
QString OverwriteQuestionWithCounts(qsizetype fileRows, qsizetype gridRows);

// The save's results.
QString SavedMessagePrefix();      // "Файл успешно сохранён как "
QString CannotReplaceMessage();    // "Не смог перезаписать файл. ..."
QString CannotCreateFileMessage(const QString &path, const QString &reason);
QString CannotCreateFolderMessage(const QString &folder, const QString &reason);

// A load's conversion error with the row (from 1) that holds the amount.
QString BadAmountRowMessage(int row, const QString &conversion);

// The readers' refusals.
QString BadFormatMessage();        // "Неверный формат файла!"
QString CannotOpenTextMessage();   // "Не могу открыть файл. Возможно ..."
QString NotAnIntegerMessage(const QString &text); // "'%s' is not a valid integer value"
// A zero byte at that line (1-based): the file is damaged, not a text.
QString DamagedFileMessage(int line);
// A text import in another encoding: "UTF-8" or "UTF-16".
QString OtherEncodingMessage(QStringView encoding);
