#pragma once

#include "common/sheet/ImportTable.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The sheets of a workbook as rows of cell texts, read by the libraries an
// office suite itself uses: liborcus for .xlsx and .ods, libfreexl for .xls.

struct WorkbookSheet
{
    QString name;
    QList<ImportRow> rows;     // rows holding anything, in order
};

// The workbook format the bytes hold; ImportFormat::Text when none.
ImportFormat DetectWorkbookFormat(const QByteArray &bytes);

// Every sheet, in order; throws UserError(UnreadableWorkbookMessage()).
QList<WorkbookSheet> ReadWorkbookSheets(const QByteArray &bytes, ImportFormat format);
