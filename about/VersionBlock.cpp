#include "about/VersionBlock.h"

#include <QList>

namespace {

constexpr qsizetype HeaderSize = 6; // wLength, wValueLength, wType

qsizetype AlignTo4(qsizetype offset)
{
    return (offset + 3) & ~qsizetype(3);
}

// One node, located but not yet interpreted further.
struct Node
{
    qsizetype end = 0;           // one past its last byte
    QString key;
    qsizetype valueOffset = 0;
    qsizetype valueSize = 0;     // in bytes, cut to the node
    bool text = false;
    qsizetype childrenOffset = 0;
};

class Reader
{
public:
    explicit Reader(const QByteArray &data) : m_data(data) {}

    quint16 word(qsizetype at) const
    {
        return quint16(uchar(m_data[at]) | uchar(m_data[at + 1]) << 8);
    }

    // The node starting at `at`, which must lie wholly before `limit`.
    std::optional<Node> node(qsizetype at, qsizetype limit) const
    {
        if (at < 0 || at + HeaderSize > limit)
            return std::nullopt;
        const qsizetype length = word(at);
        if (length < HeaderSize || at + length > limit)
            return std::nullopt;
        Node n;
        n.end = at + length;
        const quint16 valueLength = word(at + 2);
        n.text = word(at + 4) == 1;

        qsizetype p = at + HeaderSize;
        for (;; p += 2) {
            if (p + 2 > n.end)
                return std::nullopt; // key without its terminating zero
            const quint16 c = word(p);
            if (c == 0)
                break;
            n.key.append(QChar(c));
        }
        n.valueOffset = qMin(AlignTo4(p + 2), n.end);
        const qsizetype wanted = n.text ? qsizetype(valueLength) * 2 : qsizetype(valueLength);
        n.valueSize = qMin(wanted, n.end - n.valueOffset);
        n.childrenOffset = AlignTo4(n.valueOffset + n.valueSize);
        return n;
    }

    std::optional<Node> child(const Node &parent, QStringView key) const
    {
        qsizetype at = parent.childrenOffset;
        while (at + HeaderSize <= parent.end) {
            const std::optional<Node> c = node(at, parent.end);
            if (!c)
                return std::nullopt;
            if (QStringView(c->key).compare(key, Qt::CaseInsensitive) == 0)
                return c;
            at = AlignTo4(c->end);
        }
        return std::nullopt;
    }

private:
    const QByteArray &m_data;
};

} // namespace

QString VersionBlock::Value::toText() const
{
    QString out;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const quint16 c = quint16(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8);
        if (c == 0)
            break;
        out.append(QChar(c));
    }
    return out;
}

std::optional<VersionBlock::Value> VersionBlock::query(QStringView path) const
{
    const Reader reader(m_data);
    std::optional<Node> current = reader.node(0, m_data.size());
    if (!current)
        return std::nullopt;

    if (path.startsWith(QLatin1Char('\\')))
        path = path.mid(1);
    if (!path.isEmpty()) {
        for (QStringView key : path.split(QLatin1Char('\\'))) {
            // An empty step names no node.
            if (key.isEmpty())
                return std::nullopt;
            current = reader.child(*current, key);
            if (!current)
                return std::nullopt;
        }
    }
    return Value{m_data.mid(current->valueOffset, current->valueSize), current->text};
}
