#pragma once

#include "clients/ClientRecord.h"
#include "clients/ClientRecords.h"
#include "common/model/MarkedTableModel.h"

#include <QHash>
#include <QList>
#include <QVarLengthArray>

// Where each trimmed (series, number) pair stands in a list of clients, so
// that the duplicate check of the add command and of the text import costs
// the same at the 100,000th client as at the first. Rows are 0-based. The
// index keeps a hash of each pair, not its texts: look-ups confirm a
// candidate against the list itself, which must be the one indexed.
class PassportIndex
{
public:
    // The row of the first client holding series and number, both trimmed
    // of leading and trailing blanks and control characters; -1 for none.
    int first(const ClientRecords &records, QStringView series, QStringView number) const;

    // The row's client as it stands in records.
    void insert(const ClientRecords &records, int row);
    void erase(const ClientRecords &records, int row);
    void clear() { m_rows.clear(); }
    void reserve(qsizetype clients) { m_rows.reserve(clients); }
    void rebuild(const ClientRecords &records);

private:
    static size_t keyOf(QStringView series, QStringView number);
    static size_t keyOf(const ClientRecords &records, int row);
    // The rows of each key, ascending; nearly always one.
    QHash<size_t, QVarLengthArray<int, 2>> m_rows;
};

// The client table: one model row per client, 0-based, and no row at all
// when the table is empty (the view then shows its header alone). All 21
// cells are model columns; the view shows 0 to 8. Read-only for the view:
// every change goes through the operations below, which mirror the window's
// table routines. Row numbers the user sees (column 0, the duplicate check's
// answer, messages) are 1-based.
class ClientTableModel : public MarkedTableModel
{
    Q_OBJECT
public:
    explicit ClientTableModel(QObject *parent = nullptr);

    // "№", "ФИО", ... "Телефон" for columns 0 to 8; empty for the others.
    static QString HeaderText(int column);
    // "Всего записей :N (максимум 500)".
    static QString RecordCountText(int count);
    // "Паспортные данные SERIES NUMBER уже существуют в строке ROW", as typed;
    // row is 1-based.
    static QString DuplicatePassportMessage(const QString &series, const QString &number, int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int recordCount() const { return int(m_records.size()); }
    bool isEmpty() const { return m_records.isEmpty(); }
    const ClientRecords &records() const { return m_records; }
    ClientRecord record(int row) const { return m_records[row]; }
    QString cell(int row, int column) const { return m_records.cell(row, column).toString(); }

    // Adds the record after the last one, columns 1 to 20; column 0 stays
    // empty until renumber(). Gives the new row.
    int append(const ClientRecord &record);
    // Writes columns 1 to 20 of the record into the row; its number stays.
    void overwrite(int row, const ClientRecord &record);
    // The 1-based row of the first client with this series and number, both
    // compared trimmed and exactly; -1 when there is none.
    int findPassport(const QString &series, const QString &number) const;
    // The last client moves, all 21 cells, into the deleted row and the last
    // row goes; deleting the only client empties the table. A row outside
    // the table changes nothing.
    void remove(int row);
    void clear();
    // Column 0 of every row := its 1-based number.
    void renumber();
    // Every record replaced in one reset, cells as given (load, import, undo).
    void replaceAll(ClientRecords records);

private:
    ClientRecords m_records;
    PassportIndex m_passports;
    // Rows below this one are known to hold their own number in column 0,
    // so that renumbering after an append touches the new row only.
    int m_numbered = 0;

public:
    // The list's warnings, marked in the table: the cell tinted and bold
    // with the text as its tooltip; the number cell stands for the row and
    // for the cells the view hides. Rows whose marks change are repainted.
    void setWarnings(QList<Warning> warnings) { markWarnings(std::move(warnings)); }

protected:
    QString columnTitle(int column) const override { return HeaderText(column); }
};
