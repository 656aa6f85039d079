#include "payroll/PayrollSheetLayout.h"

using namespace Qt::StringLiterals;

TableLayout PayrollTableLayout()
{
    TableLayout layout;
    layout.fieldCount = 3;
    layout.cardField = 1;
    layout.amountField = 2;
    return layout;
}

QStringList PayrollFieldNames()
{
    return {u"ФИО"_s, u"Номер карты"_s, u"Сумма"_s};
}
