// ImportPayrollText on arbitrary bytes, then the save's steps on its rows:
// rows or UserError, never a crash; rows the save would write read back
// unchanged from the file.
#include "common/UserError.h"
#include "payroll/PayrollAmounts.h"
#include "payroll/PayrollChecks.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollTextImport.h"

#include <QDateTime>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    PayrollRows rows;
    try {
        rows = ImportPayrollText(bytes);
    } catch (const UserError &) {
        return 0;
    }
    for (const PayrollRow &row : rows) {
        if (row.card.contains(u' ') || row.name.contains(u'\t') || row.card.contains(u'\t')
            || row.amount.contains(u','))
            std::abort();
    }
    (void)FirstUnfilledCell(rows);
    (void)FirstBadCardRow(rows);
    try {
        rows = ToPlainAmounts(rows);
    } catch (const UserError &) {
        return 0;
    }

    QList<PayrollRow> written;
    for (const PayrollRow &row : rows) {
        if (IsWrittenRow(row))
            written.append(row);
    }
    PayrollHeader header;
    header.registerNumber = PadRegisterNumberText(QStringLiteral("   12"));
    header.date = QStringLiteral("01.02.2026");
    header.monthIndex = 1;
    header.year = QStringLiteral("2026");
    const QDateTime moment(QDate(2026, 2, 1), QTime(10, 0, 0));
    const QByteArray file = BuildPayrollFile(SettingsRecord{}, header, rows, moment);
    if (ReadPayrollFile(file).rows != written)
        std::abort();
    return 0;
}
