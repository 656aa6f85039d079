// A table's text export on arbitrary bytes, made into the TAB text of the
// payroll and client imports: never a crash; every line the TAB text holds
// is empty or has exactly the document's fields, one line per sheet row.
// The first 8 bytes also go through the number and date cell conversions.
#include "common/sheet/ImportTable.h"
#include "common/sheet/SheetCells.h"
#include "common/sheet/TableTabText.h"

#include <QDate>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void CheckLines(const ImportTable &table, const TableLayout &layout)
{
    const TableTabText tab = ToTabText(table, layout);
    if (!tab.ok() || table.isPlainTabText())
        return;
    if (tab.bytes.contains('\0'))
        std::abort();
    const QList<QByteArray> lines = tab.bytes.split('\n');
    const int rows = table.rows.isEmpty() ? 0 : table.rows.last().row;
    if (lines.size() != rows + 1 || !lines.last().isEmpty())
        std::abort();
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        if (!line.endsWith('\r') || line.count('\r') != 1)
            std::abort();
        if (line.size() > 1 && line.count('\t') != layout.fieldCount - 1)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            const QString text = NumberCellText(value);
            if (text.toDouble() != value)
                std::abort();
        }
        (void)SerialDateText(value, QDate(1899, 12, 30));
    }
    (void)IsDateFormatCode(std::string_view(bytes.constData(), size_t(bytes.size())));
    // Workbooks are the libraries' to parse; what is fuzzed here is our part.
    if (bytes.startsWith("PK") || bytes.startsWith("\xD0\xCF"))
        return 0;

    const ImportTable table = ReadImportTable(bytes);
    TableLayout payroll;
    payroll.fieldCount = 3;
    payroll.amountField = 2;
    payroll.cardField = 1;
    CheckLines(table, payroll);
    TableLayout clients;
    clients.fieldCount = 13;
    clients.dateField = 5;
    clients.columns = {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    CheckLines(table, clients);
    return 0;
}
