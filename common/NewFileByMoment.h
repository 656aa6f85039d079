#pragma once

#include "common/AtomicFile.h"

#include <QDateTime>
#include <QString>

#include <functional>

class Clock;
class QIODevice;

// A file named after the moment of saving, for a save that must never
// replace a file.
struct NewFileByMoment
{
    QDateTime moment;
    QString path; // nameOf(moment)
    NewFileResult result = NewFileResult::Failed;
};

// Takes the clock's moment and writes the file of that moment's name
// (WriteNewFile: it appears whole or not at all); while that name is taken,
// waits until the next second has come and takes the moment again, so that
// two runs in one second never share a name. Failed: errorString has the
// reason. Throws UserError after `attempts` taken names.
NewFileByMoment WriteNewFileByMoment(const Clock &clock, const std::function<QString(const QDateTime &)> &nameOf,
                                     const std::function<bool(QIODevice &, const QDateTime &)> &write,
                                     const std::function<void(const QDateTime &)> &waitUntil,
                                     QString *errorString = nullptr, int attempts = 30);

// Sleeps until the clock shows at least the moment.
void SleepUntil(const Clock &clock, const QDateTime &moment);
