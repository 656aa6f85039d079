#include "common/BankFileReader.h"

#include "common/Cp1251.h"
#include "common/RegularFile.h"
#include "common/UserError.h"

#include <QFile>

using namespace Qt::StringLiterals;

QString BankFileReader::sizeMessage(const QString &path)
{
    return u"Файл \"%1\" больше %2 МБ и не может быть открыт"_s.arg(path).arg(kMaxFileSize / (1024 * 1024));
}

QByteArray BankFileReader::readFile(const QString &path, const std::function<QString(const QFile &)> &cannotOpen)
{
    RequireRegularFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(cannotOpen(file));
    if (file.size() > kMaxFileSize)
        throw UserError(sizeMessage(path));
    // read(n) reserves n bytes before it reads: ask for the size found plus
    // one, and only when that byte came (the file grew, or it has no size)
    // for the rest up to the limit.
    const qint64 expected = file.size();
    QByteArray bytes = file.read(expected + 1);
    if (bytes.size() > expected)
        bytes += file.read(kMaxFileSize + 1 - bytes.size());
    if (bytes.size() > kMaxFileSize)
        throw UserError(sizeMessage(path));
    if (file.error() != QFileDevice::NoError)
        throw UserError(cannotOpen(file));
    return bytes;
}

BankFileReader::BankFileReader(QByteArrayView bytes, const std::function<bool(QStringView)> &firstLineCheck,
                               const QString &badFormat)
{
    const qsizetype nul = bytes.indexOf('\0');
    m_rest = nul >= 0 ? bytes.first(nul) : bytes;
    if (!nextLine(m_header) || !firstLineCheck(m_header))
        throw UserError(badFormat);
}

// CR, LF and the other ASCII bytes are the same in Windows-1251.
bool BankFileReader::nextLine(QString &line)
{
    const qsizetype n = m_rest.size();
    if (n == 0)
        return false;
    qsizetype i = 0;
    while (i < n && m_rest[i] != '\r' && m_rest[i] != '\n')
        ++i;
    line = Cp1251::decode(m_rest.first(i));
    if (i + 1 < n && m_rest[i] == '\r' && m_rest[i + 1] == '\n')
        ++i;
    m_rest = m_rest.sliced(std::min(i + 1, n));
    return true;
}

bool BankFileReader::nextDetail(QStringView &line)
{
    if (!m_hasPending && !nextLine(m_pending))
        return false;
    m_hasPending = false;
    m_line = std::move(m_pending);
    const bool more = nextLine(m_pending);
    if (!more && isTrailer(m_line)) {
        m_trailer = std::move(m_line);
        return false;
    }
    line = m_line;
    m_hasPending = more;
    return true;
}

QStringView BankFileReader::field(QStringView line, int index)
{
    qsizetype start = 0;
    for (int k = 0; k < index; ++k) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'), start);
        if (tab < 0)
            return {};
        start = tab + 1;
    }
    const qsizetype tab = line.indexOf(QLatin1Char('\t'), start);
    return tab < 0 ? line.mid(start) : line.mid(start, tab - start);
}

bool BankFileReader::isTrailer(QStringView line)
{
    return line == u"T" || line.startsWith(u"T\t");
}

QByteArray ReadBankFileBytes(const QString &path)
{
    return BankFileReader::readFile(path, [&path](const QFile &file) {
        return QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString());
    });
}
