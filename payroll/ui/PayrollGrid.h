#pragma once

#include "payroll/PayrollChecks.h"

#include "common/ui/StringGridView.h"
#include "payroll/PayrollRows.h"

#include <functional>

class PayrollModel;
class QScrollArea;

// mainGrid: the string grid over a payroll model, rows of 26 pixels (24 and
// the grid line), with the payroll cell delegate. Column 0 holds the row
// numbers and is never selected. The grid owns its keys: Home, End and the
// page keys with the paging of its scrolling box, Tab on from an amount
// into the next row's name (from the last row's, a new row), and the
// characters each column takes.
class PayrollGrid : public StringGridView
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 26;

    explicit PayrollGrid(QWidget *parent = nullptr);
    ~PayrollGrid() override;

    void setPayrollModel(PayrollModel *model);


    // The cell last asked for, also when its selection was refused.
    int requestedRow() const { return m_requestedRow; }

    // The cell current, its editor focused with the cursor at position.
    void focusCell(int row, int column, int position);

    // The name or card cell a check named, the cursor before its first
    // character that is not a digit.
    void focusCheckedCell(int row, PayrollField field);

    // The amount cell of row current and focused although it is not a number.
    void focusBadAmount(int row);

    // The cursor on the first row's name, then on the last row's, scrolled to the bottom.
    void showLoadedRows();

    bool offerKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void offerKeyPress(QChar &key) override;

    // Typed text as the requested cell reads it: a comma in an amount is its point.
    QString typedAs(const QString &text) const;
    // Whether the requested cell takes a typed character.
    bool acceptsTyped(QChar c) const;
    // Why the requested cell refused a typed character that the code page holds.
    QString refusedKeyNote(const QString &typed) const;

signals:
    // A typed or pasted character was refused or replaced, and why.
    void inputNoted(const QString &note);
    // An editor changed its cell's text.
    void edited();
    // Tab from the last amount appended a row.
    void rowAdded();
    // Rows from the clipboard are about to change the model, and did;
    // before: the rows as they were.
    void rowsPasting();
    void rowsPasted(const PayrollRows &before);
    // The focus went from the grid to another widget of its window.
    void left();

protected:
    bool allowsCell(int row, int column) override;
    void cellTextSet(int row, int column) override;

private:
    QScrollArea *scrollArea() const;
    void setScrollPosition(int position);
    void showRow(int row);
    void focusChanged(QWidget *old, QWidget *now);

    PayrollModel *m_model = nullptr;
    int m_requestedRow = 0;
    int m_requestedColumn = 0;
    // In lines of the grid, the header being line 0.
    int m_pageTopLine = 0;
    bool m_bypassCheck = false;

public:
    // Several cells or rows from the clipboard into the cells from the
    // current one on, as one change of the model; false when the clipboard
    // holds a single cell, which the cell's editor pastes.
    bool pasteRows();
};
