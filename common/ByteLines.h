#pragma once

#include <QByteArrayView>

#include <algorithm>

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
        m_rest = m_hasZero ? bytes.first(nul) : bytes;
    }

    bool next(QByteArrayView &line)
    {
        if (m_rest.isEmpty())
            return false;
        qsizetype i = 0;
        const qsizetype n = m_rest.size();
        while (i < n && m_rest[i] != '\r' && m_rest[i] != '\n')
            ++i;
        line = m_rest.first(i);
        m_lastEnded = i < n;
        if (i + 1 < n && m_rest[i] == '\r' && m_rest[i + 1] == '\n')
            ++i;
        m_rest = m_rest.sliced(std::min(i + 1, n));
        ++m_lines;
        return true;
    }

    // Bytes not yet walked.
    QByteArrayView rest() const { return m_rest; }

    // Once next() has given false: the line (from 1) that holds the zero
    // byte the walk stopped at, or 0 when the bytes hold none.
    qsizetype zeroByteLine() const
    {
        if (!m_hasZero || !m_rest.isEmpty())
            return 0;
        return m_lastEnded || m_lines == 0 ? m_lines + 1 : m_lines;
    }

private:
    QByteArrayView m_rest;
    qsizetype m_lines = 0;
    bool m_hasZero = false;
    bool m_lastEnded = true;
};
