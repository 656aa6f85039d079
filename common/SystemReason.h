#pragma once

#include <QString>

// The reason of a failed file operation as a Russian message shows it after
// its full stop: the common ones in Russian, any other in the system's words.
QString SystemReason(int error);
// The same from a text the system gave (QFileDevice::errorString(),
// std::error_code::message()): the text itself when it is no common reason.
QString SystemReason(const QString &systemText);
