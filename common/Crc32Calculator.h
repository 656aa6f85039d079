#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

// The reflected CRC-32 of zlib, PNG and Ethernet (polynomial 0xEDB88320),
// over the Windows-1251 bytes that go into a file.
namespace Crc32 {

using Table = std::array<quint32, 256>;
extern const Table kTable;
constexpr quint32 kTableSelfTest = 0x6FCF9E13;

// Reports the self-test failure to the user; the windows install one.
using Reporter = std::function<void(const QString &)>;
void setReporter(Reporter reporter);

} // namespace Crc32

// Updates the register over length bytes; a length of 0 throws UserError.
void UpdateCRC32(const void *data, qsizetype length, quint32 &crc, const Crc32::Table &table = Crc32::kTable);

// Writes the CRC of text into crc. When the table fails its self-test the
// message is reported and crc is left untouched; returns false then.
bool CalcStringCRC32(const QByteArray &text, quint32 &crc, const Crc32::Table &table = Crc32::kTable);

// The CRC of several parts taken as one string, without joining them: what
// CalcStringCRC32 gives for their concatenation. The self-test runs once.
class Crc32Builder
{
public:
    Crc32Builder();
    void add(QByteArrayView bytes);
    // As CalcStringCRC32: false, and crc untouched, after a failed self-test.
    bool result(quint32 &crc) const;

private:
    bool m_tableOk;
    quint32 m_register = 0xFFFFFFFF;
};

// Eight upper-case hexadecimal digits, leading zeros kept.
QString FormatCRC32(quint32 crc);
