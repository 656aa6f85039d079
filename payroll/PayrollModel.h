#pragma once

#include "common/Money.h"
#include "common/model/MarkedTableModel.h"
#include "payroll/PayrollAmounts.h"
#include "payroll/PayrollRows.h"

#include <QList>

#include <limits>
#include <optional>
#include <set>
#include <vector>

// What a paste of rows did: the cells it changed, or why it changed nothing.
struct PayrollPaste
{
    int firstRow = 0;
    int lastRow = -1;              // none changed when below firstRow
    int rowsAdded = 0;
    QString replaced;              // letters given their usual spelling, each once
    // The refusal: the grid's row and column, the character.
    int refusedRow = -1;
    int refusedColumn = -1;
    QString refused;

    bool accepted() const { return refused.isEmpty(); }
};

// The payroll grid: rows 0 .. rowCount() - 1, always at least one. Column 0
// shows the row's number, counted from 1; columns 1-3 hold the full name,
// card number and amount. The column titles come from headerData.
//
// A cell selection runs formatAmounts, sumAmounts and checkCardNumbers, so
// their inputs are kept per changed cell: the rows whose amount may not be in
// display form yet, the running total, and the rows with a bad amount or card.
class PayrollModel : public MarkedTableModel
{
    Q_OBJECT
public:
    enum Column { NumberColumn = 0, NameColumn = 1, CardColumn = 2, AmountColumn = 3 };
    static constexpr int kColumnCount = 4;
    static constexpr int kMaxTypedCardLength = 28;

    explicit PayrollModel(QObject *parent = nullptr);

    static QString headerText(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int lastRow() const { return int(m_rows.size()) - 1; }
    // The text of a cell, the number column included.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);

    // The rows, first to last.
    const PayrollRows &rows() const { return m_rows; }
    // Replaces every row; no rows leave one empty row.
    void setRows(PayrollRows rows);

    // Appends an empty row and gives its index.
    int addRow();
    // The last row takes the deleted row's place; the only row is emptied.
    void deleteRow(int row);
    // One empty row.
    void clearRows();

    // Every amount in display form, an empty one as "0.00". Throws UserError
    // with the conversion message at the first amount that is not a number;
    // rows above it are rewritten, rows below are not.
    void formatAmounts();
    // The total; nullopt when an amount is not a number or the total is out of range.
    std::optional<Money> sumAmounts() const;
    // The rows whose card number holds anything but the digits 0-9, ascending.
    QList<int> checkCardNumbers() const;
    bool isBadCard(int row) const { return m_badCards.count(row) != 0; }
    // The first row whose amount is not a number; -1 when none.
    int firstBadAmountRow() const { return m_badAmounts.empty() ? -1 : *m_badAmounts.begin(); }

    // Whether a character typed into a cell is taken.
    bool acceptsTyped(int row, int column, QChar c) const;

private:
    QStringView text(int row, PayrollRows::Cell cell) const { return m_rows.cell(row, cell); }
    void forget(int row);   // drops a row's share of the caches
    void remember(int row); // adds it back from its current texts
    void rebuildCaches();
    void emitRowChanged(int first, int last);
    bool isUnformatted(int row) const { return m_unformatted[row] != 0; }
    void markUnformatted(int row);
    void markFormatted(int row);

    PayrollRows m_rows;
    // Per row: amount text possibly not in display form. A flag per row
    // rather than a set, so that a load of 100k rows marks them without a
    // node each; the count and the lowest and highest candidate rows keep
    // the formatting after a single edit from walking the whole register.
    std::vector<unsigned char> m_unformatted;
    int m_unformattedCount = 0;
    int m_firstUnformatted = std::numeric_limits<int>::max();
    int m_lastUnformatted = -1;
    std::set<int> m_badAmounts;    // amount text that is not a number
    std::set<int> m_badCards;
    RegisterTotal m_total;         // of the amounts that are numbers

public:
    // The register's warnings (PayrollRows columns), marked in the grid: the
    // cell tinted and bold with the text as its tooltip; the number cell
    // stands for the row. Rows whose marks change are repainted.
    void setWarnings(QList<Warning> warnings);

protected:
    QString columnTitle(int column) const override { return headerText(column); }

public:
    // Rows copied from a spreadsheet, put into the cells from (row, column)
    // right and down, adding rows as needed. Each cell's text replaces the
    // cell's as if typed into it, after the letters Windows-1251 lacks take
    // their usual spelling; in a card blanks are dropped, in an amount blanks
    // too and a comma is the point. A character a cell refuses refuses the
    // whole paste: nothing is changed then.
    PayrollPaste pasteRows(int row, int column, const QList<QStringList> &cells);
};
