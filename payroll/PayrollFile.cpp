#include "payroll/PayrollFile.h"

#include "common/BankFileWriter.h"
#include "common/TextRoutines.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString kSpace = u" "_s;
const QString kZero = u"0"_s;

// The codes and the register number go into the file with a 0 for each blank.
QString Zeroed(const QString &text)
{
    return ReplaceAll(text, kSpace, kZero);
}

// 0 -> "01" ... 11 -> "12"
QString MonthDigits(int monthIndex)
{
    const int month = monthIndex + 1;
    return month < 10 ? kZero + QString::number(month) : QString::number(month);
}

void WriteHeaderLine(BankFileWriter &out, const SettingsRecord &settings, const PayrollHeader &header,
                     const QDateTime &moment)
{
    out.field(u"H");
    out.lineNumberField(1);
    out.field(moment.toString(u"dd.MM.yyyy HH:mm:ss"_s));
    out.field(Zeroed(settings.filialCode));
    out.field(Zeroed(settings.organisationCode));
    out.field(ReplaceAll(header.date, kSpace, QString()));
    out.field(MonthDigits(header.monthIndex));
    out.field(header.year);
    out.field(Zeroed(header.registerNumber));
    out.endLine();
}

void WriteRegister(BankFileWriter &out, const SettingsRecord &settings, const PayrollHeader &header,
                   const PayrollRows &rows, const QDateTime &moment)
{
    WriteHeaderLine(out, settings, header, moment);
    rows.forEachRow([&out](qsizetype i, QStringView name, QStringView card, QStringView amount) {
        if (IsWrittenRow(name, card, amount)) {
            out.field(u"D");
            // Grid row i + 1 is numbered i + 2: left-out rows leave a gap.
            out.lineNumberField(i + 2);
            out.field(name);
            out.field(card);
            out.fieldWithoutBlanks(amount);
            out.endLine();
        }
        return true;
    });
    // The grid's row count includes its header row: N data rows give N + 2.
    out.trailer(rows.size() + 2);
}

} // namespace

QString SaveFolder()
{
    return u"Кардолист"_s;
}

QString PayrollFilePath(const SettingsRecord &settings, const PayrollHeader &header)
{
    CheckBankCodes(settings);
    return SaveFolder() + u"/"_s + header.year + u"/ZPSV"_s + Zeroed(settings.filialCode)
            + Zeroed(settings.organisationCode) + MonthDigits(header.monthIndex) + header.year
            + Zeroed(header.registerNumber);
}

QString HeaderKeyText(const SettingsRecord &settings, const PayrollHeader &header)
{
    const QString fields[] = {
        Zeroed(settings.filialCode),
        Zeroed(settings.organisationCode),
        header.date,
        MonthDigits(header.monthIndex),
        header.year,
        Zeroed(header.registerNumber),
    };
    QString key;
    for (const QString &f : fields) {
        key += f;
        key += FieldSeparator;
    }
    return key;
}

bool PayrollFirstLineAccepted(QStringView line)
{
    // A line too short to hold the tested character fails as well.
    return line.startsWith(QLatin1Char('H')) || (line.size() >= 2 && line[1] == FieldSeparator);
}

bool IsWrittenRow(QStringView name, QStringView card, QStringView amount)
{
    return !name.isEmpty() && !card.isEmpty() && amount != u"0.00";
}

qint64 PayrollFileSize(const SettingsRecord &settings, const PayrollHeader &header, const PayrollRows &rows)
{
    BankFileWriter headerLine;
    WriteHeaderLine(headerLine, settings, header, QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    qint64 size = headerLine.size() + BankFileWriter::kTrailerSize;
    rows.forEachRow([&size](qsizetype, QStringView name, QStringView card, QStringView amount) {
        if (IsWrittenRow(name, card, amount))
            size += 1 + BankFileWriter::kLineNumberSize + name.size() + card.size()
                    + (amount.size() - std::count(amount.begin(), amount.end(), QLatin1Char(' ')))
                    + BankFileWriter::lineOverhead(5);
        return true;
    });
    return size;
}

qint64 PayrollFileSizeBound(const SettingsRecord &settings, const PayrollHeader &header, const PayrollRows &rows)
{
    BankFileWriter headerLine;
    WriteHeaderLine(headerLine, settings, header, QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    qint64 size = headerLine.size() + BankFileWriter::kTrailerSize;
    rows.forEachRow([&size](qsizetype, QStringView name, QStringView card, QStringView amount) {
        if (!name.isEmpty() && !card.isEmpty())
            size += 1 + BankFileWriter::kLineNumberSize + name.size() + card.size() + amount.size()
                    + BankFileWriter::lineOverhead(5);
        return true;
    });
    return size;
}

QByteArray BuildPayrollFile(const SettingsRecord &settings, const PayrollHeader &header, const PayrollRows &rows,
                            const QDateTime &moment)
{
    BankFileWriter out(PayrollFileSize(settings, header, rows));
    WriteRegister(out, settings, header, rows, moment);
    return out.take();
}

bool WritePayrollFile(QIODevice &device, const SettingsRecord &settings, const PayrollHeader &header,
                      const PayrollRows &rows, const QDateTime &moment)
{
    // Chunks that stay in the cache on their way to the file.
    BankFileWriter out(device, 64 * 1024);
    WriteRegister(out, settings, header, rows, moment);
    return out.finish();
}
