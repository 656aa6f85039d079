#include "common/RegularFile.h"

#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

QString NotRegularFileMessage(const QString &path)
{
    const QFileInfo info(path); // stat only: nothing is opened
    if (!info.exists() || info.isFile())
        return {};
    QString what = u"не обычный файл (канал или устройство)"_s;
    struct stat st = {};
    const bool stated = ::stat(QFile::encodeName(path).constData(), &st) == 0;
    if (info.isDir())
        what = u"папка"_s;
    else if (stated && S_ISFIFO(st.st_mode))
        what = u"канал (FIFO)"_s;
    else if (stated && (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)))
        what = u"устройство"_s;
    return u"\"%1\" — %2, а не файл с данными. Открыть его нельзя"_s.arg(VisiblePath(path), what);
}

void RequireRegularFile(const QString &path)
{
    const QString message = NotRegularFileMessage(path);
    if (!message.isEmpty())
        throw UserError(message);
}
