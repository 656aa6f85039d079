#include "CliRun.h"

#include <QDir>
#include <QProcess>

using namespace Qt::StringLiterals;

CliRun RunCli(const QStringList &args, bool withoutSession)
{
    QProcess p;
    p.setWorkingDirectory(QDir::currentPath());
    if (withoutSession) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"XDG_RUNTIME_DIR"_s);
        p.setProcessEnvironment(env);
    }
    p.start(QStringLiteral(KARDOLIST_BINARY_DIR "/cli/kardolist-cli"), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
