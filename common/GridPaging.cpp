#include "common/GridPaging.h"

#include <algorithm>

int GridPaging::pagePosition(int row) const
{
    if (row <= 0)
        return 0; // a negative position counts as 0
    int pages = row / rowsPerPage;
    const int rest = row % rowsPerPage;
    if (rounding == Rounding::Nearest && (rest * 2 > rowsPerPage || (rest * 2 == rowsPerPage && pages % 2 == 1)))
        ++pages;
    return pages * pageHeight();
}

GridPaging::Move GridPaging::pageDown(int currentRow, int rowCount) const
{
    int r = currentRow;
    while (r % rowsPerPage != 0 && r < rowCount - 2)
        ++r;
    const int pageTop = r;
    if (r < rowCount - 1)
        ++r;
    return {r, pageTop, pagePosition(r)};
}

GridPaging::Move GridPaging::pageUp(int currentRow, int rowCount) const
{
    int r = currentRow;
    if (r > rowsPerPage)
        r -= rowsPerPage;
    while (r % rowsPerPage != 0 && r > 1)
        --r;
    return {std::min(r + 1, rowCount - 1), r, pagePosition(r)};
}

GridPaging::Scroll GridPaging::scrollForSelection(int row, int pageTopRow) const
{
    Scroll s{pageTopRow, std::nullopt};
    if (row % rowsPerPage == 0) {
        s.position = row / rowsPerPage * pageHeight();
        s.pageTopRow = row;
    }
    if (row < s.pageTopRow) {
        while (s.pageTopRow > row)
            s.pageTopRow -= rowsPerPage;
        s.position = pagePosition(s.pageTopRow);
    }
    return s;
}
