#include "common/BankFileWriter.h"

#include "common/Cp1251.h"
#include "common/Crc32Calculator.h"

#include <algorithm>
#include <cstring>

BankFileWriter::BankFileWriter(qsizetype capacity)
    : m_bytes(std::max<qsizetype>(capacity, 64), Qt::Uninitialized)
    , m_end(m_bytes.data())
    , m_limit(m_end + m_bytes.size())
    , m_lineStart(m_end)
{
}

BankFileWriter::BankFileWriter(QIODevice &sink, qsizetype chunk)
    : BankFileWriter(chunk + 4096)
{
    m_sink = &sink;
    m_chunk = chunk;
}

QString BankFileWriter::tooLargeMessage(qint64 size)
{
    constexpr double kMiB = 1024.0 * 1024.0;
    return QStringLiteral("Файл не сохранён: он занял бы %1 МБ, а программа открывает файлы не больше %2 МБ. "
                          "Разделите документ на несколько")
            .arg(QString::number(size / kMiB, 'f', 1))
            .arg(BankFileReader::kMaxFileSize / (1024 * 1024));
}

void BankFileWriter::grow(qsizetype bytes)
{
    const qsizetype used = size();
    const qsizetype lineOffset = m_lineStart - m_bytes.constData();
    m_bytes.resize(std::max(m_bytes.size() * 2, used + bytes));
    m_end = m_bytes.data() + used;
    m_limit = m_bytes.data() + m_bytes.size();
    m_lineStart = m_bytes.constData() + lineOffset;
}

void BankFileWriter::field(QStringView text)
{
    reserveMore(text.size() + 1);
    m_end = Cp1251::encodeInto(m_end, text);
    *m_end++ = '\t';
}

void BankFileWriter::fieldWithoutBlanks(QStringView text)
{
    reserveMore(text.size() + 1);
    const QChar *from = text.begin();
    for (const QChar *c = from;; ++c) {
        if (c == text.end() || *c == QLatin1Char(' ')) {
            m_end = Cp1251::encodeInto(m_end, QStringView(from, c));
            if (c == text.end())
                break;
            from = c + 1;
        }
    }
    *m_end++ = '\t';
}

void BankFileWriter::lineNumberField(qint64 number)
{
    reserveMore(kLineNumberSize + 1);
    if (number != m_nextLineNumber) {
        qint64 rest = number;
        for (qsizetype i = kLineNumberSize - 1; i >= 0; --i, rest /= 10)
            m_nextLineDigits[i] = char('0' + rest % 10);
    }
    std::memcpy(m_end, m_nextLineDigits, kLineNumberSize);
    m_end[kLineNumberSize] = '\t';
    m_end += kLineNumberSize + 1;
    // Numbers mostly follow one another: the next one's digits are ready then.
    m_nextLineNumber = number + 1;
    for (qsizetype i = kLineNumberSize - 1; i >= 0 && ++m_nextLineDigits[i] > '9'; --i)
        m_nextLineDigits[i] = '0';
}

void BankFileWriter::endLine()
{
    m_crc.update(QByteArrayView(m_lineStart, m_end - m_lineStart));
    lineDone();
}

void BankFileWriter::lineDone()
{
    reserveMore(2);
    *m_end++ = '\r';
    *m_end++ = '\n';
    m_lineStart = m_end;
    if (m_sink && size() >= m_chunk)
        flush();
}

void BankFileWriter::flush()
{
    const char *data = m_bytes.constData();
    for (qsizetype done = 0; !m_failed && done < size();) {
        const qint64 n = m_sink->write(data + done, size() - done);
        if (n <= 0)
            m_failed = true;
        done += n;
    }
    m_end = m_bytes.data();
    m_lineStart = m_end;
}

bool BankFileWriter::finish()
{
    if (m_sink)
        flush();
    return !m_failed;
}

void BankFileWriter::trailer(qint64 number)
{
    const quint32 sum = crc();
    field(u"T");
    lineNumberField(number);
    field(FormatCRC32(sum));
    lineDone();
}

quint32 BankFileWriter::crc() const
{
    return m_crc.value();
}

QByteArray BankFileWriter::take()
{
    m_bytes.truncate(size());
    m_end = m_limit = nullptr;
    m_lineStart = nullptr;
    return std::move(m_bytes);
}
