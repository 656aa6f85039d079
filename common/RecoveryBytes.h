#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The compact body of a recovery copy: whole numbers as variable-length
// integers, texts as their length and each UTF-16 unit in one to three
// bytes (as UTF-8 writes it), so any text, a lone surrogate too, comes back
// exactly and a mostly Latin or Cyrillic document costs about its size.
class RecoveryBytesWriter
{
public:
    void reserve(qsizetype bytes) { m_bytes.reserve(bytes); }
    void putNumber(quint64 value);
    void putText(QStringView text);
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

// Reads what RecoveryBytesWriter wrote; every get fails, rather than reads
// past the end, on bytes that are cut short or were never written so.
class RecoveryBytesReader
{
public:
    explicit RecoveryBytesReader(QByteArrayView bytes) : m_bytes(bytes) {}

    bool getNumber(quint64 &value);
    bool getText(QString &text);
    bool atEnd() const { return m_at == m_bytes.size(); }
    qsizetype remaining() const { return m_bytes.size() - m_at; }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};
