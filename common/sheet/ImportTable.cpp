#include "common/sheet/ImportTable.h"

#include "common/Digits.h"
#include "common/UserError.h"
#include "common/sheet/WorkbookSheets.h"

using namespace Qt::StringLiterals;

namespace {

ImportTable TextTable(const QByteArray &bytes)
{
    ImportTable table;
    table.source = bytes;
    DecodedText decoded = DecodeTableText(bytes);
    table.encoding = decoded.encoding;
    table.separator = DetectSeparator(decoded.text);
    QList<DelimitedRecord> records = SplitDelimited(decoded.text, table.separator);
    decoded.text = QString();
    table.rows.reserve(records.size());
    for (DelimitedRecord &record : records) {
        ImportRow row{record.row, {}};
        row.cells.reserve(record.fields.size());
        for (QString &field : record.fields) {
            const ImportCell::Kind kind = field.isEmpty() ? ImportCell::Empty : ImportCell::Text;
            row.cells.append(ImportCell{std::move(field), kind});
        }
        table.rows.append(std::move(row));
    }
    return table;
}

qsizetype ChosenSheet(const QList<WorkbookSheet> &sheets, const QString &wanted)
{
    if (wanted.isEmpty()) {
        for (qsizetype i = 0; i < sheets.size(); ++i)
            if (!sheets[i].rows.isEmpty())
                return i;
        return sheets.isEmpty() ? -1 : 0;
    }
    for (qsizetype i = 0; i < sheets.size(); ++i)
        if (sheets[i].name == wanted)
            return i;
    if (AllAsciiDigits(wanted) && wanted.size() < 6) {
        const qsizetype number = wanted.toInt();
        if (number >= 1 && number <= sheets.size())
            return number - 1;
    }
    throw UserError(NoSuchSheetMessage(wanted));
}

} // namespace

ImportTable ReadImportTable(const QByteArray &bytes, const ImportOptions &options)
{
    const ImportFormat format = DetectWorkbookFormat(bytes);
    if (format == ImportFormat::Text)
        return TextTable(bytes);

    QList<WorkbookSheet> sheets = ReadWorkbookSheets(bytes, format);
    ImportTable table;
    table.format = format;
    table.formulasUnread = format == ImportFormat::Xls;
    for (const WorkbookSheet &sheet : sheets)
        if (!sheet.rows.isEmpty())
            table.sheets.append(sheet.name);
    const qsizetype chosen = ChosenSheet(sheets, options.sheet);
    if (chosen >= 0) {
        table.sheet = sheets[chosen].name;
        table.rows = std::move(sheets[chosen].rows);
    }
    return table;
}

QString UnreadableWorkbookMessage()
{
    return u"Не могу прочитать книгу: файл повреждён, защищён паролем или это не таблица"_s;
}

QString NoSuchSheetMessage(const QString &sheet)
{
    return u"В книге нет листа «"_s + sheet + u"»"_s;
}
