#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a JPEG picture with libjpeg itself. A damaged or unreadable
// picture (including one libjpeg would only warn about, such as a
// truncated file) gives a null image; nothing is printed and the process
// is never ended.
class JpegDecoder
{
public:
    // Larger pictures are refused before any pixel memory is taken.
    static constexpr quint64 MaxPixels = 16 * 1024 * 1024;

    static QImage decode(const QByteArray &jpeg);
};
