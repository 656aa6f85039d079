#include "payroll/PayrollTexts.h"

#include "common/TextRoutines.h"

using namespace Qt::StringLiterals;

QString OverwriteQuestionWithCounts(qsizetype fileRows, qsizetype gridRows)
{
    return OverwriteQuestion() + u"\nСтрок в файле: %1, в таблице: %2."_s.arg(fileRows).arg(gridRows);
}

QString BadAmountRowMessage(int row, const QString &conversion)
{
    return u"Строка %1: "_s.arg(row) + conversion;
}

QString CannotCreateFileMessage(const QString &path, const QString &reason)
{
    return u"Cannot create file \"%1\". %2"_s.arg(VisiblePath(path), reason);
}

QString CannotCreateFolderMessage(const QString &folder, const QString &reason)
{
    return u"Не могу создать папку \"%1\". %2"_s.arg(folder, reason);
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
