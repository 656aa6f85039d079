#include "cli/SheetRowsOptions.h"

#include "common/UserError.h"

using namespace Qt::StringLiterals;

QStringList SheetRowsOptions::names()
{
    return {u"--sheet"_s, u"--columns"_s, u"--header"_s};
}

SheetRowsOptions SheetRowsOptions::from(const CliArguments &arguments, int fieldCount)
{
    SheetRowsOptions options;
    options.import.sheet = arguments.value(u"--sheet"_s);
    if (arguments.has(u"--sheet"_s) && options.import.sheet.isEmpty())
        throw UserError(u"--sheet takes a sheet's number or name"_s);
    if (arguments.has(u"--columns"_s)) {
        const auto columns = ParseColumns(arguments.value(u"--columns"_s));
        if (!columns || columns->size() != fieldCount)
            throw UserError(u"--columns takes %1 column letters or numbers, separated by commas"_s.arg(fieldCount));
        options.columns = *columns;
    }
    const QString header = arguments.value(u"--header"_s);
    if (header == u"yes"_s)
        options.header = HeaderMode::Yes;
    else if (header == u"no"_s)
        options.header = HeaderMode::No;
    else if (arguments.has(u"--header"_s) && header != u"auto"_s)
        throw UserError(u"--header takes yes, no or auto"_s);
    return options;
}

QString SheetRowsOptions::help()
{
    return u"  The rows may also come from an .xlsx, .ods or .xls workbook, or from a CSV\n"
           u"  or text export in UTF-8, UTF-16 or Windows-1251 separated by TAB, ; or ,.\n"
           u"  --sheet N|NAME  the workbook's sheet (default: the first holding data)\n"
           u"  --columns B,D,F the sheet's columns of the fields, in their order\n"
           u"  --header yes|no|auto  whether the first row is a header (auto: told by its cells)\n"_s;
}

QByteArray SheetRowsAsTabText(const QString &path, const QByteArray &bytes, const SheetRowsOptions &options,
                              TableLayout layout, QTextStream &err)
{
    layout.columns = options.columns;
    layout.header = options.header;
    const QString place = path + u": "_s;
    ImportTable table;
    try {
        table = ReadImportTable(bytes, options.import);
    } catch (const UserError &e) {
        throw UserError(place + e.text());
    }
    TableTabText tab = ToTabText(table, layout);
    if (!tab.ok())
        throw UserError(place + tab.refusal->message);
    for (const TableReplacement &r : tab.replacements)
        err << place << CellPlace(table, r.row, r.column) << u"«"_s << r.from << u"» заменена на «"_s << r.to
            << u"»\n"_s;
    return std::move(tab.bytes);
}
