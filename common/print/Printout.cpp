#include "common/print/Printout.h"

#include <utility>

PrintoutBuilder::PrintoutBuilder(qsizetype expectedItems)
{
    m_printout.items.reserve(expectedItems);
}

void PrintoutBuilder::draw(int x, int y, QString text)
{
    m_printout.items.append({m_page, x, y, std::move(text)});
}

void PrintoutBuilder::newPage()
{
    ++m_page;
}

int PrintoutBuilder::lineBelow(int y)
{
    y += PrintoutPage::kLineStep;
    if (y % PrintoutPage::kPageBreakStep != 0)
        return y;
    newPage();
    return PrintoutPage::kNextPageTopY;
}

Printout PrintoutBuilder::take()
{
    m_printout.pageCount = m_page + 1;
    m_page = 0;
    return std::exchange(m_printout, Printout());
}
