#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class Clock;

// A file name built from the moment of saving, claimed for a save that must
// never replace a file.
struct ReservedName
{
    QDateTime moment;
    QString path;          // nameOf(moment)
    // An empty file now holds the name, for the save to replace. False when
    // it could not be created for another reason than being taken: the
    // save's own write then tells why.
    bool reserved = false;
};

// Takes the clock's moment; while the name of that moment is taken, waits
// until the next second has come and takes the moment again. The name is
// claimed by creating the file exclusively, so that two runs in one second
// cannot both get it. Throws UserError after `attempts` taken names.
ReservedName ReserveNameByMoment(const Clock &clock, const std::function<QString(const QDateTime &)> &nameOf,
                                 const std::function<void(const QDateTime &)> &waitUntil, int attempts = 30);

// Sleeps until the clock shows at least the moment.
void SleepUntil(const Clock &clock, const QDateTime &moment);
