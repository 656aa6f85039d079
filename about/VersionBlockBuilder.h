#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <utility>

// What a version block carries: the fixed file info, the string tables
// ("041904E3" -> "FileVersion" = "1.0.0.0") and the translation entries
// (language in the low 16 bits, code page in the high 16 bits).
struct VersionResource
{
    struct StringTable
    {
        QString key;
        QList<std::pair<QString, QString>> strings;
    };

    std::array<quint16, 4> fileVersion{};
    QList<StringTable> stringTables;
    QList<quint32> translations;

    // The usual resource: translation 0x0419 / 1251, table "041904E3" with
    // "FileVersion" and "ProductVersion". An unreadable version gives 0.0.0.0
    // in the fixed info; the text is kept as given.
    static VersionResource forVersion(const QString &version);
};

// Lays a resource out as a Windows VS_VERSIONINFO block: nodes of
// wLength / wValueLength / wType, UTF-16LE keys, values and children on
// 32-bit boundaries, VS_FIXEDFILEINFO as the root's value.
QByteArray BuildVersionBlock(const VersionResource &resource);
