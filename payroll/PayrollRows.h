#pragma once

#include "common/TextRows.h"
#include "payroll/PayrollRow.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

// The data rows of a register, held compactly (common/TextRows.h): a
// register of a million short rows must fit in a few times its file's size.
class PayrollRows : public TextRows<PayrollRows, PayrollRow, 3, 64>
{
public:
    enum Cell { Name = 0, Card = 1, Amount = 2 };

    using TextRows::TextRows;
    using TextRows::append;

    QStringView name(qsizetype row) const { return cell(row, Name); }
    QStringView card(qsizetype row) const { return cell(row, Card); }
    QStringView amount(qsizetype row) const { return cell(row, Amount); }

    static CellViews viewsOf(const PayrollRow &row) { return {row.name, row.card, row.amount}; }
    static PayrollRow valueOf(const CellViews &cells)
    {
        return {cells[Name].toString(), cells[Card].toString(), cells[Amount].toString()};
    }

    void append(QStringView name, QStringView card, QStringView amount) { append(CellViews{name, card, amount}); }
    // Row `row` takes the texts of row `from`.
    void copyRow(qsizetype from, qsizetype row) { replace(row, views(from)); }

    // Gives the new amount text of each row from first to last, or nothing
    // to keep it; a block is rewritten once, not once per row. When
    // newAmount throws, the rows before the throwing one keep their new texts.
    void rewriteAmounts(qsizetype first, qsizetype last,
                        const std::function<std::optional<QString>(qsizetype row, QStringView amount)> &newAmount)
    {
        m_texts.rewriteColumn(Amount, first, last, newAmount);
    }

    // As rewriteAmounts, newAmount appending the new text to out and telling
    // whether it did.
    template<typename Rewrite>
    void rewriteAmountsInto(qsizetype first, qsizetype last, Rewrite &&newAmount)
    {
        m_texts.rewriteColumnInto(Amount, first, last, std::forward<Rewrite>(newAmount));
    }

    // Calls f(row, name, card, amount) for each row, first to last, until
    // f gives false; faster than a cell at a time.
    template<typename F>
    void forEachRow(F &&f) const
    {
        m_texts.forEachRow(0, size() - 1, [&f](qsizetype row, const auto &cells) {
            return f(row, cells[Name], cells[Card], cells[Amount]);
        });
    }
};
