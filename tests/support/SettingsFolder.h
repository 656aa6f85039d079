#pragma once

#include "settings/SettingsRecord.h"

#include <QTemporaryDir>

#include <memory>

// The bank details most tests save with.
SettingsRecord SampleSettings();

// A fresh temporary folder made the working one, its "settings.ini" holding
// the given details; null when the folder cannot be made or entered.
std::unique_ptr<QTemporaryDir> EnterSettingsFolder(const SettingsRecord &settings = SampleSettings());

// Leaves the folder for the system's temporary one, then removes it: a
// folder cannot go while it is the working one.
void LeaveFolder(std::unique_ptr<QTemporaryDir> &folder);
