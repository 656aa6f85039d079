#include "payroll/PayrollModel.h"

#include "common/Cp1251.h"
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
    : QAbstractTableModel(parent)
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

QString PayrollModel::HeaderText(int column)
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
    return parent.isValid() ? 0 : DataRowCount() + 1;
}

int PayrollModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant PayrollModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return Cell(index.column(), index.row());
}

bool PayrollModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.row() < 1 || index.column() < NameColumn)
        return false;
    SetCell(index.column(), index.row(), value.toString());
    return true;
}

QVariant PayrollModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return HeaderText(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags PayrollModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.row() == 0 || index.column() == NumberColumn)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QString PayrollModel::Cell(int column, int row) const
{
    if (row == 0)
        return HeaderText(column);
    if (row < 0 || row > LastRow())
        return {};
    if (column == NumberColumn)
        return QString::number(row);
    if (column < NameColumn || column > AmountColumn)
        return {};
    return cell(row, RowCell(column)).toString();
}

void PayrollModel::SetCell(int column, int row, const QString &text)
{
    if (row < 1 || row > LastRow() || column < NameColumn || column > AmountColumn)
        return;
    const PayrollRows::Cell which = RowCell(column);
    if (cell(row, which) == text)
        return;
    forget(row);
    m_rows.setCell(row - 1, which, text);
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

int PayrollModel::AddRow()
{
    const int row = LastRow() + 1;
    beginInsertRows({}, row, row);
    m_rows.append(PayrollRow{});
    m_unformatted.push_back(0);
    markUnformatted(row);
    endInsertRows();
    return row;
}

void PayrollModel::DeleteRow(int row)
{
    if (row < 1 || row > LastRow())
        return;
    const int last = LastRow();
    if (last == 1) {
        ClearRows();
        return;
    }
    const bool lastUnformatted = isUnformatted(last);
    forget(row);
    if (row != last)
        forget(last);
    markFormatted(row);
    markFormatted(last);
    if (row != last) {
        m_rows.copyRow(last - 1, row - 1);
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

void PayrollModel::ClearRows()
{
    const int last = LastRow();
    PayrollRows empty;
    empty.append(PayrollRow{});
    if (last > 1) {
        beginRemoveRows({}, 2, last);
        m_rows = empty;
        endRemoveRows();
    } else {
        m_rows = empty;
    }
    rebuildCaches();
    emitRowChanged(1, 1);
}

void PayrollModel::FormatAmounts()
{
    int first = -1;
    int last = -1;
    auto emitChanged = [&] {
        if (first > 0)
            emit dataChanged(index(first, AmountColumn), index(last, AmountColumn), {Qt::DisplayRole, Qt::EditRole});
    };
    if (m_unformattedCount == 0) {
        m_firstUnformatted = std::numeric_limits<int>::max();
        m_lastUnformatted = 0;
        return;
    }
    try {
        m_rows.rewriteAmounts(m_firstUnformatted - 1, std::min(m_lastUnformatted, LastRow()) - 1,
                              [&](qsizetype index, QStringView amount) -> std::optional<QString> {
                                  const int row = int(index + 1);
                                  if (!isUnformatted(row))
                                      return std::nullopt;
                                  m_firstUnformatted = row;
                                  std::optional<QString> text;
                                  if (amount.isEmpty()) {
                                      text = u"0.00"_s;
                                  } else {
                                      // The value is unchanged, so the total and the bad
                                      // sets are too; a text already in display form is kept.
                                      const Money value = Money::fromAmountText(amount);
                                      if (!value.isDisplayText(amount))
                                          text = value.toDisplay();
                                  }
                                  markFormatted(row);
                                  if (first < 0)
                                      first = row;
                                  last = row;
                                  return text;
                              });
    } catch (...) {
        emitChanged();
        throw;
    }
    m_firstUnformatted = std::numeric_limits<int>::max();
    m_lastUnformatted = 0;
    emitChanged();
}

std::optional<Money> PayrollModel::SumAmounts() const
{
    if (!m_badAmounts.empty() || m_total > Money::kMaxTiyin || m_total < -Money::kMaxTiyin)
        return std::nullopt;
    return Money::fromTiyin(qint64(m_total));
}

QList<int> PayrollModel::CheckCardNumbers() const
{
    return QList<int>(m_badCards.cbegin(), m_badCards.cend());
}

bool PayrollModel::AcceptsTyped(int column, int row, QChar c) const
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
        return Cell(column, row).size() < kMaxTypedCardLength && isDigit(c);
    case AmountColumn:
        if (backspace || isDigit(c))
            return true;
        return c == u'.' && !Cell(column, row).contains(u'.');
    }
    return false;
}

void PayrollModel::forget(int row)
{
    if (!m_badAmounts.erase(row)) {
        if (auto m = Money::parseAmountText(cell(row, PayrollRows::Amount)))
            m_total -= m->tiyin();
    }
    m_badCards.erase(row);
}

void PayrollModel::remember(int row)
{
    const QStringView amount = cell(row, PayrollRows::Amount);
    // An empty or all-blank amount counts as 0 in the total.
    if (!std::all_of(amount.cbegin(), amount.cend(), [](QChar c) { return c == u' '; })) {
        if (auto m = Money::parseAmountText(amount))
            m_total += m->tiyin();
        else
            m_badAmounts.insert(row);
    }
    if (!CardNumberValid(cell(row, PayrollRows::Card)))
        m_badCards.insert(row);
}

void PayrollModel::rebuildCaches()
{
    m_badAmounts.clear();
    m_badCards.clear();
    m_total = 0;
    m_unformatted.assign(LastRow() + 1, 1);
    m_unformatted[0] = 0;
    m_unformattedCount = LastRow();
    m_firstUnformatted = 1;
    m_lastUnformatted = LastRow();
    for (int row = 1; row <= LastRow(); ++row)
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
