#include "payroll/ui/PayrollGrid.h"

#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollCellDelegate.h"

PayrollGrid::PayrollGrid(QWidget *parent)
    : StringGridView(parent, kRowHeight, PayrollModel::NameColumn)
{
    auto *delegate = new PayrollCellDelegate(this);
    setItemDelegate(delegate);
    connect(delegate, &PayrollCellDelegate::inputNoted, this, &PayrollGrid::inputNoted);
}

void PayrollGrid::setPayrollModel(PayrollModel *model)
{
    m_model = model;
    setGridModel(model);
}
