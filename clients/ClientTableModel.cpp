#include "clients/ClientTableModel.h"

#include <algorithm>

using namespace Qt::StringLiterals;

size_t PassportIndex::keyOf(const QString &series, const QString &number)
{
    // Seeded per process, so that no file can be made to collide on purpose.
    return qHash(TrimName(number), qHash(TrimName(series), QHashSeed::globalSeed()));
}

size_t PassportIndex::keyOf(const ClientRecord &record)
{
    return keyOf(record[ClientColumn::PassportSerial], record[ClientColumn::PassportNumber]);
}

int PassportIndex::first(const QList<ClientRecord> &records, const QString &series, const QString &number) const
{
    const auto it = m_rows.constFind(keyOf(series, number));
    if (it == m_rows.cend())
        return -1;
    const QString s = TrimName(series);
    const QString n = TrimName(number);
    for (int row : *it) {
        const ClientRecord &r = records.at(row);
        if (TrimName(r[ClientColumn::PassportSerial]) == s && TrimName(r[ClientColumn::PassportNumber]) == n)
            return row;
    }
    return -1;
}

void PassportIndex::insert(int row, const ClientRecord &record)
{
    QVarLengthArray<int, 2> &rows = m_rows[keyOf(record)];
    rows.insert(std::lower_bound(rows.cbegin(), rows.cend(), row), row);
}

void PassportIndex::erase(int row, const ClientRecord &record)
{
    const auto it = m_rows.find(keyOf(record));
    if (it == m_rows.end())
        return;
    QVarLengthArray<int, 2> &rows = *it;
    const auto at = std::lower_bound(rows.cbegin(), rows.cend(), row);
    if (at != rows.cend() && *at == row)
        rows.erase(at);
    if (rows.isEmpty())
        m_rows.erase(it);
}

void PassportIndex::rebuild(const QList<ClientRecord> &records)
{
    m_rows.clear();
    m_rows.reserve(records.size());
    for (qsizetype row = 0; row < records.size(); ++row)
        m_rows[keyOf(records.at(row))].append(int(row)); // ascending by construction
}

ClientTableModel::ClientTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

QString ClientTableModel::HeaderText(int column)
{
    switch (column) {
    case ClientColumn::Number: return u"№"_s;
    case ClientColumn::FullName: return u"ФИО"_s;
    case ClientColumn::Sex: return u"Пол"_s;
    case ClientColumn::Inn: return u"ИНН"_s;
    case ClientColumn::Birthday: return u"Д. Р."_s;
    case ClientColumn::Document: return u"Серия и №"_s;
    case ClientColumn::PassportDate: return u"Дата выд."_s;
    case ClientColumn::PassportPlace: return u"Место выд."_s;
    case ClientColumn::Phone: return u"Телефон"_s;
    }
    return {};
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
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

QVariant ClientTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return HeaderText(section);
    return QAbstractTableModel::headerData(section, orientation, role);
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
    ClientRecord added = record;
    added[ClientColumn::Number].clear();
    beginInsertRows({}, row, row);
    m_passports.insert(row, added);
    m_records.append(std::move(added));
    endInsertRows();
    return row;
}

void ClientTableModel::overwrite(int row, const ClientRecord &record)
{
    if (row < 0 || row >= recordCount())
        return;
    ClientRecord &target = m_records[row];
    m_passports.erase(row, target);
    for (int column = ClientColumn::Number + 1; column < ClientColumn::Count; ++column)
        target[column] = record[column];
    m_passports.insert(row, target);
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
    m_passports.erase(row, m_records.at(row));
    if (row != last) {
        m_passports.erase(last, m_records.at(last));
        m_records[row] = m_records.at(last);
        m_passports.insert(row, m_records.at(row));
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
    for (int row = first; row <= last; ++row)
        m_records[row][ClientColumn::Number] = QString::number(row + 1);
    m_numbered = last + 1;
    emit dataChanged(index(first, ClientColumn::Number), index(last, ClientColumn::Number));
}

void ClientTableModel::replaceAll(QList<ClientRecord> records)
{
    beginResetModel();
    m_records = std::move(records);
    m_passports.rebuild(m_records);
    m_numbered = 0;
    endResetModel();
}
