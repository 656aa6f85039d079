#pragma once

#include <QString>

// The application title: caption of plain message boxes.
inline QString ApplicationTitle()
{
    return QStringLiteral("Кардол");
}
