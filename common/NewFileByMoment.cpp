#include "common/NewFileByMoment.h"

#include "common/Clock.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QThread>

#include <algorithm>

using namespace Qt::StringLiterals;

NewFileByMoment WriteNewFileByMoment(const Clock &clock, const std::function<QString(const QDateTime &)> &nameOf,
                                     const std::function<bool(QIODevice &, const QDateTime &)> &write,
                                     const std::function<void(const QDateTime &)> &waitUntil,
                                     QString *errorString, int attempts)
{
    NewFileByMoment file{clock.now(), {}, NewFileResult::Failed};
    QString first;
    for (int attempt = 1;; ++attempt) {
        file.path = nameOf(file.moment);
        const QDateTime moment = file.moment;
        file.result = WriteNewFile(file.path, [&](QIODevice &device) { return write(device, moment); }, errorString);
        if (file.result != NewFileResult::NameTaken)
            return file;
        if (first.isEmpty())
            first = file.path;
        if (attempt >= attempts)
            throw UserError(u"Новое имя файла не найдено: \"%1\" и следующие за ним по секундам имена заняты"_s.arg(VisiblePath(first)));
        waitUntil(file.moment.addMSecs(1000 - file.moment.time().msec()));
        file.moment = clock.now();
    }
}

void SleepUntil(const Clock &clock, const QDateTime &moment)
{
    for (QDateTime now = clock.now(); now < moment; now = clock.now())
        QThread::msleep(ulong(std::clamp<qint64>(now.msecsTo(moment), 1, 1000)));
}
