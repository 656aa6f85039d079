#pragma once

#include "cli/CliArguments.h"
#include "common/sheet/ImportTable.h"
#include "common/sheet/TableTabText.h"

#include <QByteArray>
#include <QStringList>
#include <QTextStream>

// The options of the importing commands that read rows from a spreadsheet or
// its text export: --sheet N|NAME, --columns B,D,F, --header yes|no|auto.
struct SheetRowsOptions
{
    ImportOptions import;
    QList<int> columns;                   // empty: the text import's order
    HeaderMode header = HeaderMode::Auto;

    static QStringList names();
    // Throws UserError with a usage problem; fieldCount: the document's fields.
    static SheetRowsOptions from(const CliArguments &arguments, int fieldCount);
    // The usage lines the commands' help shows.
    static QString help();
};

// The file's rows as the TAB text the document's import reads. Replacements
// are noted on err; a refusal, an unreadable workbook or a missing sheet
// throws UserError with its message after the path.
QByteArray SheetRowsAsTabText(const QString &path, const QByteArray &bytes, const SheetRowsOptions &options,
                              TableLayout layout, QTextStream &err);
