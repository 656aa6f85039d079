#include "about/VersionBlockBuilder.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

struct Node
{
    QString key;
    QByteArray value;
    quint16 valueLength = 0; // in characters for text values, in bytes otherwise
    bool text = false;
    QList<Node> children;
};

void AppendWord(QByteArray &out, quint16 w)
{
    out.append(char(w & 0xFF));
    out.append(char(w >> 8));
}

void AppendDword(QByteArray &out, quint32 d)
{
    AppendWord(out, quint16(d & 0xFFFF));
    AppendWord(out, quint16(d >> 16));
}

void AppendUtf16z(QByteArray &out, const QString &s)
{
    for (QChar c : s)
        AppendWord(out, c.unicode());
    AppendWord(out, 0);
}

// Offsets are aligned relative to the start of the whole block.
void PadTo4(QByteArray &out)
{
    while (out.size() % 4)
        out.append('\0');
}

void Write(QByteArray &out, const Node &node)
{
    PadTo4(out);
    const qsizetype start = out.size();
    AppendWord(out, 0); // wLength, patched below
    AppendWord(out, node.valueLength);
    AppendWord(out, node.text ? 1 : 0);
    AppendUtf16z(out, node.key);
    PadTo4(out);
    out.append(node.value);
    for (const Node &child : node.children)
        Write(out, child);
    const qsizetype length = out.size() - start;
    Q_ASSERT(length <= 0xFFFF);
    out[start] = char(length & 0xFF);
    out[start + 1] = char((length >> 8) & 0xFF);
}

Node TextNode(const QString &key, const QString &text)
{
    QByteArray value;
    AppendUtf16z(value, text);
    return {key, value, quint16(text.size() + 1), true, {}};
}

QByteArray FixedFileInfo(const std::array<quint16, 4> &v)
{
    const quint32 ms = quint32(v[0]) << 16 | v[1];
    const quint32 ls = quint32(v[2]) << 16 | v[3];
    QByteArray out;
    AppendDword(out, 0xFEEF04BD); // dwSignature
    AppendDword(out, 0x00010000); // dwStrucVersion
    AppendDword(out, ms);         // file version
    AppendDword(out, ls);
    AppendDword(out, ms);         // product version
    AppendDword(out, ls);
    AppendDword(out, 0x3F);       // dwFileFlagsMask
    AppendDword(out, 0);          // dwFileFlags
    AppendDword(out, 0x00040004); // dwFileOS: VOS_NT_WINDOWS32
    AppendDword(out, 1);          // dwFileType: VFT_APP
    AppendDword(out, 0);          // dwFileSubtype
    AppendDword(out, 0);          // dwFileDateMS
    AppendDword(out, 0);          // dwFileDateLS
    return out;
}

} // namespace

VersionResource VersionResource::forVersion(const QString &version)
{
    VersionResource r;
    const QStringList parts = version.split(QLatin1Char('.'));
    if (parts.size() <= 4) {
        std::array<quint16, 4> numbers{};
        bool ok = true;
        for (qsizetype i = 0; i < parts.size() && ok; ++i)
            numbers[size_t(i)] = parts[i].toUShort(&ok);
        if (ok)
            r.fileVersion = numbers;
    }
    r.stringTables = {{u"041904E3"_s, {{u"FileVersion"_s, version}, {u"ProductVersion"_s, version}}}};
    r.translations = {0x0419u | (1251u << 16)};
    return r;
}

QByteArray BuildVersionBlock(const VersionResource &resource)
{
    Node root{u"VS_VERSION_INFO"_s, FixedFileInfo(resource.fileVersion), 52, false, {}};

    Node strings{u"StringFileInfo"_s, {}, 0, true, {}};
    for (const VersionResource::StringTable &table : resource.stringTables) {
        Node t{table.key, {}, 0, true, {}};
        for (const auto &[name, text] : table.strings)
            t.children.append(TextNode(name, text));
        strings.children.append(t);
    }
    root.children.append(strings);

    Node vars{u"VarFileInfo"_s, {}, 0, true, {}};
    if (!resource.translations.isEmpty()) {
        QByteArray value;
        for (quint32 t : resource.translations)
            AppendDword(value, t);
        vars.children.append({u"Translation"_s, value, quint16(value.size()), false, {}});
    }
    root.children.append(vars);

    QByteArray out;
    Write(out, root);
    return out;
}
