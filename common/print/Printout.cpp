#include "common/print/Printout.h"

using namespace PrintoutPage;

namespace {

constexpr int kRowsPerPage = (kPageBreakStep - kNextPageTopY) / kLineStep;

} // namespace

QList<PrintItem> Printout::items() const
{
    QList<PrintItem> all;
    for (int p = 0; p < pageCount; ++p)
        all += pageItems(p);
    return all;
}

RowFlow::RowFlow(int firstY)
    : m_firstY(firstY), m_rowsOnFirstPage((kPageBreakStep - firstY) / kLineStep)
{
    Q_ASSERT(firstY % kLineStep == 0 && firstY > 0 && firstY < kPageBreakStep);
}

PrintPosition RowFlow::position(qint64 index) const
{
    if (index < m_rowsOnFirstPage)
        return {0, m_firstY + int(index) * kLineStep};
    const qint64 further = index - m_rowsOnFirstPage;
    return {int(1 + further / kRowsPerPage), kNextPageTopY + int(further % kRowsPerPage) * kLineStep};
}

qint64 RowFlow::firstRowOn(int page) const
{
    return page <= 0 ? 0 : m_rowsOnFirstPage + qint64(page - 1) * kRowsPerPage;
}
