// ReadPayrollFile and the bank-side checker on arbitrary bytes: a document
// or UserError, never a crash; the rows the reader accepted build into a
// file that reads back the same, amounts without their blanks.
#include "common/UserError.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollVerify.h"

#include <QDateTime>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)FormatVerifyReport(VerifyBankFile(bytes, PayrollFileRules()));

    PayrollFileContents contents;
    try {
        contents = ReadPayrollFile(bytes);
        (void)MonthIndexFromField(contents.monthField);
    } catch (const UserError &) {
        return 0;
    }

    QList<PayrollRow> written;
    for (const PayrollRow &row : contents.rows) {
        if (IsWrittenRow(row))
            written.append(row);
    }
    PayrollHeader header;
    header.registerNumber = QStringLiteral("00001");
    header.date = QStringLiteral("01.02.2026");
    header.monthIndex = 1;
    header.year = QStringLiteral("2026");
    const QDateTime moment(QDate(2026, 2, 1), QTime(10, 0, 0));
    const QByteArray file = BuildPayrollFile(SettingsRecord{}, header, written, moment);
    // Amounts are written in plain form, without their blanks.
    for (PayrollRow &row : written)
        row.amount.remove(QLatin1Char(' '));
    if (ReadPayrollFile(file).rows != written)
        std::abort();
    return 0;
}
