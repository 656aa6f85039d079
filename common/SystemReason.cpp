#include "common/SystemReason.h"

#include <QHash>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

struct Reason
{
    int error;
    const char16_t *text;
};

constexpr Reason kReasons[] = {
    {ENOSPC, u"Нет места на диске"},
    {EDQUOT, u"Превышена квота на диске"},
    {EACCES, u"Нет доступа"},
    {EPERM, u"Операция не разрешена"},
    {EROFS, u"Диск только для чтения"},
    {EEXIST, u"Файл уже существует"},
    {ENOENT, u"Файл или папка не найдены"},
    {EISDIR, u"Это папка"},
    {ENOTDIR, u"Часть пути — не папка"},
    {EFBIG, u"Файл слишком велик"},
    {ENAMETOOLONG, u"Слишком длинное имя"},
    {EBUSY, u"Файл занят"},
    {ETXTBSY, u"Файл занят"},
    {EIO, u"Ошибка чтения или записи на диске"},
    {ELOOP, u"Слишком много символических ссылок"},
    {EMFILE, u"Открыто слишком много файлов"},
    {ENFILE, u"Открыто слишком много файлов"},
    {ENOMEM, u"Недостаточно памяти"},
};

} // namespace

QString SystemReason(int error)
{
    for (const Reason &r : kReasons) {
        if (r.error == error)
            return QString::fromUtf16(r.text);
    }
    return qt_error_string(error);
}

QString SystemReason(const QString &systemText)
{
    // Qt and the standard library both word an errno as strerror does.
    static const QHash<QString, int> kErrorOf = [] {
        QHash<QString, int> errors;
        for (const Reason &r : kReasons)
            errors.insert(qt_error_string(r.error), r.error);
        // QFile's own words for a folder given as a file.
        errors.insert(u"Filename refers to a directory"_s, EISDIR);
        return errors;
    }();
    const auto found = kErrorOf.constFind(systemText);
    return found == kErrorOf.cend() ? systemText : SystemReason(*found);
}
