#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

// The reflected CRC-32 of zlib, PNG and Ethernet (polynomial 0xEDB88320),
// over the Windows-1251 bytes that go into a file.
namespace Crc32 {

using Table = std::array<quint32, 256>;
extern const Table kTable;

} // namespace Crc32

// Updates the register over length bytes; a length of 0 throws UserError.
void UpdateCRC32(const void *data, qsizetype length, quint32 &crc, const Crc32::Table &table = Crc32::kTable);

// The CRC of the whole text.
quint32 CalcStringCRC32(QByteArrayView text);

// Eight upper-case hexadecimal digits, leading zeros kept.
QString FormatCRC32(quint32 crc);
