#include "payroll/ui/PayrollStatusPanels.h"

#include "common/Money.h"

#include <QLabel>
#include <QStatusBar>

using namespace Qt::StringLiterals;

namespace {

const QString kTotalPrefix = u"Общая сумма : "_s;

QLabel *AddPanel(QStatusBar *statusBar, const QString &name, int width, const QString &text)
{
    auto *panel = new QLabel(text, statusBar);
    panel->setObjectName(name);
    panel->setFixedWidth(width);
    statusBar->addWidget(panel);
    return panel;
}

} // namespace

PayrollStatusPanels::PayrollStatusPanels(QStatusBar *statusBar, QLabel *overallSumma)
    : m_statusBar(statusBar)
    , m_overallSumma(overallSumma)
    , m_rowCount(AddPanel(statusBar, u"StatusPanel0"_s, 600, u"Всего строк:1"_s))
    , m_total(AddPanel(statusBar, u"StatusPanel1"_s, 250, u"Общая сумма :0"_s))
{
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar->setFont(QFont(u"Arial"_s, 10, QFont::Bold));
    overallSumma->setText(kTotalPrefix + Money().toDisplay());
}

void PayrollStatusPanels::showRowCount(int rows)
{
    m_rowCount->setText(u"Всего записей :"_s + QString::number(rows));
}

void PayrollStatusPanels::showTotal(const Money &total)
{
    const QString text = kTotalPrefix + total.toDisplay();
    m_total->setText(text);
    m_overallSumma->setText(text);
}

void PayrollStatusPanels::showNote(const QString &note)
{
    m_statusBar->showMessage(note, 15000);
}
