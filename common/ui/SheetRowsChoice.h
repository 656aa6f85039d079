#pragma once

#include "common/sheet/TableTabText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Dialogs;
class QWidget;

// The document an import of rows fills: its fields, and the name under
// which the columns chosen for them are remembered.
struct SheetRowsDocument
{
    TableLayout layout;
    QStringList fieldNames;
    QString key;                 // "payroll", "clients"
};

// A file's rows as the TAB text the document's import reads. A workbook
// with more than one sheet holding data asks which; anything but the
// import's own text is shown in the preview first, with the columns last
// chosen for this document. Nothing when the user cancelled. Throws
// UserError for a file that cannot be read or is refused. beforeAsking runs
// before the first dialog, to take a progress display away.
std::optional<QByteArray> ChooseSheetRows(Dialogs &dialogs, QWidget *parent, const QByteArray &bytes,
                                          const SheetRowsDocument &document,
                                          const std::function<void()> &beforeAsking = {});

// The open dialog's filter of the imports: their text first, then every
// file they read.
QString SheetRowsFilter();
