#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

class QMimeData;

// Rows copied from a spreadsheet: its text, one row a line and TAB between
// cells (a quoted cell may hold TABs and line ends), or else its HTML table.
// A final line end adds no row.
QList<QStringList> ClipboardRows(const QMimeData *data);
QList<QStringList> TabTextRows(const QString &text);
QList<QStringList> HtmlTableRows(const QString &html);

// The rows as a UTF-8 text export with TABs, which the imports read with
// their preview; a cell holding a TAB, a quote or a line end is quoted.
QByteArray ClipboardRowsText(const QList<QStringList> &rows);
