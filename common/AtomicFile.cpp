#include "common/AtomicFile.h"

#include "common/SystemReason.h"
#include "common/TextRoutines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

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

constexpr int kRandomLength = 6;

// Why a path is not written: a write would follow a link to wherever it
// points, or replace a FIFO or device.
QString NotWritableReason(const QFileInfo &info)
{
    if (info.isSymLink())
        return u"\"%1\" — символическая ссылка, запись через неё не делается"_s.arg(VisiblePath(info.filePath()));
    if (info.isDir())
        return SystemReason(EISDIR);
    if (info.exists() && !info.isFile())
        return u"\"%1\" — канал или устройство, а не файл: запись на его место не делается"_s.arg(VisiblePath(info.filePath()));
    return {};
}

enum class Match { Exact, Prefix };

void RemoveStale(const QString &folder, const QString &prefix, Match match);

// ".NAME.XXXXXX", hidden and outside every "NAME*"-style filter, for the
// file NAME or (Prefix) any file whose name starts with it.
bool IsTemporaryName(QStringView name, QStringView prefix, Match match)
{
    const qsizetype size = 1 + prefix.size() + 1 + kRandomLength;
    if (name.size() < size || (match == Match::Exact && name.size() != size) || !name.startsWith(u'.')
        || !name.sliced(1).startsWith(prefix))
        return false;
    const QStringView tail = name.last(kRandomLength + 1);
    return tail.front() == u'.'
            && std::all_of(tail.begin() + 1, tail.end(), [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 128; });
}

QString RandomTail()
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString tail(kRandomLength, Qt::Uninitialized);
    for (QChar &c : tail)
        c = QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))]);
    return u'.' + tail;
}

// The temporary file beside the target, locked while it is written so that
// no other save takes it for a stale one. Removed unless published.
class TemporaryFile
{
public:
    explicit TemporaryFile(const QString &target)
    {
        const QFileInfo info(target);
        const QString stem = info.dir().filePath(u'.' + info.fileName());
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_name = QFile::encodeName(stem + RandomTail());
            // The umask applies to 0666, as it would to a new file of the target's name.
            m_fd = ::open(m_name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (m_fd >= 0 || errno != EEXIST)
                break;
        }
        if (m_fd < 0) {
            m_error = errno;
            return;
        }
        ::flock(m_fd, LOCK_EX);
        // A replaced file keeps its permissions.
        struct stat st = {};
        if (::stat(QFile::encodeName(target).constData(), &st) == 0)
            ::fchmod(m_fd, st.st_mode & 07777);
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0) {
            if (!m_published)
                ::unlink(m_name.constData());
            ::close(m_fd);
        }
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int error() const { return m_error; }

    // Writes through write; false with the reason set when it or the final sync failed.
    bool write(const std::function<bool(QIODevice &)> &write, QString *reason)
    {
        QFile file;
        // Unbuffered: a short write (disk full) fails at once.
        if (!file.open(m_fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)) {
            *reason = SystemReason(file.errorString());
            return false;
        }
        if (!write(file)) {
            *reason = file.error() == QFileDevice::NoError ? QString() : SystemReason(file.errorString());
            return false;
        }
        // A failure the file system only reports at the sync (a full disk over NFS).
        if (::fdatasync(m_fd) != 0) {
            *reason = SystemReason(errno);
            return false;
        }
        return true;
    }

    // Renames the temporary file over the target.
    bool replace(const QByteArray &target)
    {
        m_published = ::rename(m_name.constData(), target.constData()) == 0;
        m_error = m_published ? 0 : errno;
        return m_published;
    }

    // Gives the temporary file the target's name only while that name is free.
    bool claim(const QByteArray &target)
    {
        m_published = ::renameat2(AT_FDCWD, m_name.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0;
        m_error = m_published ? 0 : errno;
        if (m_published || (m_error != EINVAL && m_error != ENOSYS && m_error != EOPNOTSUPP))
            return m_published;
        // A file system without the exclusive rename: a hard link is just as exclusive.
        if (::link(m_name.constData(), target.constData()) == 0) {
            ::unlink(m_name.constData());
            m_published = true;
            m_error = 0;
            return true;
        }
        m_error = errno;
        if (m_error != EPERM && m_error != EOPNOTSUPP && m_error != ENOSYS)
            return false;
        // Nor hard links: claim the name with an empty file that the rename then replaces.
        const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0) {
            m_error = errno;
            return false;
        }
        ::close(fd);
        if (!replace(target)) {
            ::unlink(target.constData());
            return false;
        }
        return true;
    }

private:
    QByteArray m_name;
    int m_fd = -1;
    int m_error = 0;
    bool m_published = false;
};

void SetReason(QString *errorString, const QString &reason)
{
    if (errorString)
        *errorString = reason;
}

} // namespace

bool WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write, QString *errorString)
{
    const QFileInfo info(path);
    if (const QString reason = NotWritableReason(info); !reason.isEmpty()) {
        SetReason(errorString, reason);
        return false;
    }
    RemoveStale(info.path(), info.fileName(), Match::Exact);
    TemporaryFile temporary(path);
    if (!temporary.isOpen()) {
        SetReason(errorString, SystemReason(temporary.error()));
        return false;
    }
    QString reason;
    if (!temporary.write(write, &reason)) {
        SetReason(errorString, reason);
        return false;
    }
    if (!temporary.replace(QFile::encodeName(path))) {
        SetReason(errorString, SystemReason(temporary.error()));
        return false;
    }
    return true;
}

NewFileResult WriteNewFile(const QString &path, const std::function<bool(QIODevice &)> &write, QString *errorString)
{
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return NewFileResult::NameTaken;
    TemporaryFile temporary(path);
    if (!temporary.isOpen()) {
        SetReason(errorString, SystemReason(temporary.error()));
        return NewFileResult::Failed;
    }
    QString reason;
    if (!temporary.write(write, &reason)) {
        SetReason(errorString, reason);
        return NewFileResult::Failed;
    }
    if (!temporary.claim(QFile::encodeName(path))) {
        if (temporary.error() == EEXIST)
            return NewFileResult::NameTaken;
        SetReason(errorString, SystemReason(temporary.error()));
        return NewFileResult::Failed;
    }
    return NewFileResult::Written;
}

namespace {

void RemoveStale(const QString &folder, const QString &prefix, Match match)
{
    const QDir dir(folder);
    const QStringList names =
            dir.entryList({u'.' + prefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names) {
        if (!IsTemporaryName(name, prefix, match))
            continue;
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened = {};
        struct stat named = {};
        // A save that still runs holds its lock; the name must still be the file opened.
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && ::lstat(path.constData(), &named) == 0 && named.st_dev == opened.st_dev
            && named.st_ino == opened.st_ino)
            ::unlink(path.constData());
        ::close(fd);
    }
}

} // namespace

void RemoveStaleTemporaries(const QString &folder, const QString &prefix)
{
    RemoveStale(folder, prefix, Match::Prefix);
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
    SetReason(errorString, error.category() == std::system_category() || error.category() == std::generic_category()
                                   ? SystemReason(error.value())
                                   : QString::fromLocal8Bit(error.message()));
    return false;
}

QString FolderNotMadeMessage(const QString &path, const QString &reason)
{
    return u"Не могу создать папку \"%1\". %2"_s.arg(VisiblePath(QDir::toNativeSeparators(path)), reason);
}
