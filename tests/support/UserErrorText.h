#pragma once

#include "common/UserError.h"

#include <QString>

#include <functional>

// The text of the UserError that action throws; empty when it throws none.
inline QString UserErrorText(const std::function<void()> &action)
{
    try {
        action();
    } catch (const UserError &e) {
        return e.text();
    }
    return {};
}
