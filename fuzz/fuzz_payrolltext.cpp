// ImportPayrollText on arbitrary bytes, then the save's steps on its rows:
// never a crash; rows the save would write read back unchanged from the file.
#include "common/UserError.h"
#include "payroll/PayrollFile.h"

#include <QDateTime>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    PayrollRows rows = ImportPayrollText(bytes);
    for (const PayrollRow &row : rows) {
        if (row.card.contains(u' ') || row.name.contains(u'\t') || row.card.contains(u'\t')
            || row.amount.contains(u','))
            std::abort();
    }
    (void)TableFilled(rows);
    (void)CardNumbersValid(rows);
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
