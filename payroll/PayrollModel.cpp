#include "payroll/PayrollModel.h"

#include "common/Cp1251.h"
#include "common/Cp1251Fit.h"
#include "payroll/PayrollChecks.h"


#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

PayrollModel::PayrollModel(QObject *parent)
    : MarkedTableModel(parent)
{
    m_rows.append(PayrollRow{});
    rebuildCaches();
}

namespace {

PayrollRows::Cell RowCell(int column)
{
    return column == PayrollModel::NameColumn ? PayrollRows::Name
        : column == PayrollModel::CardColumn  ? PayrollRows::Card
                                               : PayrollRows::Amount;
}

} // namespace

QString PayrollModel::headerText(int column)
{
    switch (column) {
    case NumberColumn: return u"   №"_s;
    case NameColumn: return u"                Фамилия Имя Отчество"_s;
    case CardColumn: return u"                          № карты"_s;
    case AmountColumn: return u"                         Сумма"_s;
    }
    return {};
}

int PayrollModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PayrollModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant PayrollModel::data(const QModelIndex &index, int role) const
{
    if (index.isValid() && isMarkRole(role))
        return markData(index, role);
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

bool PayrollModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() < NameColumn)
        return false;
    setCell(index.row(), index.column(), value.toString());
    return true;
}

Qt::ItemFlags PayrollModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == NumberColumn)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QString PayrollModel::cell(int row, int column) const
{
    if (row < 0 || row > lastRow())
        return {};
    if (column == NumberColumn)
        return QString::number(row + 1);
    if (column < NameColumn || column > AmountColumn)
        return {};
    return text(row, RowCell(column)).toString();
}

void PayrollModel::setCell(int row, int column, const QString &newText)
{
    if (row < 0 || row > lastRow() || column < NameColumn || column > AmountColumn)
        return;
    const PayrollRows::Cell which = RowCell(column);
    if (text(row, which) == newText)
        return;
    forget(row);
    m_rows.setCell(row, which, newText);
    remember(row);
    if (column == AmountColumn)
        markUnformatted(row);
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

void PayrollModel::setRows(PayrollRows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    if (m_rows.isEmpty())
        m_rows.append(PayrollRow{});
    rebuildCaches();
    endResetModel();
}

int PayrollModel::addRow()
{
    const int row = lastRow() + 1;
    beginInsertRows({}, row, row);
    m_rows.append(PayrollRow{});
    m_unformatted.push_back(0);
    markUnformatted(row);
    endInsertRows();
    return row;
}

void PayrollModel::deleteRow(int row)
{
    if (row < 0 || row > lastRow())
        return;
    const int last = lastRow();
    if (last == 0) {
        clearRows();
        return;
    }
    const bool lastUnformatted = isUnformatted(last);
    forget(row);
    if (row != last)
        forget(last);
    markFormatted(row);
    markFormatted(last);
    if (row != last) {
        m_rows.copyRow(last, row);
        remember(row);
        if (lastUnformatted)
            markUnformatted(row);
    }
    beginRemoveRows({}, last, last);
    m_rows.removeLast();
    m_unformatted.pop_back();
    endRemoveRows();
    if (row != last)
        emitRowChanged(row, row);
}

void PayrollModel::clearRows()
{
    const int last = lastRow();
    PayrollRows empty;
    empty.append(PayrollRow{});
    if (last > 0) {
        beginRemoveRows({}, 1, last);
        m_rows = empty;
        endRemoveRows();
    } else {
        m_rows = empty;
    }
    rebuildCaches();
    emitRowChanged(0, 0);
}

void PayrollModel::formatAmounts()
{
    int first = -1;
    int last = -1;
    auto emitChanged = [&] {
        if (first >= 0)
            emit dataChanged(index(first, AmountColumn), index(last, AmountColumn), {Qt::DisplayRole, Qt::EditRole});
    };
    if (m_unformattedCount == 0) {
        m_firstUnformatted = std::numeric_limits<int>::max();
        m_lastUnformatted = -1;
        return;
    }
    try {
        m_rows.rewriteAmountsInto(m_firstUnformatted, std::min(m_lastUnformatted, lastRow()),
                                  [&](qsizetype index, QStringView amount, QString &out) {
                                      const int row = int(index);
                                      if (!isUnformatted(row))
                                          return false;
                                      m_firstUnformatted = row;
                                      // The value is unchanged, so the total and the bad
                                      // sets are too; a text already in display form is kept.
                                      if (amount.isEmpty())
                                          out.append(u"0.00");
                                      else
                                          Money::fromAmountText(amount).appendDisplay(out);
                                      markFormatted(row);
                                      if (first < 0)
                                          first = row;
                                      last = row;
                                      return QStringView(out) != amount;
                                  });
    } catch (...) {
        emitChanged();
        throw;
    }
    m_firstUnformatted = std::numeric_limits<int>::max();
    m_lastUnformatted = -1;
    emitChanged();
}

std::optional<Money> PayrollModel::sumAmounts() const
{
    if (!m_badAmounts.empty())
        return std::nullopt;
    return m_total.value();
}

QList<int> PayrollModel::checkCardNumbers() const
{
    return QList<int>(m_badCards.cbegin(), m_badCards.cend());
}

bool PayrollModel::acceptsTyped(int row, int column, QChar c) const
{
    if (!Cp1251::canEncode(c))
        return false;
    const bool backspace = c == u'\b';
    switch (column) {
    case NameColumn:
        return true;
    case CardColumn:
        if (backspace)
            return true;
        return cell(row, column).size() < kMaxTypedCardLength && isDigit(c);
    case AmountColumn:
        if (backspace || isDigit(c))
            return true;
        return c == u'.' && !cell(row, column).contains(u'.');
    }
    return false;
}

void PayrollModel::forget(int row)
{
    if (!m_badAmounts.erase(row)) {
        if (auto m = Money::parseAmountText(text(row, PayrollRows::Amount)))
            m_total.remove(*m);
    }
    m_badCards.erase(row);
}

void PayrollModel::remember(int row)
{
    const QStringView amount = text(row, PayrollRows::Amount);
    // An empty or all-blank amount counts as 0 in the total.
    if (!std::all_of(amount.cbegin(), amount.cend(), [](QChar c) { return c == u' '; })) {
        if (auto m = Money::parseAmountText(amount))
            m_total.add(*m);
        else
            m_badAmounts.insert(row);
    }
    if (!CardNumberValid(text(row, PayrollRows::Card)))
        m_badCards.insert(row);
}

void PayrollModel::rebuildCaches()
{
    m_badAmounts.clear();
    m_badCards.clear();
    m_total = RegisterTotal();
    m_unformatted.assign(m_rows.size(), 1);
    m_unformattedCount = int(m_rows.size());
    m_firstUnformatted = 0;
    m_lastUnformatted = lastRow();
    for (int row = 0; row <= lastRow(); ++row)
        remember(row);
}

void PayrollModel::markUnformatted(int row)
{
    if (!m_unformatted[row]) {
        m_unformatted[row] = 1;
        ++m_unformattedCount;
    }
    m_firstUnformatted = std::min(m_firstUnformatted, row);
    m_lastUnformatted = std::max(m_lastUnformatted, row);
}

void PayrollModel::markFormatted(int row)
{
    if (m_unformatted[row]) {
        m_unformatted[row] = 0;
        --m_unformattedCount;
    }
}

void PayrollModel::emitRowChanged(int first, int last)
{
    emit dataChanged(index(first, 0), index(last, kColumnCount - 1), {Qt::DisplayRole, Qt::EditRole});
}

void PayrollModel::setWarnings(QList<Warning> warnings)
{
    for (Warning &w : warnings)
        w.column = w.column + NameColumn; // PayrollRows::Name is the grid's name column
    markWarnings(std::move(warnings));
}

PayrollPaste PayrollModel::pasteRows(int row, int column, const QList<QStringList> &cells)
{
    PayrollPaste paste;
    paste.firstRow = row;
    if (row < 0 || row > lastRow() || column < NameColumn || column > AmountColumn)
        return paste;

    // Every cell is checked before any is changed.
    struct Change
    {
        int row, column;
        QString text;
    };
    QList<Change> changes;
    for (qsizetype r = 0; r < cells.size(); ++r) {
        const int target = row + int(r);
        for (qsizetype k = 0; k < cells[r].size() && column + k <= AmountColumn; ++k) {
            const int col = column + int(k);
            QString text = cells[r][k].trimmed();
            if (col != NameColumn)
                text.removeIf([](QChar c) { return c.isSpace(); });
            if (col == AmountColumn)
                text.replace(u',', u'.');
            const Cp1251Fit fit = Cp1251Fit::of(text);
            QString typed;
            QString refused = fit.refused;
            for (qsizetype i = 0; refused.isEmpty() && i < fit.text.size(); ++i) {
                const QChar c = fit.text[i];
                const bool taken = col == NameColumn ? c >= u' '
                                 : col == CardColumn ? isDigit(c) && typed.size() < kMaxTypedCardLength
                                                     : isDigit(c) || (c == u'.' && !typed.contains(u'.'));
                if (!taken)
                    refused = c;
                typed += c;
            }
            if (!refused.isEmpty()) {
                paste.refusedRow = target;
                paste.refusedColumn = col;
                paste.refused = refused;
                return paste;
            }
            for (QChar c : fit.replaced)
                if (!paste.replaced.contains(c))
                    paste.replaced += c;
            changes.append({target, col, typed});
        }
    }
    if (changes.isEmpty())
        return paste;

    paste.lastRow = changes.last().row;
    while (lastRow() < paste.lastRow) {
        addRow();
        ++paste.rowsAdded;
    }
    for (const Change &change : std::as_const(changes))
        setCell(change.row, change.column, change.text);
    return paste;
}
