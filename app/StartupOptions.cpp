#include "app/StartupOptions.h"

#include "common/AtomicFile.h"
#include "common/SystemReason.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QDir>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {

const QString kWorkDirOption = u"--workdir"_s;

std::filesystem::path NativePath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

QString Reason(const std::error_code &error)
{
    return SystemReason(error.value());
}

} // namespace

StartupOptions ParseStartupOptions(const QStringList &arguments)
{
    StartupOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        QString value;
        if (argument == kWorkDirOption) {
            if (i + 1 == arguments.size())
                throw UserError(u"Не указана папка после %1"_s.arg(kWorkDirOption));
            value = arguments[++i];
        } else if (argument.startsWith(kWorkDirOption + u'=')) {
            value = argument.mid(kWorkDirOption.size() + 1);
        } else {
            throw UserError(u"Неизвестный параметр \"%1\". Допустим только %2 с папкой"_s.arg(argument, kWorkDirOption));
        }
        if (value.isEmpty())
            throw UserError(u"Не указана папка после %1"_s.arg(kWorkDirOption));
        options.workDir = value;
    }
    return options;
}

QString ResolveWorkDir(const QString &workDir)
{
    const bool placeholder = workDir.startsWith(kDocumentsPlaceholder)
        && (workDir.size() == kDocumentsPlaceholder.size() || workDir[kDocumentsPlaceholder.size()] == u'/');
    if (!placeholder)
        return workDir;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        throw UserError(u"Не удалось определить папку документов пользователя"_s);
    return documents + workDir.mid(kDocumentsPlaceholder.size());
}

void EnterWorkDir(const StartupOptions &options)
{
    if (options.workDir.isEmpty())
        return;
    const QString dir = ResolveWorkDir(options.workDir);
    const std::filesystem::path path = NativePath(dir);
    QString reason;
    if (!MakeFolder(dir, &reason, FolderParents::Made))
        throw UserError(FolderNotMadeMessage(dir, reason));
    std::error_code error;
    std::filesystem::current_path(path, error);
    if (error)
        throw UserError(u"Не смог перейти в рабочую папку \"%1\". %2"_s.arg(VisiblePath(QDir::toNativeSeparators(dir)), Reason(error)));
}
