#include "payroll/PayrollRows.h"

PayrollRows::PayrollRows(std::initializer_list<PayrollRow> rows)
{
    reserve(qsizetype(rows.size()));
    for (const PayrollRow &row : rows)
        append(row);
}

PayrollRows::PayrollRows(const QList<PayrollRow> &rows)
{
    reserve(rows.size());
    for (const PayrollRow &row : rows)
        append(row);
}

PayrollRow PayrollRows::operator[](qsizetype row) const
{
    return {name(row).toString(), card(row).toString(), amount(row).toString()};
}

QList<PayrollRow> PayrollRows::toList() const
{
    QList<PayrollRow> list;
    list.reserve(size());
    for (const PayrollRow &row : *this)
        list.append(row);
    return list;
}
