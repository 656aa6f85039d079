#include "common/RecoveryStore.h"

#include "common/AtomicFile.h"
#include "common/Crc32Calculator.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 kMagic = 0x4B4C5243; // "KLRC"
constexpr quint16 kVersion = 1;
constexpr qsizetype kHeaderSize = 4 + 2 + 8 + 4;

QString CanonicalFolder(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QByteArray Header(const QByteArray &body)
{
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out << kMagic << kVersion << quint64(body.size()) << CalcStringCRC32(body);
    return header;
}

} // namespace

RecoveryStore::RecoveryStore(QString kind, const QString &workingFolder)
    : m_kind(std::move(kind))
{
    const QByteArray hash =
        QCryptographicHash::hash(CanonicalFolder(workingFolder).toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    m_path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/recovery/"_s + m_kind + u'-'
             + QString::fromLatin1(hash) + u".copy"_s;
}

bool RecoveryStore::exists() const
{
    return QFileInfo::exists(m_path);
}

bool RecoveryStore::write(const QByteArray &body, QString *errorString) const
{
    if (!QDir().mkpath(QFileInfo(m_path).path())) {
        if (errorString)
            *errorString = u"Не удалось создать папку %1"_s.arg(QDir::toNativeSeparators(QFileInfo(m_path).path()));
        return false;
    }
    const QByteArray header = Header(body);
    return WriteFileAtomically(
        m_path, [&](QIODevice &file) { return WriteAll(file, header) && WriteAll(file, body); }, errorString);
}

RecoveryStore::Read RecoveryStore::read() const
{
    QFile file(m_path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {Read::State::SetAside, {}, setAside()};
    QDataStream in(file.read(kHeaderSize));
    quint32 magic = 0;
    quint16 version = 0;
    quint64 size = 0;
    quint32 crc = 0;
    in >> magic >> version >> size >> crc;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion
        || size != quint64(file.size() - kHeaderSize))
        return {Read::State::SetAside, {}, setAside()};
    QByteArray body = file.readAll();
    file.close();
    if (body.size() != qsizetype(size) || CalcStringCRC32(body) != crc)
        return {Read::State::SetAside, {}, setAside()};
    return {Read::State::Found, std::move(body), {}};
}

QString RecoveryStore::setAside() const
{
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    QString aside = m_path + u".unreadable-"_s + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = m_path + u".unreadable-"_s + stamp + u'-' + QString::number(n);
    if (!QFile::rename(m_path, aside))
        return u"Копия несохранённых данных не читается и осталась в %1"_s.arg(QDir::toNativeSeparators(m_path));
    return u"Копия несохранённых данных не читается, она отложена в %1"_s.arg(QDir::toNativeSeparators(aside));
}

bool RecoveryStore::remove() const
{
    return QFile::remove(m_path) || !exists();
}

QString RecoveryWriteFailedText(const QString &reason)
{
    return u"Не удалось записать копию несохранённых данных: %1"_s.arg(reason);
}
