#include "common/Crc32Calculator.h"

#include <zlib.h>

void Crc32::update(QByteArrayView bytes)
{
    if (!bytes.isEmpty())
        m_value = quint32(crc32_z(m_value, reinterpret_cast<const Bytef *>(bytes.data()), size_t(bytes.size())));
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
