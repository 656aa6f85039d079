#pragma once

#include <QByteArrayView>

#include <algorithm>
#include <cstring>

// The lines of a file's bytes up to its first zero byte, one at a time,
// without decoding the whole file first: CR LF, a lone LF or a lone CR end
// a line, and a final line end adds no empty line. TAB, CR and LF are the
// same bytes in Windows-1251, UTF-8 and ASCII.
class ByteLines
{
public:
    explicit ByteLines(QByteArrayView bytes)
    {
        const qsizetype nul = bytes.indexOf('\0');
        m_hasZero = nul >= 0;
        m_all = m_hasZero ? bytes.first(nul) : bytes;
    }

    bool next(QByteArrayView &line)
    {
        const qsizetype n = m_all.size();
        if (m_pos >= n)
            return false;
        // The next CR and the next LF are each looked for once, not byte by byte.
        if (m_nextCr < m_pos)
            m_nextCr = find('\r');
        if (m_nextLf < m_pos)
            m_nextLf = find('\n');
        qsizetype i = std::min(m_nextCr, m_nextLf);
        line = m_all.sliced(m_pos, i - m_pos);
        m_lastEnded = i < n;
        if (i + 1 < n && i == m_nextCr && m_nextLf == i + 1)
            ++i;
        m_pos = std::min(i + 1, n);
        ++m_lines;
        return true;
    }

    // Bytes not yet walked.
    QByteArrayView rest() const { return m_all.sliced(m_pos); }

    // Once next() has given false: the line (from 1) that holds the zero
    // byte the walk stopped at, or 0 when the bytes hold none.
    qsizetype zeroByteLine() const
    {
        if (!m_hasZero || m_pos < m_all.size())
            return 0;
        return m_lastEnded || m_lines == 0 ? m_lines + 1 : m_lines;
    }

private:
    // The offset of the next c from the walk's position, or the end.
    qsizetype find(char c) const
    {
        const char *from = m_all.data() + m_pos;
        const void *found = std::memchr(from, c, size_t(m_all.size() - m_pos));
        return found ? static_cast<const char *>(found) - m_all.data() : m_all.size();
    }

    QByteArrayView m_all;
    qsizetype m_pos = 0;
    qsizetype m_nextCr = -1;
    qsizetype m_nextLf = -1;
    qsizetype m_lines = 0;
    bool m_hasZero = false;
    bool m_lastEnded = true;
};
