#include "common/ui/SheetRowsChoice.h"

#include "common/UserError.h"
#include "common/ui/Dialogs.h"
#include "common/ui/SheetRowsImport.h"

#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

QString SettingsKey(const SheetRowsDocument &document)
{
    return u"sheetColumns/"_s + document.key;
}

QList<int> RememberedColumns(const SheetRowsDocument &document)
{
    QList<int> columns;
    const QStringList parts = QSettings().value(SettingsKey(document)).toString().split(u',', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        bool ok = false;
        const int column = part.toInt(&ok);
        if (!ok)
            return {};
        columns << column;
    }
    return columns;
}

void RememberColumns(const SheetRowsDocument &document, const QList<int> &columns)
{
    QStringList parts;
    for (int column : columns)
        parts << QString::number(column);
    QSettings().setValue(SettingsKey(document), parts.join(u','));
}

} // namespace

QString SheetRowsFilter()
{
    return u"txt|*.txt|Таблицы и текст|*.xlsx *.ods *.xls *.csv *.tsv *.txt"_s;
}

std::optional<QByteArray> ChooseSheetRows(Dialogs &dialogs, QWidget *parent, const QByteArray &bytes,
                                          const SheetRowsDocument &document, const std::function<void()> &beforeAsking)
{
    const auto ask = [&beforeAsking] {
        if (beforeAsking)
            beforeAsking();
    };
    ImportTable table = ReadImportTable(bytes);
    if (table.sheets.size() > 1) {
        ask();
        const int sheet = dialogs.chooseSheet(parent, table.sheets);
        if (sheet < 0 || sheet >= table.sheets.size())
            return std::nullopt;
        if (table.sheets[sheet] != table.sheet)
            table = ReadImportTable(bytes, {table.sheets[sheet]});
    }
    SheetRowsImport rows(std::move(table), document.layout, document.fieldNames);
    if (rows.isOwnText())
        return rows.tabText().bytes;

    rows.setColumns(RememberedColumns(document));
    ask();
    if (!dialogs.sheetRowsPreview(parent, rows))
        return std::nullopt;
    RememberColumns(document, rows.columns());
    if (!rows.tabText().ok())
        throw UserError(rows.tabText().refusal->message);
    return rows.tabText().bytes;
}
