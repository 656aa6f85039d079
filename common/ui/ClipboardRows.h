#pragma once

#include <QList>
#include <QStringList>

class QMimeData;

// Rows copied from a spreadsheet: its text, one row a line and TAB between
// cells (a quoted cell may hold TABs and line ends), or else its HTML table.
// A final line end adds no row.
QList<QStringList> ClipboardRows(const QMimeData *data);
QList<QStringList> TabTextRows(const QString &text);
QList<QStringList> HtmlTableRows(const QString &html);
