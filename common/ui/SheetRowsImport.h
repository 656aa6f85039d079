#pragma once

#include "common/sheet/ImportTable.h"
#include "common/sheet/TableTabText.h"

#include <QList>
#include <QString>
#include <QStringList>

// What an import of rows from a spreadsheet or a text export will take: the
// table read, the sheet column chosen for each field of the document, and
// the TAB text they give the document's own text import. No widgets.
class SheetRowsImport
{
public:
    SheetRowsImport(ImportTable table, TableLayout layout, QStringList fieldNames);

    const ImportTable &table() const { return m_table; }
    const QStringList &fieldNames() const { return m_fieldNames; }
    // The widest row's cells, at least one per field.
    int columnCount() const { return m_columnCount; }
    // The sheet column of each field.
    QList<int> columns() const;
    // Columns outside the table or a list of another length are ignored.
    void setColumns(const QList<int> &columns);

    // The import's own text: Windows-1251, TAB, no header row; it goes
    // through as it is, with no preview.
    bool isOwnText() const { return m_ownText; }
    const TableTabText &tabText() const { return m_tab; }

    // The header row's cells by field, when one was found.
    QStringList headerCells() const;
    // The rows imported; the header row is not one.
    int rowCount() const;
    // The fields of the first rows imported, as the sheet holds them.
    QList<QStringList> firstRows(int count) const;
    // "Книга .xlsx, лист «Лист1»", "Текст UTF-8, разделитель «;»".
    QString formatText() const;
    // "Строка 2, столбец A: «Ғ» → «Г»", one a replacement.
    QStringList replacementNotes() const;

private:
    QStringList fieldsOf(const ImportRow &row) const;
    void update();

    ImportTable m_table;
    TableLayout m_layout;
    QStringList m_fieldNames;
    int m_columnCount = 0;
    bool m_ownText = false;
    TableTabText m_tab;
};
