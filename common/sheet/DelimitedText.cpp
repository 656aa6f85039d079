#include "common/sheet/DelimitedText.h"

#include "common/Cp1251.h"

#include <QStringDecoder>

namespace {

QString UpToZero(QString text)
{
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

bool IsAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool IsLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

bool IsBlankRecord(const QStringList &fields)
{
    for (const QString &field : fields)
        for (QChar c : field)
            if (c != u' ' && c != u'\t')
                return false;
    return true;
}

} // namespace

DecodedText DecodeTableText(QByteArrayView bytes)
{
    const auto decoded = [&](QStringConverter::Encoding encoding, qsizetype skip, TextEncoding kind) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
        return DecodedText{UpToZero(decoder(bytes.sliced(skip))), kind};
    };
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decoded(QStringConverter::Utf8, 3, TextEncoding::Utf8Bom);
    if (bytes.startsWith("\xFF\xFE"))
        return decoded(QStringConverter::Utf16LE, 2, TextEncoding::Utf16Le);
    if (bytes.startsWith("\xFE\xFF"))
        return decoded(QStringConverter::Utf16BE, 2, TextEncoding::Utf16Be);
    const qsizetype zero = bytes.indexOf('\0');
    const QByteArrayView text = zero >= 0 ? bytes.first(zero) : bytes;
    if (!IsAscii(text)) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString decoded = utf8(text);
        if (!utf8.hasError())
            return {decoded, TextEncoding::Utf8};
    }
    return {Cp1251::decode(text), TextEncoding::Windows1251};
}

QChar DetectSeparator(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        bool quoted = false;
        bool tab = false, semicolon = false, comma = false, blank = true;
        for (; i < n && (quoted || !IsLineEnd(text[i])); ++i) {
            const QChar c = text[i];
            if (c == u'"')
                quoted = !quoted;
            else if (!quoted && c == u'\t')
                tab = true;
            else if (!quoted && c == u';')
                semicolon = true;
            else if (!quoted && c == u',')
                comma = true;
            if (c != u' ' && c != u'\t')
                blank = false;
        }
        ++i;
        if (blank)
            continue;
        return tab ? QChar(u'\t') : semicolon ? QChar(u';') : comma ? QChar(u',') : QChar(u'\t');
    }
    return QChar(u'\t');
}

QList<DelimitedRecord> SplitDelimited(QStringView text, QChar separator)
{
    QList<DelimitedRecord> records;
    const qsizetype n = text.size();
    qsizetype i = 0;
    int row = 0;
    QString field;
    while (i < n) {
        ++row;
        QStringList fields;
        for (;;) {
            field.clear();
            if (i < n && text[i] == u'"') {
                ++i;
                for (; i < n; ++i) {
                    if (text[i] == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            field += u'"';
                            ++i;
                        } else {
                            ++i;
                            break;
                        }
                    } else {
                        field += text[i];
                    }
                }
            }
            // Unquoted text, or what follows a closing quote, runs to the separator.
            const qsizetype start = i;
            while (i < n && text[i] != separator && !IsLineEnd(text[i]))
                ++i;
            field += text.sliced(start, i - start);
            fields.append(field);
            if (i < n && text[i] == separator) {
                ++i;
                continue;
            }
            break;
        }
        if (i < n && text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        ++i;
        if (!IsBlankRecord(fields))
            records.append({row, fields});
    }
    return records;
}
