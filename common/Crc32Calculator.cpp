#include "common/Crc32Calculator.h"

#include <zlib.h>

#include <cstring>

void Crc32::update(QByteArrayView bytes)
{
    if (m_pendingSize + bytes.size() > kGathered)
        takePending();
    if (bytes.size() >= kGathered) {
        m_value = quint32(crc32_z(m_value, reinterpret_cast<const Bytef *>(bytes.data()), size_t(bytes.size())));
        return;
    }
    if (!bytes.isEmpty())
        std::memcpy(m_pending + m_pendingSize, bytes.data(), size_t(bytes.size()));
    m_pendingSize += bytes.size();
}

quint32 Crc32::value() const
{
    takePending();
    return m_value;
}

void Crc32::takePending() const
{
    if (m_pendingSize > 0)
        m_value = quint32(crc32_z(m_value, reinterpret_cast<const Bytef *>(m_pending), size_t(m_pendingSize)));
    m_pendingSize = 0;
}

quint32 CalcStringCRC32(QByteArrayView text)
{
    Crc32 crc;
    crc.update(text);
    return crc.value();
}

QString FormatCRC32(quint32 crc)
{
    return QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0')).toUpper();
}

void UpdateCRC32(const void *data, qsizetype length, quint32 &crc)
{
    if (length <= 0)
        return;
    crc = ~quint32(crc32_z(~crc, static_cast<const Bytef *>(data), size_t(length)));
}
