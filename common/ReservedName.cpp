#include "common/ReservedName.h"

#include "common/Clock.h"
#include "common/UserError.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

using namespace Qt::StringLiterals;

ReservedName ReserveNameByMoment(const Clock &clock, const std::function<QString(const QDateTime &)> &nameOf,
                                 const std::function<void(const QDateTime &)> &waitUntil, int attempts)
{
    ReservedName name{clock.now(), {}, false};
    QString first;
    for (int attempt = 1;; ++attempt) {
        name.path = nameOf(name.moment);
        QFile file(name.path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            name.reserved = true;
            return name;
        }
        const QFileInfo info(name.path);
        if (!info.exists() && !info.isSymLink())
            return name;
        if (first.isEmpty())
            first = name.path;
        if (attempt >= attempts)
            throw UserError(u"Новое имя файла не найдено: \"%1\" и следующие за ним по секундам имена заняты"_s.arg(first));
        waitUntil(name.moment.addMSecs(1000 - name.moment.time().msec()));
        name.moment = clock.now();
    }
}

void SleepUntil(const Clock &clock, const QDateTime &moment)
{
    for (QDateTime now = clock.now(); now < moment; now = clock.now())
        QThread::msleep(ulong(std::clamp<qint64>(now.msecsTo(moment), 1, 1000)));
}
