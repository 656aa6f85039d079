#pragma once

#include <optional>

// The payroll grid scrolls inside its viewport in pages of 20 rows of 26
// pixels, counted on those default heights even after rows were resized.
namespace GridPage {
constexpr int kRows = 20;
constexpr int kPixels = 520;
} // namespace GridPage

// round(row / 20) * 520, halves to the even neighbour; never negative.
int PagePosition(int row);

// Where Page Down and Page Up take the current row, the row recorded as the
// page's top, and the viewport position. rowCount counts the header row.
struct PageMove
{
    int row;
    int pageTopRow;
    int position;
    friend bool operator==(const PageMove &, const PageMove &) = default;
};
PageMove PageDownMove(int currentRow, int rowCount);
PageMove PageUpMove(int currentRow, int rowCount);

// What selecting a row does to the viewport: the page's top row afterwards,
// and the position to scroll to, if any.
struct SelectionScroll
{
    int pageTopRow;
    std::optional<int> position;
};
SelectionScroll ScrollForSelection(int row, int pageTopRow);
