#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// Reads a block in the layout of a Windows version resource and answers
// queries by path, as the OS version API does: "\" is the root's fixed file
// info, "\VarFileInfo\Translation" the translation entries,
// "\StringFileInfo\041904E3\FileVersion" a string. Keys compare without
// regard to case. A damaged block answers nothing; it never reads outside
// the bytes it was given.
class VersionBlock
{
public:
    struct Value
    {
        QByteArray bytes;
        bool text = false;

        // A text value up to its terminating zero.
        QString toText() const;
    };

    explicit VersionBlock(QByteArray data) : m_data(std::move(data)) {}

    std::optional<Value> query(QStringView path) const;

private:
    QByteArray m_data;
};
