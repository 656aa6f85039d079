#pragma once

#include <QList>
#include <QString>

#include <functional>

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

// The page count is known up front; a page's items are made only when that
// page is asked for, so a long document never holds more than one page.
struct Printout
{
    int pageCount = 0;
    std::function<QList<PrintItem>(int page)> pageItems;   // in drawing order

    // Every page's items in page order: for small documents and checks.
    QList<PrintItem> items() const;
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

struct PrintPosition
{
    int page = 0;
    int y = 0;
};

// Where the rows of a table stand when the first starts at firstY of page 0
// and each further one a line below, breaking pages as PrintoutPage says.
// Pure arithmetic, so any page can be laid out without the rows before it.
class RowFlow
{
public:
    explicit RowFlow(int firstY);

    // Where row index (from 0) starts; index == the row count gives the line
    // below the last row, on the next page when that row ended one.
    PrintPosition position(qint64 index) const;
    // The first row index that stands on page (the page may hold none).
    qint64 firstRowOn(int page) const;

private:
    int m_firstY;
    int m_rowsOnFirstPage;
};

// One page's items as a table printout draws them, with the pieces every
// printed table shares at the left margin.
class PageItems
{
public:
    static constexpr int kLeft = 350;

    explicit PageItems(int page) : m_page(page) {}

    void draw(int x, int y, QString text) { m_items.append({m_page, x, y, std::move(text)}); }
    // The organisation's bank details as stored: "Филиал : ..." at 400 and
    // "Клиент : [code] name" at 500.
    void drawBankDetails(const QString &filialCode, const QString &organisationCode, const QString &organisationName);
    // A rule of 97 dashes, the table's width.
    void drawRule(int y);
    // A rule, the column header and a rule, a line apart from y down.
    void drawTableHead(int y, const QString &columnHeader);
    // line(row) for each of rowCount rows that flow puts on this page.
    void drawRows(const RowFlow &flow, qint64 rowCount, const std::function<QString(qint64 row)> &line);

    QList<PrintItem> take() { return std::move(m_items); }

private:
    int m_page;
    QList<PrintItem> m_items;
};
