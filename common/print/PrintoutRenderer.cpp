#include "common/print/PrintoutRenderer.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

QFont PrintoutFont()
{
    QFont font(PrintoutPage::fontFamily());
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(PrintoutPage::kFontPointSize * PrintoutPage::kDpi / 72);
    return font;
}

bool RenderPrintout(QPagedPaintDevice &device, const Printout &printout, const QList<int> &pages,
                    const std::function<bool(int, int)> &pageStarting)
{
    QList<int> order = pages;
    if (order.isEmpty())
        for (int p = 0; p < printout.pageCount; ++p)
            order.append(p);

    QPainter painter;
    if (!painter.begin(&device))
        return false;

    // The painter's origin is the printable area's corner; fit the layout
    // onto the whole sheet, keeping its proportions.
    const int dpi = device.logicalDpiX();
    const QPageLayout layout = device.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    const qreal scale = std::min(qreal(full.width()) / PrintoutPage::kWidth, qreal(full.height()) / PrintoutPage::kHeight);

    const QFont font = PrintoutFont();
    const qreal ascent = QFontMetricsF(font).ascent();

    for (qsizetype n = 0; n < order.size(); ++n) {
        if (pageStarting && !pageStarting(int(n), int(order.size())))
            break;
        if (n > 0)
            device.newPage();
        painter.resetTransform();
        painter.translate(-paint.left(), -paint.top());
        painter.scale(scale, scale);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const int p = order[n];
        if (p < 0 || p >= printout.pageCount)
            continue;
        for (const PrintItem &item : printout.pageItems(p))
            painter.drawText(QPointF(item.x, item.y + ascent), item.text);
    }
    painter.end();
    return true;
}

bool RenderPrintoutPdf(QIODevice &device, const Printout &printout, const QString &title)
{
    QPdfWriter writer(&device);
    writer.setResolution(PrintoutPage::kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Кардолист"));
    return RenderPrintout(writer, printout);
}

QByteArray RenderPrintoutPdf(const Printout &printout, const QString &title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!RenderPrintoutPdf(buffer, printout, title))
        return QByteArray();
    return bytes;
}

bool SavePrintoutPdf(const QString &path, const Printout &printout, const QString &title, QString *errorString)
{
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok && !RenderPrintoutPdf(file, printout, title)) {
        file.cancelWriting();
        if (errorString)
            *errorString = QString();
        return false;
    }
    // The explicit flush catches a failed write of the last buffered bytes,
    // which commit would not see.
    ok = ok && file.flush() && file.commit();
    if (!ok) {
        if (errorString)
            *errorString = file.errorString();
        file.cancelWriting();
    }
    return ok;
}
