#pragma once

#include "common/Crc32.h"

#include <QByteArray>
#include <QString>

// The CRC of the whole text.
quint32 CalcStringCRC32(QByteArrayView text);

// Eight upper-case hexadecimal digits, leading zeros kept.
QString FormatCRC32(quint32 crc);

// A register that starts at 0xFFFFFFFF and is inverted at the end, taken
// over length bytes; prefer Crc32.
void UpdateCRC32(const void *data, qsizetype length, quint32 &crc);
