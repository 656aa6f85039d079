#pragma once

#include "common/sheet/ImportTable.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

#include <optional>

// A table's rows as the Windows-1251 TAB-separated text that the document's
// text import reads, one line per sheet row, so that the import's line
// numbers are the sheet's row numbers. Rows left out (empty, the header)
// become empty lines, which the imports skip.

enum class HeaderMode { Auto, Yes, No };

// Which sheet column gives which field of the document, and which fields
// the checks look at; fields are counted from 0.
struct TableLayout
{
    int fieldCount = 0;
    QList<int> columns;          // the sheet column (from 0) of each field; empty: field k from column k
    int amountField = -1;        // must be a number; tells a header row
    int dateField = -1;          // tells a header row when not a date
    int cardField = -1;          // a number there that lost digits is refused
    HeaderMode header = HeaderMode::Auto;

    int columnOf(int field) const { return field < 0 ? -1 : field < columns.size() ? columns[field] : field; }
};

struct TableReplacement
{
    int row = 0;
    int column = 0;
    QChar from;
    QChar to;
};

struct TableRefusal
{
    int row = 0;
    int column = 0;
    QString message;             // names the row and, for a sheet, the column
};

struct TableTabText
{
    QByteArray bytes;
    int headerRow = 0;           // the row left out as a header; 0 when none
    QList<TableReplacement> replacements;
    std::optional<TableRefusal> refusal;

    bool ok() const { return !refusal; }
};

// A plain TAB text with the default layout and no header asked for passes
// through as its bytes, so it reads exactly as it always did.
TableTabText ToTabText(const ImportTable &table, const TableLayout &layout);

// "A", or "3" for a text export: how messages name a column.
QString ColumnName(const ImportTable &table, int column);
// "Строка 5, столбец C: "
QString CellPlace(const ImportTable &table, int row, int column);
// Columns by letters or numbers: "B,D,F" or "2,4,6"; nothing when one is neither.
std::optional<QList<int>> ParseColumns(QStringView text);
