#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Every removal or replacement of characters goes through ReplaceAll:
// left to right, without overlap, never rescanning what it inserted.
QString ReplaceAll(const QString &text, const QString &what, const QString &with);

// n as ten decimal digits with leading zeros: the line number field of the bank files.
QString FormatLineNumber(qint64 n);

// The fields of a line split at every separator, empty fields included.
QStringList SplitFields(QStringView line, QChar separator = QLatin1Char('\t'));

// Lines of a text one at a time, as views into the text: CR LF, a lone LF
// or a lone CR end a line; a final line end adds no empty line; a zero
// character ends the text.
class LineSplitter
{
public:
    explicit LineSplitter(QStringView text);
    bool next(QStringView &line);

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

// Messages quote at most this many characters of an offending text.
inline constexpr qsizetype kExcerptLength = 100;

// The text as a message quotes it: whole when short, else its first
// kExcerptLength characters and "…", so that a 10 MB cell makes no 10 MB message.
QString Excerpt(QStringView text, qsizetype limit = kExcerptLength);

// Text for a terminal: control characters other than line feed and TAB
// (ESC, CR, DEL, the C1 range) shown as visible escapes such as "\x1b",
// so that a file's content can neither retitle nor clear the terminal.
QString VisibleControls(QStringView text);
// A file's name as a message shows it: on one line, every control character
// (line feed and TAB too) as such an escape.
QString VisiblePath(QStringView path);

// The general error display appends a full stop when the text's last character
// sorts after "." in character code order.
QString WithFullStop(const QString &text);
