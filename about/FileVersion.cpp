#include "about/FileVersion.h"

#include "about/VersionBlock.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

#ifdef Q_OS_WIN

std::wstring NativePath(const QString &path)
{
    return QFileInfo(path).absoluteFilePath().replace(QLatin1Char('/'), QLatin1Char('\\')).toStdWString();
}

qint64 VersionBlockSize(const QString &path)
{
    DWORD handle = 0;
    return GetFileVersionInfoSizeW(NativePath(path).c_str(), &handle);
}

bool ReadVersionBlock(const QString &path, qint64 size, QByteArray &block)
{
    block.resize(size);
    return GetFileVersionInfoW(NativePath(path).c_str(), 0, DWORD(size), block.data());
}

#else

// A version block is a few hundred bytes; anything far larger is not one.
constexpr quint64 MaxSectionSize = 1 << 20;

struct Span
{
    quint64 offset = 0;
    quint64 size = 0;
};

std::optional<QByteArray> ReadAt(QFile &file, quint64 offset, quint64 size)
{
    const quint64 fileSize = quint64(file.size());
    if (offset > fileSize || size > fileSize - offset || !file.seek(qint64(offset)))
        return std::nullopt;
    QByteArray bytes = file.read(qint64(size));
    if (quint64(bytes.size()) != size)
        return std::nullopt;
    return bytes;
}

class ElfFields
{
public:
    ElfFields(const QByteArray &bytes, bool bigEndian) : m_bytes(bytes), m_big(bigEndian) {}

    quint64 get(qsizetype at, int width) const
    {
        quint64 v = 0;
        for (int i = 0; i < width; ++i) {
            const quint64 b = uchar(m_bytes[at + (m_big ? i : width - 1 - i)]);
            v = v << 8 | b;
        }
        return v;
    }

private:
    const QByteArray &m_bytes;
    bool m_big;
};

// Where the named section's bytes lie in an ELF file.
std::optional<Span> FindElfSection(QFile &file, const char *name)
{
    const std::optional<QByteArray> header = ReadAt(file, 0, 64);
    if (!header || !header->startsWith("\x7F" "ELF"))
        return std::nullopt;
    const char elfClass = header->at(4);
    const char data = header->at(5);
    if ((elfClass != 1 && elfClass != 2) || (data != 1 && data != 2))
        return std::nullopt;
    const bool wide = elfClass == 2;
    const ElfFields h(*header, data == 2);

    const quint64 shoff = wide ? h.get(0x28, 8) : h.get(0x20, 4);
    const quint64 shentsize = wide ? h.get(0x3A, 2) : h.get(0x2E, 2);
    const quint64 shnum = wide ? h.get(0x3C, 2) : h.get(0x30, 2);
    const quint64 shstrndx = wide ? h.get(0x3E, 2) : h.get(0x32, 2);
    const quint64 entryMin = wide ? 64 : 40;
    if (shnum == 0 || shentsize < entryMin || shstrndx >= shnum)
        return std::nullopt;

    const std::optional<QByteArray> table = ReadAt(file, shoff, shnum * shentsize);
    if (!table)
        return std::nullopt;
    const ElfFields t(*table, data == 2);
    auto section = [&](quint64 i) {
        const qsizetype at = qsizetype(i * shentsize);
        struct { quint64 name, type, offset, size; } s{
            t.get(at, 4), t.get(at + 4, 4),
            wide ? t.get(at + 24, 8) : t.get(at + 16, 4),
            wide ? t.get(at + 32, 8) : t.get(at + 20, 4)};
        return s;
    };

    constexpr quint64 NoBits = 8; // SHT_NOBITS: no bytes in the file
    const auto strings = section(shstrndx);
    if (strings.type == NoBits || strings.size > MaxSectionSize)
        return std::nullopt;
    const std::optional<QByteArray> names = ReadAt(file, strings.offset, strings.size);
    if (!names)
        return std::nullopt;

    const qsizetype nameLength = qsizetype(std::strlen(name));
    for (quint64 i = 0; i < shnum; ++i) {
        const auto s = section(i);
        if (s.type == NoBits || s.name >= quint64(names->size()))
            continue;
        const qsizetype at = qsizetype(s.name);
        if (names->size() - at > nameLength && names->at(at + nameLength) == '\0'
            && std::memcmp(names->constData() + at, name, size_t(nameLength)) == 0) {
            return Span{s.offset, s.size};
        }
    }
    return std::nullopt;
}

std::optional<Span> FindVersionSection(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return FindElfSection(file, VersionSectionName);
}

qint64 VersionBlockSize(const QString &path)
{
    const std::optional<Span> s = FindVersionSection(path);
    return s && s->size <= MaxSectionSize ? qint64(s->size) : 0;
}

bool ReadVersionBlock(const QString &path, qint64 size, QByteArray &block)
{
    const std::optional<Span> s = FindVersionSection(path);
    if (!s || qint64(s->size) != size)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const std::optional<QByteArray> bytes = ReadAt(file, s->offset, s->size);
    if (!bytes)
        return false;
    block = *bytes;
    return true;
}

#endif

} // namespace

QString FileVersionFromBlock(const QByteArray &block)
{
    const VersionBlock info(block);
    QString key;
    if (const auto translation = info.query(u"\\VarFileInfo\\Translation"); translation && translation->bytes.size() >= 4) {
        const QByteArray &b = translation->bytes;
        const quint32 language = uchar(b[0]) | uchar(b[1]) << 8;
        const quint32 codePage = uchar(b[2]) | uchar(b[3]) << 8;
        key = u"%1"_s.arg(language << 16 | codePage, 8, 16, QLatin1Char('0')).toUpper();
    }
    const auto version = info.query(QString(u"\\StringFileInfo\\"_s + key + u"\\FileVersion"_s));
    return version ? version->toText() : QString();
}

QString ReadFileVersion(const QString &path)
{
    QString result;
    const qint64 size = VersionBlockSize(path);
    QByteArray block;
    if (size == 0 || !ReadVersionBlock(path, size, block))
        return result;
    result = FileVersionFromBlock(block);
    return result;
}
