#pragma once

#include "cli/CliArguments.h"
#include "cli/SheetRowsOptions.h"
#include "cli/WarningsReport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

// The arguments of a command that saves a document from a file of rows:
// the warning options, the one rows file with its sheet options, and the
// command's own options.
struct RowsFileArguments
{
    WarningOptions warnings;
    QString rowsPath;
    SheetRowsOptions sheetRows;
    TableLayout layout;
    CliArguments own;

    // The rows file's bytes as the TAB text the document's import reads
    // (SheetRowsAsTabText).
    QByteArray tabText(const QByteArray &bytes, QTextStream &err) const;
};

// Throws UserError with a usage problem: an option the command does not
// take, or not exactly one rows file.
RowsFileArguments ParseRowsFileArguments(QStringList args, WarningOptions::Document document,
                                         const QStringList &ownOptions, const TableLayout &layout);
