#include "cli/RowsFileArguments.h"

#include "common/UserError.h"

using namespace Qt::StringLiterals;

QByteArray RowsFileArguments::tabText(const QByteArray &bytes, QTextStream &err) const
{
    return SheetRowsAsTabText(rowsPath, bytes, sheetRows, layout, err);
}

RowsFileArguments ParseRowsFileArguments(QStringList args, WarningOptions::Document document,
                                         const QStringList &ownOptions, const TableLayout &layout)
{
    RowsFileArguments a;
    a.warnings = TakeWarningOptions(args, document);
    a.own = ParseCliArguments(args, ownOptions + SheetRowsOptions::names());
    if (a.own.positional.size() > 1)
        throw UserError(u"more than one rows file given"_s);
    if (a.own.positional.isEmpty())
        throw UserError(u"no rows file given"_s);
    a.rowsPath = a.own.positional.first();
    a.sheetRows = SheetRowsOptions::from(a.own, layout.fieldCount);
    a.layout = layout;
    return a;
}
