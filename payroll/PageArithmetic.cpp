#include "payroll/PageArithmetic.h"

#include <algorithm>

using namespace GridPage;

int PagePosition(int row)
{
    if (row <= 0)
        return 0; // a negative position counts as 0
    int pages = row / kRows;
    const int rest = row % kRows;
    if (rest * 2 > kRows || (rest * 2 == kRows && pages % 2 == 1))
        ++pages;
    return pages * kPixels;
}

PageMove PageDownMove(int currentRow, int rowCount)
{
    int r = currentRow;
    while (r % kRows != 0 && r < rowCount - 2)
        ++r;
    const int pageTop = r;
    if (r < rowCount - 1)
        ++r;
    return {r, pageTop, PagePosition(r)};
}

PageMove PageUpMove(int currentRow, int rowCount)
{
    int r = currentRow;
    if (r > kRows)
        r -= kRows;
    while (r % kRows != 0 && r > 1)
        --r;
    return {std::min(r + 1, rowCount - 1), r, PagePosition(r)};
}

SelectionScroll ScrollForSelection(int row, int pageTopRow)
{
    SelectionScroll s{pageTopRow, std::nullopt};
    if (row % kRows == 0) {
        s.position = row / kRows * kPixels;
        s.pageTopRow = row;
    }
    if (row < s.pageTopRow) {
        while (s.pageTopRow > row)
            s.pageTopRow -= kRows;
        s.position = PagePosition(s.pageTopRow);
    }
    return s;
}
