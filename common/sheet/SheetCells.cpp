#include "common/sheet/SheetCells.h"

#include "common/Digits.h"
#include "common/Money.h"

#include <charconv>
#include <cmath>

using namespace Qt::StringLiterals;

QString NumberCellText(double value)
{
    if (value == 0)
        return u"0"_s; // also -0
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return {};
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

bool NumberLostDigits(QStringView numberText)
{
    qsizetype digits = 0;
    for (QChar c : numberText) {
        if (c == u'.')
            break;
        if (IsAsciiDigit(c))
            ++digits;
    }
    return digits > 15;
}

QString SerialDateText(double serial, QDate origin)
{
    if (!std::isfinite(serial) || serial < 0 || serial > 3'000'000)
        return {};
    qint64 days = qint64(std::floor(serial));
    // The 1900 date system counts a 29 February 1900 that never was.
    if (origin == QDate(1899, 12, 30) && days < 61 && days > 0)
        ++days;
    const QDate date = origin.addDays(days);
    return date.isValid() ? date.toString(u"dd.MM.yyyy"_s) : QString();
}

QString IsoDateText(std::string_view iso)
{
    const QDate date = QDate::fromString(QString::fromLatin1(iso.substr(0, 10)), u"yyyy-MM-dd"_s);
    return date.isValid() ? date.toString(u"dd.MM.yyyy"_s) : QString();
}

bool IsDateFormatCode(std::string_view code)
{
    bool day = false, month = false, year = false, time = false;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            const size_t end = code.find('"', i + 1);
            if (end == std::string_view::npos)
                break;
            i = end;
        } else if (c == '[') {
            const size_t end = code.find(']', i + 1);
            if (end == std::string_view::npos)
                break;
            // [h], [mm], [ss]: elapsed time; anything else in brackets is a colour or a locale.
            const std::string_view inside = code.substr(i + 1, end - i - 1);
            if (!inside.empty() && inside.find_first_not_of("hHmMsS") == std::string_view::npos)
                time = true;
            i = end;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == ';') {
            break; // the first section decides
        } else {
            switch (c | 0x20) {
            case 'd': day = true; break;
            case 'y': year = true; break;
            case 'm': month = true; break;
            case 'h': case 's': time = true; break;
            default: break;
            }
        }
    }
    return day || year || (month && !time);
}

bool IsBuiltinDateFormat(int id)
{
    return (id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

QString ColumnLetters(int column)
{
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

bool IsAmountText(QStringView text)
{
    QString plain = text.toString();
    plain.replace(u',', u'.');
    Money::ParseError error = Money::ParseError::None;
    return Money::parseAmountText(plain, &error) || error == Money::ParseError::OutOfRange;
}

bool IsDateText(QStringView text)
{
    text = text.trimmed();
    int parts[3] = {0, 0, 0};
    int widths[3] = {0, 0, 0};
    int part = 0;
    QChar separator;
    for (QChar c : text) {
        if (IsAsciiDigit(c)) {
            if (++widths[part] > 4)
                return false;
            parts[part] = parts[part] * 10 + (c.unicode() - u'0');
        } else if ((c == u'.' || c == u'/' || c == u'-') && part < 2 && widths[part] > 0
                   && (separator.isNull() || c == separator)) {
            separator = c;
            ++part;
        } else {
            return false;
        }
    }
    return part == 2 && widths[0] <= 2 && widths[1] <= 2 && (widths[2] == 2 || widths[2] == 4)
        && parts[0] >= 1 && parts[0] <= 31 && parts[1] >= 1 && parts[1] <= 12;
}
