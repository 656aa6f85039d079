#include "common/print/PrintoutRenderer.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

QFont PrintoutFont()
{
    QFont font(PrintoutPage::fontFamily());
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(PrintoutPage::kFontPointSize * PrintoutPage::kDpi / 72);
    return font;
}

bool RenderPrintout(QPagedPaintDevice &device, const Printout &printout, const QList<int> &pages)
{
    QList<int> order = pages;
    if (order.isEmpty())
        for (int p = 0; p < printout.pageCount; ++p)
            order.append(p);

    // Items are in page order: one index range per page.
    QList<qsizetype> pageStart(printout.pageCount + 1, printout.items.size());
    for (qsizetype i = printout.items.size() - 1; i >= 0; --i)
        pageStart[printout.items[i].page] = i;
    for (int p = printout.pageCount - 1; p >= 0; --p)
        pageStart[p] = std::min(pageStart[p], pageStart[p + 1]);

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
        for (qsizetype i = pageStart[p]; i < pageStart[p + 1]; ++i) {
            const PrintItem &item = printout.items[i];
            painter.drawText(QPointF(item.x, item.y + ascent), item.text);
        }
    }
    painter.end();
    return true;
}

QByteArray RenderPrintoutPdf(const Printout &printout, const QString &title)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(PrintoutPage::kDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Кардолист"));
        if (!RenderPrintout(writer, printout))
            return QByteArray();
    }
    return bytes;
}
