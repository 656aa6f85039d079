#include "common/RecoveryCopy.h"

using namespace Qt::StringLiterals;

QString RecoveryQuestion(const QDateTime &takenAt, const QString &what)
{
    return u"Найдены несохранённые данные от %1 (%2). Восстановить?"_s.arg(
            takenAt.toLocalTime().toString(u"dd.MM.yyyy HH:mm"_s), what);
}
