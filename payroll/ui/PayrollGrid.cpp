#include "payroll/ui/PayrollGrid.h"

#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollCellDelegate.h"

PayrollGrid::PayrollGrid(QWidget *parent)
    : StringGridView(parent, kRowHeight, PayrollModel::NameColumn)
{
    setItemDelegate(new PayrollCellDelegate(this));
}

void PayrollGrid::setPayrollModel(PayrollModel *model)
{
    m_model = model;
    setGridModel(model);
}
