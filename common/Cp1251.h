#pragma once

#include <QByteArray>
#include <QString>

// Windows-1251, the code page of every file the program reads or writes.
// Holds its own table so that all 256 bytes round-trip (0x98 <-> U+0098).
namespace Cp1251 {

QString decode(QByteArrayView bytes);
QChar *decodeInto(QChar *out, QByteArrayView bytes);  // out holds bytes.size() characters; gives the end
QByteArray encode(QStringView text);          // characters outside the code page become '?'
void appendEncoded(QByteArray &out, QStringView text); // as encode(), appended to out
char *encodeInto(char *out, QStringView text);         // out holds text.size() bytes; gives the end
bool canEncode(QChar c);
bool canEncode(QStringView text);
int code(QChar c);                            // the byte value, or -1 when not encodable
QChar character(unsigned char byte);

} // namespace Cp1251
