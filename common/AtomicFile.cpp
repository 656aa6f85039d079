#include "common/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

bool WriteAll(QIODevice &device, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *errorString)
{
    return WriteFileAtomically(path, [&bytes](QIODevice &file) { return WriteAll(file, bytes); }, errorString);
}

namespace {

// Why a path is not written: a write would follow a link to wherever it
// points, or replace a FIFO or device (a folder the writer refuses itself).
QString NotWritableReason(const QFileInfo &info)
{
    if (info.isSymLink())
        return QStringLiteral("\"%1\" — символическая ссылка, запись через неё не делается").arg(info.filePath());
    if (info.exists() && !info.isFile() && !info.isDir())
        return QStringLiteral("\"%1\" — канал или устройство, а не файл: запись на его место не делается")
                .arg(info.filePath());
    return {};
}

} // namespace

bool WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write, QString *errorString)
{
    if (const QString reason = NotWritableReason(QFileInfo(path)); !reason.isEmpty()) {
        if (errorString)
            *errorString = reason;
        return false;
    }
    QSaveFile file(path);
    // Unbuffered: a short write (disk full) then fails at once; a buffered
    // one would be cut at commit and still reported as done.
    const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && write(file) && file.commit();
    if (!ok) {
        if (errorString)
            *errorString = file.errorString();
        file.cancelWriting();
    }
    return ok;
}

bool MakeFolder(const QString &path, QString *errorString, FolderParents parents)
{
    // QDir::mkdir gives no reason; the standard library keeps the system's.
    std::error_code error;
    const std::filesystem::path folder(path.toStdU16String());
    if (parents == FolderParents::Made)
        std::filesystem::create_directories(folder, error);
    else
        std::filesystem::create_directory(folder, error);
    if (!error)
        return true;
    if (errorString)
        *errorString = QString::fromLocal8Bit(error.message());
    return false;
}

QString FolderNotMadeMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Не могу создать папку \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}
