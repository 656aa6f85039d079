#pragma once

#include <QByteArrayView>

// A running CRC-32 (the reflected CRC of zlib, PNG and Ethernet) over the
// Windows-1251 bytes that go into a file, taken piece by piece. Short
// pieces (a line each) are gathered first: libdeflate's crc32 is fast on a
// few kilobytes at once and slow call by call on a few dozen bytes.
class Crc32
{
public:
    void update(QByteArrayView bytes);
    quint32 value() const;

private:
    static constexpr qsizetype kGathered = 8192;
    void takePending() const;

    mutable quint32 m_value = 0;
    mutable qsizetype m_pendingSize = 0;
    mutable char m_pending[kGathered];
};
