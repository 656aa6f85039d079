#include "common/print/Printout.h"

#include <algorithm>

using namespace PrintoutPage;
using namespace Qt::StringLiterals;

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

void PageItems::drawBankDetails(const QString &filialCode, const QString &organisationCode,
                                const QString &organisationName)
{
    draw(kLeft, 400, u"Филиал : "_s + filialCode);
    draw(kLeft, 500, u"Клиент : ["_s + organisationCode + u"] "_s + organisationName);
}

void PageItems::drawRule(int y)
{
    draw(kLeft, y, QString(97, u'-'));
}

void PageItems::drawTableHead(int y, const QString &columnHeader)
{
    drawRule(y);
    draw(kLeft, y + kLineStep, columnHeader);
    drawRule(y + 2 * kLineStep);
}

void PageItems::drawRows(const RowFlow &flow, qint64 rowCount, const std::function<QString(qint64)> &line)
{
    const qint64 end = std::min(flow.firstRowOn(m_page + 1), rowCount);
    for (qint64 row = flow.firstRowOn(m_page); row < end; ++row)
        draw(kLeft, flow.position(row).y, line(row));
}
