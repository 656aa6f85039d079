#include "support/SettingsFolder.h"

#include <QDir>

using namespace Qt::StringLiterals;

SettingsRecord SampleSettings()
{
    return {u"12345678"_s, u"ООО Ромашка"_s, u"00123"_s};
}

std::unique_ptr<QTemporaryDir> EnterSettingsFolder(const SettingsRecord &settings)
{
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid() || !QDir::setCurrent(folder->path()))
        return nullptr;
    WriteSettingsRecord(settings);
    return folder;
}

void LeaveFolder(std::unique_ptr<QTemporaryDir> &folder)
{
    QDir::setCurrent(QDir::tempPath());
    folder.reset();
}
