#pragma once

#include "common/sheet/DelimitedText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The rows of a spreadsheet or of its text export, as cell texts, before
// they become the lines of a TAB-separated import.

enum class ImportFormat { Text, Xlsx, Ods, Xls };

struct ImportCell
{
    enum Kind : quint8 { Empty, Text, Number, Date };

    QString text;          // text as it is; a number by NumberCellText; a date "DD.MM.YYYY"
    Kind kind = Empty;
};

struct ImportRow
{
    int row = 0;                 // 1-based, as the spreadsheet numbers it
    QList<ImportCell> cells;     // by column from A; may be shorter than the widest row
};

struct ImportTable
{
    ImportFormat format = ImportFormat::Text;
    TextEncoding encoding = TextEncoding::Windows1251; // of a text export
    QChar separator;                                    // of a text export
    QStringList sheets;        // of a workbook: the sheets that hold data, in order
    QString sheet;             // the sheet read
    QList<ImportRow> rows;     // rows holding anything, in order; empty rows left out
    QByteArray source;         // a text export's bytes as read
    bool formulasUnread = false; // .xls: a formula cell reads as empty

    bool isWorkbook() const { return format != ImportFormat::Text; }
    // The Windows-1251 TAB-separated text the program always read.
    bool isPlainTabText() const
    {
        return format == ImportFormat::Text && encoding == TextEncoding::Windows1251 && separator == u'\t';
    }
};

struct ImportOptions
{
    // The sheet to read, by its name or its 1-based number among all the tabs;
    // empty: the first sheet holding data.
    QString sheet;
};

// Throws UserError when the bytes are a workbook that cannot be read or
// lacks the sheet asked for. Anything that is not a workbook is a text export.
ImportTable ReadImportTable(const QByteArray &bytes, const ImportOptions &options = {});

// Messages.
QString UnreadableWorkbookMessage();           // the workbook is damaged or protected
QString NoSuchSheetMessage(const QString &sheet);
