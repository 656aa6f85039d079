#include "payroll/ui/PayrollGrid.h"

#include "common/Cp1251Fit.h"
#include "common/Digits.h"
#include "common/ui/ClipboardRows.h"
#include "payroll/PayrollModel.h"
#include "payroll/PayrollPaging.h"
#include "payroll/ui/PayrollCellDelegate.h"

#include <QApplication>
#include <QScopeGuard>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Paging counts in lines of the grid: the header is line 0, row r is line r + 1.
int Line(int row)
{
    return row + 1;
}

constexpr int kBottom = 99999999;

} // namespace

PayrollGrid::PayrollGrid(QWidget *parent)
    : StringGridView(parent, kRowHeight, PayrollModel::NameColumn)
{
    auto *delegate = new PayrollCellDelegate(this);
    setItemDelegate(delegate);
    connect(delegate, &PayrollCellDelegate::inputNoted, this, &PayrollGrid::inputNoted);
    connect(qApp, &QApplication::focusChanged, this, &PayrollGrid::focusChanged);
}

PayrollGrid::~PayrollGrid()
{
    // The widgets going away change the focus; the grid answers no more.
    disconnect(qApp, nullptr, this, nullptr);
}

void PayrollGrid::focusChanged(QWidget *old, QWidget *now)
{
    const auto inGrid = [this](QWidget *w) { return w == this || isAncestorOf(w); };
    if (old && now && inGrid(old) && !inGrid(now) && now->window() == window())
        emit left();
}

void PayrollGrid::focusCell(int row, int column, int position)
{
    if (!selectCell(row, column))
        return;
    focusCellEditor();
    if (QLineEdit *editor = cellEditor()) {
        editor->deselect();
        editor->setCursorPosition(position);
    }
}

void PayrollGrid::focusCheckedCell(int row, PayrollField field)
{
    const int column = field == PayrollField::Name ? PayrollModel::NameColumn : PayrollModel::CardColumn;
    const QString text = m_model->cell(row, column);
    focusCell(row, column, int(std::find_if_not(text.cbegin(), text.cend(), IsAsciiDigit) - text.cbegin()));
}

void PayrollGrid::focusBadAmount(int row)
{
    // The amount that stopped the formatting becomes current as it stands.
    m_bypassCheck = true;
    const auto restore = qScopeGuard([this] { m_bypassCheck = false; });
    focusCell(row, PayrollModel::AmountColumn, int(m_model->cell(row, PayrollModel::AmountColumn).size()));
}

void PayrollGrid::setPayrollModel(PayrollModel *model)
{
    m_model = model;
    setGridModel(model);
    setColumnWidth(PayrollModel::NumberColumn, 50);
    for (int column = PayrollModel::NameColumn; column <= PayrollModel::AmountColumn; ++column)
        setColumnWidth(column, 285);
}

QScrollArea *PayrollGrid::scrollArea() const
{
    // The grid is the scroll area's widget, inside its viewport.
    QWidget *viewport = parentWidget();
    return viewport ? qobject_cast<QScrollArea *>(viewport->parentWidget()) : nullptr;
}

void PayrollGrid::setScrollPosition(int position)
{
    if (QScrollArea *area = scrollArea())
        area->verticalScrollBar()->setValue(std::max(0, position));
}

// Brings a selected row into view when the page arithmetic left it outside.
void PayrollGrid::showRow(int row)
{
    if (QScrollArea *area = scrollArea()) {
        const int half = kRowHeight / 2;
        area->ensureVisible(area->horizontalScrollBar()->value(), Line(row) * kRowHeight + half, 0, half);
    }
}

void PayrollGrid::showLoadedRows()
{
    setFocus(Qt::OtherFocusReason);
    selectCell(0, PayrollModel::NameColumn);
    selectCell(m_model->lastRow(), PayrollModel::NameColumn);
    setScrollPosition(kBottom);
}

bool PayrollGrid::allowsCell(int row, int column)
{
    m_requestedRow = row;
    m_requestedColumn = column;
    // While an amount is not a number the cursor cannot leave its cell; what
    // is typed then goes to the cell the cursor stays in.
    if (!m_bypassCheck && !passesCellCheck(row, column)) {
        m_requestedRow = currentRow();
        m_requestedColumn = currentColumn();
        return false;
    }
    const GridPaging::Scroll scroll = kPayrollPaging.scrollForSelection(Line(row), m_pageTopLine);
    m_pageTopLine = scroll.pageTopRow;
    if (scroll.position)
        setScrollPosition(*scroll.position);
    showRow(row);
    return column != PayrollModel::NumberColumn;
}

void PayrollGrid::offerKeyPress(QChar &key)
{
    if (key == u'\t' && m_requestedColumn == PayrollModel::NumberColumn && m_requestedRow == 0) {
        // Tab from the last amount: a new row, and on into its name. A
        // refused selection ends there: no scrolling.
        m_model->addRow();
        emit rowAdded();
        if (selectCell(m_model->lastRow(), PayrollModel::NameColumn))
            setScrollPosition(kBottom);
    } else if (key == u'\t' && m_requestedColumn == PayrollModel::NumberColumn) {
        // Tab from an amount: on into the next row's name.
        const int row = currentRow();
        selectCell(row < m_model->lastRow() ? row + 1 : row, PayrollModel::NameColumn);
    }
    if (!m_model->acceptsTyped(m_requestedRow, m_requestedColumn, key))
        key = QChar();
}

bool PayrollGrid::offerKeyDown(int key, Qt::KeyboardModifiers)
{
    const int column = currentColumn();
    // A refused selection ends the key: no scrolling.
    switch (key) {
    case Qt::Key_Home:
        if (selectCell(0, column))
            setScrollPosition(1);
        return true;
    case Qt::Key_End:
        if (selectCell(m_model->lastRow(), column))
            setScrollPosition(999999999);
        return true;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp: {
        const int lines = m_model->rowCount() + 1;
        const GridPaging::Move move = key == Qt::Key_PageDown ? kPayrollPaging.pageDown(Line(currentRow()), lines)
                                                              : kPayrollPaging.pageUp(Line(currentRow()), lines);
        m_pageTopLine = move.pageTopRow;
        if (selectCell(move.row - 1, column))
            setScrollPosition(move.position);
        return true;
    }
    default:
        return false;
    }
}

void PayrollGrid::cellTextSet(int, int)
{
    // The editor writes only a text that changed.
    emit edited();
}

QString PayrollGrid::typedAs(const QString &text) const
{
    // A comma typed in an amount is its decimal point, as the text import reads it.
    if (m_requestedColumn != PayrollModel::AmountColumn)
        return text;
    QString typed = text;
    return typed.replace(u',', u'.');
}

bool PayrollGrid::acceptsTyped(QChar c) const
{
    return m_model->acceptsTyped(m_requestedRow, m_requestedColumn, c);
}

QString PayrollGrid::refusedKeyNote(const QString &typed) const
{
    const QString quoted = u"«"_s + typed + u"»"_s;
    switch (m_requestedColumn) {
    case PayrollModel::CardColumn:
        if (m_model->cell(m_requestedRow, m_requestedColumn).size() >= PayrollModel::kMaxTypedCardLength)
            return u"Символ "_s + quoted + u" не принят: в номере карты не больше %1 цифр."_s.arg(
                           PayrollModel::kMaxTypedCardLength);
        return u"Символ "_s + quoted + u" не принят: в номере карты только цифры."_s;
    case PayrollModel::AmountColumn:
        return u"Символ "_s + quoted + u" не принят: в сумме только цифры и одна точка (или запятая)."_s;
    case PayrollModel::NumberColumn:
        return u"Символ "_s + quoted + u" не принят: номер строки не вводится, выберите другую ячейку."_s;
    default:
        return u"Символ "_s + quoted + u" не принят."_s;
    }
}

using namespace Qt::StringLiterals;

bool PayrollGrid::pasteRows()
{
    const QList<QStringList> rows = ClipboardRows(QGuiApplication::clipboard()->mimeData());
    if (rows.isEmpty() || (rows.size() == 1 && rows.first().size() < 2))
        return false;
    emit rowsPasting();
    const PayrollRows before = m_model->rows();
    const PayrollPaste paste = m_model->pasteRows(currentRow(), currentColumn(), rows);
    if (!paste.accepted()) {
        emit inputNoted(u"Строка %1, столбец «%2»: "_s.arg(paste.refusedRow + 1)
                                .arg(PayrollModel::headerText(paste.refusedColumn).trimmed())
                        + RefusedCharacterNote(paste.refused) + u" Строки не вставлены."_s);
        return true;
    }
    if (paste.lastRow < paste.firstRow)
        return true;
    emit rowsPasted(before);
    if (!paste.replaced.isEmpty())
        emit inputNoted(Cp1251Fit{QString(), paste.replaced, QString()}.note());
    return true;
}
