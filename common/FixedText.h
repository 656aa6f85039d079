#pragma once

#include <QString>

#include <string_view>

// A user-facing text that never changes, written where it is declared and
// called like the function that makes it: TableNotFilledMessage(). The
// QString shares the literal; nothing is copied.
class FixedText
{
public:
    constexpr explicit FixedText(std::u16string_view text) : m_text(text) {}

    QString operator()() const
    {
        return QString::fromRawData(reinterpret_cast<const QChar *>(m_text.data()), qsizetype(m_text.size()));
    }

private:
    std::u16string_view m_text;
};
