#include "clients/ClientTableModel.h"


#include <algorithm>

using namespace Qt::StringLiterals;

size_t PassportIndex::keyOf(QStringView series, QStringView number)
{
    // Seeded per process, so that no file can be made to collide on purpose.
    return qHash(TrimmedName(number), qHash(TrimmedName(series), QHashSeed::globalSeed()));
}

size_t PassportIndex::keyOf(const ClientRecords &records, int row)
{
    return keyOf(records.cell(row, ClientColumn::PassportSeries), records.cell(row, ClientColumn::PassportNumber));
}

int PassportIndex::first(const ClientRecords &records, QStringView series, QStringView number) const
{
    const auto it = m_rows.constFind(keyOf(series, number));
    if (it == m_rows.cend())
        return -1;
    const QStringView s = TrimmedName(series);
    const QStringView n = TrimmedName(number);
    for (int row : *it) {
        if (TrimmedName(records.cell(row, ClientColumn::PassportSeries)) == s
            && TrimmedName(records.cell(row, ClientColumn::PassportNumber)) == n)
            return row;
    }
    return -1;
}

void PassportIndex::insert(const ClientRecords &records, int row)
{
    QVarLengthArray<int, 2> &rows = m_rows[keyOf(records, row)];
    rows.insert(std::lower_bound(rows.cbegin(), rows.cend(), row), row);
}

void PassportIndex::erase(const ClientRecords &records, int row)
{
    const auto it = m_rows.find(keyOf(records, row));
    if (it == m_rows.end())
        return;
    QVarLengthArray<int, 2> &rows = *it;
    const auto at = std::lower_bound(rows.cbegin(), rows.cend(), row);
    if (at != rows.cend() && *at == row)
        rows.erase(at);
    if (rows.isEmpty())
        m_rows.erase(it);
}

void PassportIndex::rebuild(const ClientRecords &records)
{
    m_rows.clear();
    m_rows.reserve(records.size());
    for (qsizetype row = 0; row < records.size(); ++row)
        m_rows[keyOf(records, int(row))].append(int(row)); // ascending by construction
}

ClientTableModel::ClientTableModel(QObject *parent)
    : MarkedTableModel(parent)
{
}

QString ClientTableModel::HeaderText(int column)
{
    static const char16_t *const kTitles[ClientColumn::kVisibleCount] = {
        u"№", u"ФИО", u"Пол", u"ИНН", u"Д. Р.", u"Серия и №", u"Дата выд.", u"Место выд.", u"Телефон"};
    if (column < 0 || column >= ClientColumn::kVisibleCount)
        return {};
    return QString::fromUtf16(kTitles[column]);
}

QString ClientTableModel::RecordCountText(int count)
{
    return u"Всего записей :%1 (максимум %2)"_s.arg(count).arg(kMaxClientRecords);
}

QString ClientTableModel::DuplicatePassportMessage(const QString &series, const QString &number, int row)
{
    return u"Паспортные данные "_s + series + u' ' + number + u" уже существуют в строке "_s + QString::number(row);
}

int ClientTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : recordCount();
}

int ClientTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ClientColumn::Count;
}

QVariant ClientTableModel::data(const QModelIndex &index, int role) const
{
    if (index.isValid() && isMarkRole(role))
        return markData(index, role);
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

Qt::ItemFlags ClientTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

int ClientTableModel::append(const ClientRecord &record)
{
    const int row = recordCount();
    ClientRecords::CellViews added = ClientRecords::viewsOf(record);
    added[ClientColumn::Number] = {};
    beginInsertRows({}, row, row);
    m_records.append(added);
    m_passports.insert(m_records, row);
    endInsertRows();
    return row;
}

void ClientTableModel::overwrite(int row, const ClientRecord &record)
{
    if (row < 0 || row >= recordCount())
        return;
    m_passports.erase(m_records, row);
    ClientRecords::CellViews target = ClientRecords::viewsOf(record);
    target[ClientColumn::Number] = m_records.cell(row, ClientColumn::Number);
    m_records.replace(row, target);
    m_passports.insert(m_records, row);
    emit dataChanged(index(row, ClientColumn::Number + 1), index(row, ClientColumn::Count - 1));
}

int ClientTableModel::findPassport(const QString &series, const QString &number) const
{
    const int row = m_passports.first(m_records, series, number);
    return row < 0 ? -1 : row + 1;
}

void ClientTableModel::remove(int row)
{
    const int last = recordCount() - 1;
    if (row < 0 || row > last)
        return;
    if (last == 0) {
        clear();
        return;
    }
    m_passports.erase(m_records, row);
    if (row != last) {
        m_passports.erase(m_records, last);
        m_records.replace(row, m_records.views(last));
        m_passports.insert(m_records, row);
        emit dataChanged(index(row, 0), index(row, ClientColumn::Count - 1));
    }
    beginRemoveRows({}, last, last);
    m_records.removeLast();
    endRemoveRows();
    // The moved client still carries its old number.
    m_numbered = std::min(m_numbered, row);
}

void ClientTableModel::clear()
{
    if (m_records.isEmpty())
        return;
    beginResetModel();
    m_records.clear();
    m_passports.clear();
    m_numbered = 0;
    endResetModel();
}

void ClientTableModel::renumber()
{
    const int first = m_numbered;
    const int last = recordCount() - 1;
    if (first > last)
        return;
    m_records.setColumn(ClientColumn::Number, first, last, [](qsizetype row) { return QString::number(row + 1); });
    m_numbered = last + 1;
    emit dataChanged(index(first, ClientColumn::Number), index(last, ClientColumn::Number));
}

void ClientTableModel::replaceAll(ClientRecords records)
{
    beginResetModel();
    m_records = std::move(records);
    m_passports.rebuild(m_records);
    m_numbered = 0;
    endResetModel();
}

