#include "common/sheet/XlsWorkbookReader.h"

#include "common/UserError.h"
#include "common/sheet/SheetCells.h"

#include <QDir>
#include <QTemporaryFile>

#include <freexl.h>

namespace {

QString XlsCellText(const FreeXL_CellValue &value, ImportCell::Kind &kind)
{
    switch (value.type) {
    case FREEXL_CELL_INT:
        kind = ImportCell::Number;
        return QString::number(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        kind = ImportCell::Number;
        return NumberCellText(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME:
        kind = ImportCell::Text;
        return QString::fromUtf8(value.value.text_value);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
        kind = ImportCell::Date;
        return IsoDateText(value.value.text_value);
    default:
        kind = ImportCell::Empty;
        return {};
    }
}

} // namespace

// libfreexl reads from a path only.
QList<WorkbookSheet> XlsWorkbookReader::read(const QByteArray &bytes)
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/kardolist-XXXXXX.xls"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        throw UserError(UnreadableWorkbookMessage());
    const void *handle = nullptr;
    if (freexl_open(QFile::encodeName(file.fileName()).constData(), &handle) != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        throw UserError(UnreadableWorkbookMessage());
    }
    QList<WorkbookSheet> sheets;
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        count = 0;
    for (unsigned short index = 0; index < count; ++index) {
        const char *name = nullptr;
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_get_worksheet_name(handle, index, &name) != FREEXL_OK
            || freexl_select_active_worksheet(handle, index) != FREEXL_OK
            || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
            continue;
        WorkbookSheet sheet{QString::fromUtf8(name ? name : ""), {}};
        for (unsigned int row = 0; row < rows; ++row) {
            ImportRow imported{int(row) + 1, {}};
            for (unsigned short column = 0; column < columns; ++column) {
                FreeXL_CellValue value;
                if (freexl_get_cell_value(handle, row, column, &value) != FREEXL_OK)
                    continue;
                ImportCell::Kind kind = ImportCell::Empty;
                QString text = XlsCellText(value, kind);
                if (text.isEmpty())
                    continue;
                imported.cells.resize(column + 1);
                imported.cells[column] = ImportCell{std::move(text), kind};
            }
            if (!imported.cells.isEmpty())
                sheet.rows.append(std::move(imported));
        }
        sheets.append(std::move(sheet));
    }
    freexl_close(handle);
    return sheets;
}

