#include "common/Crc32Calculator.h"

#include <libdeflate.h>

#include <cstring>

void Crc32::update(QByteArrayView bytes)
{
    if (m_pendingSize + bytes.size() > kGathered)
        takePending();
    if (bytes.size() >= kGathered) {
        m_value = libdeflate_crc32(m_value, bytes.data(), size_t(bytes.size()));
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
        m_value = libdeflate_crc32(m_value, m_pending, size_t(m_pendingSize));
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
    crc = ~libdeflate_crc32(~crc, data, size_t(length));
}
