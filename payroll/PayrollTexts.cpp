#include "payroll/PayrollTexts.h"

#include "common/TextRoutines.h"

using namespace Qt::StringLiterals;

QString TableNotFilledMessage()
{
    return u"Таблица не заполнена! Заполните поля в таблице, затем повторно нажмите \"Сохранить\""_s;
}

QString HeaderIncompleteMessage()
{
    return u"Заполните все поля данных ведомостей!"_s;
}

QString BadDataMessage()
{
    return u"Введены неверные данные!"_s;
}

QString NoBankCodesMessage()
{
    return u"В файле \"settings.ini\" нет кодов филиала и клиента: сохраните банковские реквизиты в окне "
           u"\"Настройки\""_s;
}

QString OverwriteCaption()
{
    return u"Сохранение файла"_s;
}

QString OverwriteQuestion()
{
    return u"Вы действительно хотите перезаписать данный файл?"_s;
}

QString OverwriteQuestionWithCounts(qsizetype fileRows, qsizetype gridRows)
{
    return OverwriteQuestion() + u"\nСтрок в файле: %1, в таблице: %2."_s.arg(fileRows).arg(gridRows);
}

QString BadAmountRowMessage(int row, const QString &conversion)
{
    return u"Строка %1: "_s.arg(row) + conversion;
}

QString SavedMessagePrefix()
{
    return u"Файл успешно сохранён как "_s;
}

QString CannotReplaceMessage()
{
    return u"Не смог перезаписать файл. Может быть файл занят другим приложением. "
           u"Закройте все приложения, использующие этот файл и повторите процедуру!"_s;
}

QString CannotCreateFileMessage(const QString &path, const QString &reason)
{
    return u"Cannot create file \"%1\". %2"_s.arg(VisiblePath(path), reason);
}

QString CannotCreateFolderMessage(const QString &folder, const QString &reason)
{
    return u"Не могу создать папку \"%1\". %2"_s.arg(folder, reason);
}

QString BadFormatMessage()
{
    return u"Неверный формат файла!"_s;
}

QString CannotOpenTextMessage()
{
    return u"Не могу открыть файл. Возможно файл занят другим приложением или у вас нет доступа к данному файлу"_s;
}

QString NotAnIntegerMessage(const QString &text)
{
    return u"'%1' is not a valid integer value"_s.arg(Excerpt(text));
}

QString DamagedFileMessage(int line)
{
    return u"Файл повреждён: в строке %1 нулевой байт"_s.arg(line);
}

QString OtherEncodingMessage(QStringView encoding)
{
    return u"Не могу прочитать строки: похоже, файл в кодировке %1. Сохраните его в кодировке Windows-1251"_s.arg(
            encoding);
}
