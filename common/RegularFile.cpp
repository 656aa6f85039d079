#include "common/RegularFile.h"

#include "common/UserError.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

QString NotRegularFileMessage(const QString &path)
{
    const QFileInfo info(path); // stat only: nothing is opened
    if (!info.exists() || info.isFile())
        return {};
    const QString what = info.isDir() ? u"папка"_s : u"не обычный файл (канал или устройство)"_s;
    return u"\"%1\" — %2, а не файл с данными. Открыть его нельзя"_s.arg(path, what);
}

void RequireRegularFile(const QString &path)
{
    const QString message = NotRegularFileMessage(path);
    if (!message.isEmpty())
        throw UserError(message);
}
