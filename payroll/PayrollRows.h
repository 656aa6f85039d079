#pragma once

#include "common/TextBlocks.h"
#include "payroll/PayrollRow.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <initializer_list>
#include <optional>

// The data rows of a register, held compactly (common/TextBlocks.h): a
// register of a million short rows must fit in a few times its file's size.
// Rows are added and removed at the end only, as the grid does; copies share
// their texts until one of them changes.
class PayrollRows
{
public:
    enum Cell { Name = 0, Card = 1, Amount = 2 };

    PayrollRows() = default;
    PayrollRows(std::initializer_list<PayrollRow> rows);
    PayrollRows(const QList<PayrollRow> &rows); // NOLINT: a list of rows is rows

    qsizetype size() const { return m_texts.size(); }
    bool isEmpty() const { return m_texts.isEmpty(); }

    PayrollRow operator[](qsizetype row) const;
    // A cell's text; the view holds until these rows next change.
    QStringView cell(qsizetype row, Cell cell) const { return m_texts.cell(row, cell); }
    QStringView name(qsizetype row) const { return cell(row, Name); }
    QStringView card(qsizetype row) const { return cell(row, Card); }
    QStringView amount(qsizetype row) const { return cell(row, Amount); }

    void append(QStringView name, QStringView card, QStringView amount) { m_texts.append({name, card, amount}); }
    void append(const PayrollRow &row) { append(row.name, row.card, row.amount); }
    void setCell(qsizetype row, Cell cell, QStringView text) { m_texts.setCell(row, cell, text); }
    // Row `row` takes the texts of row `from`.
    void copyRow(qsizetype from, qsizetype row) { m_texts.replace(row, m_texts.views(from)); }
    void removeLast() { m_texts.removeLast(); }
    void clear() { m_texts.clear(); }
    void reserve(qsizetype rows) { m_texts.reserve(rows); }

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

    QList<PayrollRow> toList() const;

    using const_iterator = RowValueIterator<PayrollRows, PayrollRow>;
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const PayrollRows &a, const PayrollRows &b) { return a.m_texts == b.m_texts; }
    friend bool operator==(const PayrollRows &a, const QList<PayrollRow> &b) { return a == PayrollRows(b); }

private:
    TextBlocks<3, 64> m_texts;
};
