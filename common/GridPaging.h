#pragma once

#include <optional>

// Where a grid that grows inside a scrolling box scrolls to: pages of a
// fixed number of rows, counted on the rows' default height even after
// rows were resized. Row 0 is the header row.
struct GridPaging
{
    // How a row between two page starts maps to a position: to the nearest
    // page start (halves to the even page), or down to the page it is on.
    enum class Rounding { Nearest, Down };

    int rowsPerPage;
    int pixelsPerRow;
    Rounding rounding;

    constexpr int pageHeight() const { return rowsPerPage * pixelsPerRow; }
    // The viewport position of the page that row starts; never negative.
    int pagePosition(int row) const;

    // Where Page Down and Page Up take the current row, the row recorded as
    // the page's top, and the viewport position. rowCount counts the header row.
    struct Move
    {
        int row;
        int pageTopRow;
        int position;
        friend bool operator==(const Move &, const Move &) = default;
    };
    Move pageDown(int currentRow, int rowCount) const;
    Move pageUp(int currentRow, int rowCount) const;

    // What selecting a row does: a row on a page start scrolls to that page
    // and becomes the page's top; a row above the top moves the top up a
    // page at a time until it is no longer below the row.
    struct Scroll
    {
        int pageTopRow;
        std::optional<int> position;
    };
    Scroll scrollForSelection(int row, int pageTopRow) const;
};
