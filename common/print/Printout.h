#pragma once

#include <QList>
#include <QString>

// A printed document as lines of text at fixed positions, in the units of a
// portrait A4 page at 600 dpi. Pure: no painter, no printer.

struct PrintItem
{
    int page = 0;   // from 0
    int x = 0;
    int y = 0;      // top of the text line
    QString text;

    friend bool operator==(const PrintItem &, const PrintItem &) = default;
};

struct Printout
{
    QList<PrintItem> items;   // in page order
    int pageCount = 0;
};

namespace PrintoutPage {
inline constexpr int kWidth = 4960;       // logical units of a portrait A4 page at 600 dpi
inline constexpr int kHeight = 7015;
inline constexpr int kDpi = 600;
inline constexpr int kFontPointSize = 9;
inline QString fontFamily() { return QStringLiteral("Courier New"); }

// Table rows step down by one line; a row that would start at a multiple of
// kPageBreakStep starts the next page at kNextPageTopY instead.
inline constexpr int kLineStep = 100;
inline constexpr int kPageBreakStep = 6200;
inline constexpr int kNextPageTopY = 200;
} // namespace PrintoutPage

// Collects the items page by page.
class PrintoutBuilder
{
public:
    explicit PrintoutBuilder(qsizetype expectedItems = 0);

    void draw(int x, int y, QString text);   // on the current page
    void newPage();
    // The line below y, on the next page when y + one line reaches a
    // page break.
    int lineBelow(int y);
    int page() const { return m_page; }
    Printout take();

private:
    Printout m_printout;
    int m_page = 0;
};
