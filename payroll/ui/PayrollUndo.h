#pragma once

#include "payroll/PayrollFile.h"
#include "payroll/PayrollRows.h"

#include <QObject>
#include <QString>
#include <QUndoCommand>
#include <QUndoStack>

#include <functional>

class PayrollModel;

// The register's undo history: one step per cell left after typing, per
// row added or deleted, per clear, import or paste of rows, and per header
// field changed. Typing goes straight into the model, so a cell's step is
// taken when the cursor leaves it (or before any other step).
class PayrollUndo : public QObject
{
    Q_OBJECT
public:
    struct HeaderFields
    {
        std::function<PayrollHeader()> get;
        std::function<void(const PayrollHeader &)> set;
    };

    PayrollUndo(PayrollModel *model, HeaderFields header, QObject *parent = nullptr);

    QUndoStack *stack() { return &m_stack; }
    PayrollModel *model() const { return m_model; }
    bool isApplying() const { return m_applying; }

    // A new history from the register as it stands (opened, restored, new).
    void startHistory();

    // The cursor is now on this cell; the cell it left becomes a step when changed.
    void cellEntered(int row, int column);
    // A key was typed or text pasted into the current cell.
    void cellTyped() { m_cellTyped = true; }
    // The cell being typed into becomes a step of its own now, when changed.
    void commitCell();
    // Every row was replaced outside the history: the cell followed starts afresh.
    void rowsReset();
    // A header field changed; consecutive changes of one field are one step.
    void headerEdited();

    // The operations, each one step.
    void addRow();
    // A row the grid appended already (Tab from the last amount).
    void rowAppended();
    void deleteRow(int row);
    void clearRows();
    // Every row replaced by an operation already done (import, paste of rows);
    // before: the rows as they were.
    void rowsReplaced(const QString &text, const PayrollRows &before);

    // Commands apply their changes through these, so that the cell and
    // header being followed stay the ones shown.
    void apply(const std::function<void()> &change);

private:
    void followCurrentCell();

    PayrollModel *m_model;
    HeaderFields m_header;
    QUndoStack m_stack;
    bool m_applying = false;
    int m_cellRow = -1;
    int m_cellColumn = -1;
    QString m_cellText;
    bool m_cellTyped = false;
    PayrollHeader m_lastHeader;
};

// Every row replaced at once: clear, import, paste of rows. Holds the rows
// before and after, each shared with the model while it shows them.
class PayrollRowsCommand : public QUndoCommand
{
public:
    PayrollRowsCommand(PayrollUndo &undo, const QString &text, PayrollRows before, PayrollRows after, bool done);
    void undo() override;
    void redo() override;

private:
    PayrollUndo &m_undo;
    PayrollRows m_before;
    PayrollRows m_after;
    bool m_done;
};
