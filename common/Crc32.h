#pragma once

#include <QByteArrayView>

// A running CRC-32 (the reflected CRC of zlib, PNG and Ethernet) over the
// Windows-1251 bytes that go into a file, taken piece by piece.
class Crc32
{
public:
    void update(QByteArrayView bytes);
    quint32 value() const { return m_value; }

private:
    quint32 m_value = 0;
};
