#include "payroll/ui/PayrollUndo.h"

#include "payroll/PayrollModel.h"

using namespace Qt::StringLiterals;

namespace {

// The first redo comes from push(): the change it stands for is made already.
class DoneOnceCommand : public QUndoCommand
{
public:
    DoneOnceCommand(PayrollUndo &undo, const QString &text, bool done) : m_undo(undo), m_done(done) { setText(text); }
    void undo() override { m_undo.apply([this] { revert(); }); }
    void redo() override
    {
        if (m_done) {
            m_done = false;
            return;
        }
        m_undo.apply([this] { make(); });
    }

protected:
    virtual void make() = 0;
    virtual void revert() = 0;
    PayrollModel &model() const { return *m_undo.model(); }

    PayrollUndo &m_undo;

private:
    bool m_done;
};

class CellCommand : public DoneOnceCommand
{
public:
    CellCommand(PayrollUndo &undo, int row, int column, QString before, QString after)
        : DoneOnceCommand(undo, u"изменение ячейки"_s, true)
        , m_row(row), m_column(column), m_before(std::move(before)), m_after(std::move(after))
    {
    }

private:
    void make() override { model().setCell(m_row, m_column, m_after); }
    void revert() override { model().setCell(m_row, m_column, m_before); }

    int m_row;
    int m_column;
    QString m_before;
    QString m_after;
};

class AddRowCommand : public DoneOnceCommand
{
public:
    AddRowCommand(PayrollUndo &undo, bool done) : DoneOnceCommand(undo, u"добавление строки"_s, done) {}

private:
    void make() override { model().addRow(); }
    void revert() override { model().deleteRow(model().lastRow()); }
};

void SetRow(PayrollModel &model, int row, const PayrollRow &texts)
{
    model.setCell(row, PayrollModel::NameColumn, texts.name);
    model.setCell(row, PayrollModel::CardColumn, texts.card);
    model.setCell(row, PayrollModel::AmountColumn, texts.amount);
}

// The last row moved into the deleted one's place; undo puts both back.
class DeleteRowCommand : public DoneOnceCommand
{
public:
    DeleteRowCommand(PayrollUndo &undo, int row)
        : DoneOnceCommand(undo, u"удаление строки"_s, false)
        , m_row(row), m_deleted(model().rows()[row]), m_wasLast(row == model().lastRow()), m_wasOnly(model().lastRow() == 0)
    {
    }

private:
    void make() override { model().deleteRow(m_row); }
    void revert() override
    {
        PayrollModel &m = model();
        if (m_wasOnly) {
            SetRow(m, 0, m_deleted);
            return;
        }
        const int added = m.addRow();
        if (m_wasLast) {
            SetRow(m, added, m_deleted);
            return;
        }
        SetRow(m, added, m.rows()[m_row]);
        SetRow(m, m_row, m_deleted);
    }

    int m_row;
    PayrollRow m_deleted;
    bool m_wasLast;
    bool m_wasOnly;
};

// Consecutive changes of one header field are one step.
class HeaderCommand : public QUndoCommand
{
public:
    HeaderCommand(PayrollUndo &undo, PayrollUndo::HeaderFields fields, PayrollHeader before, PayrollHeader after)
        : m_undo(undo), m_fields(std::move(fields)), m_before(std::move(before)), m_after(std::move(after))
    {
        m_field = changedField(m_before, m_after);
        setText(u"изменение заголовка"_s);
    }
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const HeaderCommand *>(other);
        if (next->m_field != m_field || m_field < 0)
            return false;
        m_after = next->m_after;
        return true;
    }
    void undo() override { m_undo.apply([this] { m_fields.set(m_before); }); }
    void redo() override
    {
        if (m_done) {
            m_done = false;
            return;
        }
        m_undo.apply([this] { m_fields.set(m_after); });
    }

private:
    // The one field that differs; -1 for several.
    static int changedField(const PayrollHeader &a, const PayrollHeader &b)
    {
        const bool differs[] = {a.registerNumber != b.registerNumber, a.date != b.date, a.monthIndex != b.monthIndex,
                                a.year != b.year};
        int field = -1;
        for (int i = 0; i < 4; ++i) {
            if (!differs[i])
                continue;
            if (field >= 0)
                return -1;
            field = i;
        }
        return field;
    }

    PayrollUndo &m_undo;
    PayrollUndo::HeaderFields m_fields;
    PayrollHeader m_before;
    PayrollHeader m_after;
    int m_field = -1;
    bool m_done = true;
};

} // namespace

PayrollRowsCommand::PayrollRowsCommand(PayrollUndo &undo, const QString &text, PayrollRows before, PayrollRows after,
                                       bool done)
    : m_undo(undo), m_before(std::move(before)), m_after(std::move(after)), m_done(done)
{
    setText(text);
}

void PayrollRowsCommand::undo()
{
    m_undo.apply([this] { m_undo.model()->setRows(m_before); });
}

void PayrollRowsCommand::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    m_undo.apply([this] { m_undo.model()->setRows(m_after); });
}

PayrollUndo::PayrollUndo(PayrollModel *model, HeaderFields header, QObject *parent)
    : QObject(parent), m_model(model), m_header(std::move(header)), m_stack(this)
{
    // No limit: a step of every row shares them with the model.
    startHistory();
}

void PayrollUndo::startHistory()
{
    m_stack.clear();
    m_lastHeader = m_header.get();
    followCurrentCell();
}

void PayrollUndo::followCurrentCell()
{
    m_cellText = m_model->cell(m_cellRow, m_cellColumn);
    m_cellTyped = false;
}

void PayrollUndo::rowsReset()
{
    if (!m_applying)
        followCurrentCell();
}

void PayrollUndo::cellEntered(int row, int column)
{
    if (m_applying)
        return;
    commitCell();
    m_cellRow = row;
    m_cellColumn = column;
    followCurrentCell();
}

void PayrollUndo::commitCell()
{
    if (m_cellRow < 0 || m_cellRow > m_model->lastRow() || m_cellColumn < PayrollModel::NameColumn)
        return;
    const QString now = m_model->cell(m_cellRow, m_cellColumn);
    if (!m_cellTyped || now == m_cellText)
        return;
    m_stack.push(new CellCommand(*this, m_cellRow, m_cellColumn, m_cellText, now));
    m_cellText = now;
    m_cellTyped = false;
}

void PayrollUndo::headerEdited()
{
    if (m_applying)
        return;
    const PayrollHeader now = m_header.get();
    if (now == m_lastHeader)
        return;
    commitCell();
    m_stack.push(new HeaderCommand(*this, m_header, m_lastHeader, now));
    m_lastHeader = now;
}

void PayrollUndo::addRow()
{
    commitCell();
    m_stack.push(new AddRowCommand(*this, false));
}

void PayrollUndo::rowAppended()
{
    commitCell();
    m_stack.push(new AddRowCommand(*this, true));
}

void PayrollUndo::deleteRow(int row)
{
    commitCell();
    if (row >= 0 && row <= m_model->lastRow())
        m_stack.push(new DeleteRowCommand(*this, row));
}

void PayrollUndo::clearRows()
{
    commitCell();
    PayrollRows before = m_model->rows();
    m_model->clearRows();
    m_stack.push(new PayrollRowsCommand(*this, u"очистку таблицы"_s, std::move(before), m_model->rows(), true));
    followCurrentCell();
}

void PayrollUndo::rowsReplaced(const QString &text, const PayrollRows &before)
{
    m_stack.push(new PayrollRowsCommand(*this, text, before, m_model->rows(), true));
    followCurrentCell();
}

void PayrollUndo::apply(const std::function<void()> &change)
{
    m_applying = true;
    change();
    m_applying = false;
    m_lastHeader = m_header.get();
    followCurrentCell();
}
