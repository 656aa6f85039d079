#pragma once

#include "common/ui/StringGridView.h"

class PayrollModel;

// mainGrid: the string grid over a payroll model, rows of 26 pixels (24 and
// the grid line), with the payroll cell delegate. Column 0 holds the row numbers.
class PayrollGrid : public StringGridView
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 26;

    explicit PayrollGrid(QWidget *parent = nullptr);

    void setPayrollModel(PayrollModel *model);
    PayrollModel *payrollModel() const { return m_model; }

signals:
    // A typed or pasted character was refused or replaced, and why.
    void inputNoted(const QString &note);

private:
    PayrollModel *m_model = nullptr;
};
