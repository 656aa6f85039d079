#include "cli/SavingCommand.h"

#include "cli/Command.h"
#include "common/RegularFile.h"
#include "common/UserError.h"
#include "settings/SettingsRecord.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

int RunSavingCommand(const QString &name, QTextStream &err, const std::function<void()> &parseArguments,
                     const std::function<int()> &save)
{
    try {
        parseArguments();
    } catch (const UserError &e) {
        PrintCliError(err, u"kardolist-cli %1: "_s.arg(name) + e.text() + u"; see --help"_s);
        return 1;
    }
    try {
        RequireRegularFile(SettingsFileName());
        if (!QFileInfo(SettingsFileName()).isFile())
            throw UserError(MissingSettingsMessage());
        return save();
    } catch (const UserError &e) {
        PrintCliError(err, e.text());
        return 1;
    }
}
