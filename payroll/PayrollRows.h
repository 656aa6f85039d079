#pragma once

#include "payroll/PayrollRow.h"

#include <QList>
#include <QSharedDataPointer>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <vector>

// The data rows of a register, held compactly: a register of a million short
// rows must fit in a few times its file's size, which three strings per row
// do not. Each block of rows keeps its cell texts in one string, with the end
// of every cell. Rows are added and removed at the end only, as the grid
// does; copies share their blocks until one of them changes.
class PayrollRows
{
public:
    enum Cell { Name = 0, Card = 1, Amount = 2 };

    PayrollRows();
    PayrollRows(std::initializer_list<PayrollRow> rows);
    PayrollRows(const QList<PayrollRow> &rows); // NOLINT: a list of rows is rows


    qsizetype size() const { return d->count; }
    bool isEmpty() const { return d->count == 0; }

    PayrollRow operator[](qsizetype row) const;
    // A cell's text; the view holds until these rows next change.
    QStringView cell(qsizetype row, Cell cell) const;
    QStringView name(qsizetype row) const { return cell(row, Name); }
    QStringView card(qsizetype row) const { return cell(row, Card); }
    QStringView amount(qsizetype row) const { return cell(row, Amount); }

    void append(QStringView name, QStringView card, QStringView amount);
    void append(const PayrollRow &row) { append(row.name, row.card, row.amount); }
    void setCell(qsizetype row, Cell cell, QStringView text);
    void setRow(qsizetype row, const PayrollRow &texts);
    void removeLast();
    void clear();
    // Room for this many rows' bookkeeping; the texts grow as they come.
    void reserve(qsizetype rows);

    // Gives the new amount text of each row from first to last, or nothing
    // to keep it; a block is rewritten once, not once per row. When
    // newAmount throws, the rows before the throwing one keep their new texts.
    void rewriteAmounts(qsizetype first, qsizetype last,
                        const std::function<std::optional<QString>(qsizetype row, QStringView amount)> &newAmount);

    QList<PayrollRow> toList() const;

    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = PayrollRow;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = PayrollRow;

        const_iterator() = default;
        const_iterator(const PayrollRows *rows, qsizetype row) : m_rows(rows), m_row(row) {}
        PayrollRow operator*() const { return (*m_rows)[m_row]; }
        const_iterator &operator++() { ++m_row; return *this; }
        const_iterator operator++(int) { const_iterator was = *this; ++m_row; return was; }
        friend bool operator==(const const_iterator &a, const const_iterator &b) { return a.m_row == b.m_row; }

    private:
        const PayrollRows *m_rows = nullptr;
        qsizetype m_row = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const PayrollRows &a, const PayrollRows &b);
    friend bool operator==(const PayrollRows &a, const QList<PayrollRow> &b) { return a == PayrollRows(b); }

private:
    static constexpr int kBlockRows = 64;
    static constexpr int kCells = 3;

    struct Block
    {
        QString text;
        // The end of each cell in text, row by row: cell k of row r ends at
        // ends[r * kCells + k] and starts where the one before it ends.
        std::array<quint32, kBlockRows * kCells> ends;
        int rows = 0;

        qsizetype cellStart(int k) const { return k == 0 ? 0 : ends[k - 1]; }
    };
    struct Data : QSharedData
    {
        std::vector<Block> blocks;
        qsizetype count = 0;
    };

    QSharedDataPointer<Data> d;
};
