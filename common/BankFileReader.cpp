#include "common/BankFileReader.h"

#include "common/Cp1251.h"
#include "common/FieldSplitter.h"
#include "common/RegularFile.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QFile>

using namespace Qt::StringLiterals;

QString BankFileReader::sizeMessage(const QString &path)
{
    return u"Файл \"%1\" больше %2 МБ и не может быть открыт"_s.arg(VisiblePath(path)).arg(kMaxFileSize / (1024 * 1024));
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
    : m_lines(bytes)
{
    if (!nextLine(m_header) || !firstLineCheck(m_header))
        throw UserError(badFormat);
}

bool BankFileReader::nextLine(QString &line)
{
    QByteArrayView bytes;
    if (!m_lines.next(bytes))
        return false;
    line = Cp1251::decode(bytes);
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
    // Cut only up to the field asked for: a line of millions of TABs costs no list.
    QList<QStringView> fields;
    if (SplitFieldViews(line, fields, index + 1) <= index)
        return {};
    return fields[index];
}

bool BankFileReader::isTrailer(QStringView line)
{
    return line == u"T" || line.startsWith(u"T\t");
}

QByteArray ReadBankFileBytes(const QString &path)
{
    return BankFileReader::readFile(path, [&path](const QFile &file) {
        return QStringLiteral("Cannot open file \"%1\". %2").arg(VisiblePath(path), file.errorString());
    });
}
