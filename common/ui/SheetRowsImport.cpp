#include "common/ui/SheetRowsImport.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString EncodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Windows1251: return u"Windows-1251"_s;
    case TextEncoding::Utf8: return u"UTF-8"_s;
    case TextEncoding::Utf8Bom: return u"UTF-8 с меткой BOM"_s;
    case TextEncoding::Utf16Le: return u"UTF-16 LE"_s;
    case TextEncoding::Utf16Be: return u"UTF-16 BE"_s;
    }
    return QString();
}

QString SeparatorName(QChar separator)
{
    return separator == u'\t' ? u"табуляция"_s : u"«"_s + separator + u"»"_s;
}

QString WorkbookName(ImportFormat format)
{
    switch (format) {
    case ImportFormat::Xlsx: return u".xlsx"_s;
    case ImportFormat::Ods: return u".ods"_s;
    case ImportFormat::Xls: return u".xls"_s;
    case ImportFormat::Text: break;
    }
    return QString();
}

bool HasDigit(const ImportRow &row, int column)
{
    if (column < 0 || column >= row.cells.size())
        return false;
    const QString &text = row.cells[column].text;
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

// Whether the first row of the import's own text is a header. A cell with
// a digit is a mistyped value, whose message the import has always given.
bool FirstRowIsHeader(const ImportTable &table, const TableLayout &layout)
{
    if (table.rows.isEmpty())
        return false;
    const ImportRow &row = table.rows.first();
    if (HasDigit(row, layout.columnOf(layout.amountField)) || HasDigit(row, layout.columnOf(layout.dateField)))
        return false;
    ImportTable first;
    first.format = table.format;
    first.encoding = TextEncoding::Utf8; // not the import's own text, so that the row is looked at
    first.separator = table.separator;
    first.rows = {table.rows.first()};
    return ToTabText(first, layout).headerRow != 0;
}

} // namespace

SheetRowsImport::SheetRowsImport(ImportTable table, TableLayout layout, QStringList fieldNames)
    : m_table(std::move(table))
    , m_layout(std::move(layout))
    , m_fieldNames(std::move(fieldNames))
{
    m_columnCount = m_layout.fieldCount;
    for (const ImportRow &row : m_table.rows)
        m_columnCount = std::max(m_columnCount, int(row.cells.size()));
    if (m_table.isPlainTabText() && m_layout.header == HeaderMode::Auto) {
        if (FirstRowIsHeader(m_table, m_layout))
            m_layout.header = HeaderMode::Yes; // the whole text then goes cell by cell
        else
            m_ownText = true;
    }
    update();
}

QList<int> SheetRowsImport::columns() const
{
    QList<int> columns;
    for (int field = 0; field < m_layout.fieldCount; ++field)
        columns << m_layout.columnOf(field);
    return columns;
}

void SheetRowsImport::setColumns(const QList<int> &columns)
{
    if (columns.size() != m_layout.fieldCount
        || std::any_of(columns.cbegin(), columns.cend(), [this](int c) { return c < 0 || c >= m_columnCount; }))
        return;
    const bool changed = columns != this->columns();
    m_layout.columns = columns;
    if (m_ownText && changed) {
        m_ownText = false;
        m_layout.header = HeaderMode::No; // cell by cell, still without a header
    }
    update();
}

void SheetRowsImport::update()
{
    // The import's own text needs no conversion; leave its bytes as they are.
    m_tab = ToTabText(m_table, m_layout);
}

QStringList SheetRowsImport::fieldsOf(const ImportRow &row) const
{
    QStringList fields;
    for (int field = 0; field < m_layout.fieldCount; ++field) {
        const int column = m_layout.columnOf(field);
        fields << (column < row.cells.size() ? row.cells[column].text : QString());
    }
    return fields;
}

QStringList SheetRowsImport::headerCells() const
{
    if (m_tab.headerRow == 0 || m_table.rows.isEmpty())
        return {};
    return fieldsOf(m_table.rows.first());
}

int SheetRowsImport::rowCount() const
{
    return int(m_table.rows.size()) - (m_tab.headerRow != 0 ? 1 : 0);
}

QList<QStringList> SheetRowsImport::firstRows(int count) const
{
    QList<QStringList> rows;
    for (const ImportRow &row : m_table.rows) {
        if (rows.size() >= count)
            break;
        if (row.row != m_tab.headerRow)
            rows << fieldsOf(row);
    }
    return rows;
}

QString SheetRowsImport::formatText() const
{
    if (m_table.isWorkbook())
        return u"Книга "_s + WorkbookName(m_table.format) + u", лист «"_s + m_table.sheet + u"»"_s;
    return u"Текст "_s + EncodingName(m_table.encoding) + u", разделитель "_s + SeparatorName(m_table.separator);
}

QStringList SheetRowsImport::replacementNotes() const
{
    QStringList notes;
    for (const TableReplacement &r : m_tab.replacements)
        notes << CellPlace(m_table, r.row, r.column) + u"«"_s + r.from + u"» → «"_s + r.to + u"»"_s;
    return notes;
}
