#include "common/RecoveryBytes.h"

#include <algorithm>

void RecoveryBytesWriter::putNumber(quint64 value)
{
    char out[10];
    int n = 0;
    do {
        const char low = char(value & 0x7F);
        value >>= 7;
        out[n++] = value ? char(low | 0x80) : low;
    } while (value);
    m_bytes.append(out, n);
}

void RecoveryBytesWriter::putText(QStringView text)
{
    qsizetype length = 0;
    for (const QChar c : text)
        length += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
    putNumber(quint64(length));
    const qsizetype start = m_bytes.size();
    if (m_bytes.capacity() < start + length)
        m_bytes.reserve(std::max(start + length, 2 * m_bytes.capacity()));
    m_bytes.resize(start + length);
    auto *out = reinterpret_cast<uchar *>(m_bytes.data() + start);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            *out++ = uchar(u);
        } else if (u < 0x800) {
            *out++ = uchar(0xC0 | (u >> 6));
            *out++ = uchar(0x80 | (u & 0x3F));
        } else {
            *out++ = uchar(0xE0 | (u >> 12));
            *out++ = uchar(0x80 | ((u >> 6) & 0x3F));
            *out++ = uchar(0x80 | (u & 0x3F));
        }
    }
}

bool RecoveryBytesReader::getNumber(quint64 &value)
{
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (m_at == m_bytes.size())
            return false;
        const uchar b = uchar(m_bytes[m_at++]);
        value |= quint64(b & 0x7F) << shift;
        if (!(b & 0x80))
            return true;
    }
    return false;
}

bool RecoveryBytesReader::getText(QString &text)
{
    quint64 length = 0;
    if (!getNumber(length) || length > quint64(m_bytes.size() - m_at))
        return false;
    const auto *in = reinterpret_cast<const uchar *>(m_bytes.data() + m_at);
    const uchar *end = in + length;
    text.resize(qsizetype(length)); // at least as many bytes as units
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    char16_t *const first = out;
    while (in < end) {
        const uchar b = *in++;
        if (b < 0x80) {
            *out++ = b;
        } else if ((b & 0xE0) == 0xC0) {
            if (in == end || (*in & 0xC0) != 0x80)
                return false;
            *out++ = char16_t((b & 0x1F) << 6 | (*in++ & 0x3F));
        } else if ((b & 0xF0) == 0xE0) {
            if (end - in < 2 || (in[0] & 0xC0) != 0x80 || (in[1] & 0xC0) != 0x80)
                return false;
            *out++ = char16_t((b & 0x0F) << 12 | (in[0] & 0x3F) << 6 | (in[1] & 0x3F));
            in += 2;
        } else {
            return false;
        }
    }
    text.truncate(out - first);
    m_at += qsizetype(length);
    return true;
}
