#include "cli/WarningsReport.h"

#include "cli/Command.h"
#include "clients/ClientWarnings.h"
#include "common/UserError.h"
#include "payroll/PayrollWarnings.h"

using namespace Qt::StringLiterals;

namespace {

const QString kStrict = u"--strict"_s;
const QString kExpectTotal = u"--expect-total"_s;

qsizetype FileLine(qsizetype row)
{
    return row + 2;
}

void PrintWarnings(const QList<Warning> &warnings, QTextStream &err)
{
    for (const Warning &w : warnings)
        err << u"warning: line %1: %2"_s.arg(FileLine(w.row)).arg(w.message) << "\n";
}

bool StrictRefuses(const QList<Warning> &warnings, const WarningOptions &options, QTextStream &err)
{
    if (!options.strict || warnings.isEmpty())
        return false;
    PrintCliError(err, u"Есть предупреждения (%1), а задан --strict: файл не записан"_s.arg(warnings.size()));
    return true;
}

} // namespace

WarningOptions TakeWarningOptions(QStringList &args, WarningOptions::Document document)
{
    WarningOptions options;
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == kStrict) {
            options.strict = true;
            continue;
        }
        if (document != WarningOptions::Payroll || !(arg == kExpectTotal || arg.startsWith(kExpectTotal + u'='))) {
            rest << arg;
            continue;
        }
        QString value;
        if (arg == kExpectTotal) {
            if (i + 1 >= args.size())
                throw UserError(u"%1 needs a value"_s.arg(kExpectTotal));
            value = args[++i];
        } else {
            value = arg.mid(kExpectTotal.size() + 1);
        }
        value.replace(u',', u'.');
        options.expectTotal = Money::parseAmountText(value);
        if (!options.expectTotal)
            throw UserError(u"%1 takes an amount such as 1234567.50"_s.arg(kExpectTotal));
    }
    args = rest;
    return options;
}

bool ReportWarnings(const QList<Warning> &warnings, const WarningOptions &options, QTextStream &err)
{
    PrintWarnings(warnings, err);
    return !StrictRefuses(warnings, options, err);
}

Money RegisterTotal(const PayrollRows &rows)
{
    Money total;
    for (qsizetype row = 0; row < rows.size(); ++row)
        total += Money::fromAmountText(rows.amount(row));
    return total;
}

bool CheckBeforeSave(const PayrollRows &rows, const WarningOptions &options, QTextStream &err)
{
    const QList<Warning> warnings = PayrollWarnings(rows, FileLine);
    PrintWarnings(warnings, err);
    if (options.expectTotal) {
        const Money total = RegisterTotal(rows);
        if (total != *options.expectTotal) {
            PrintCliError(err, u"Итог ведомости %1 не равен ожидаемому %2: файл не записан"_s.arg(
                                       total.toDisplay(), options.expectTotal->toDisplay()));
            return false;
        }
    }
    return !StrictRefuses(warnings, options, err);
}

bool CheckBeforeSave(const ClientRecords &records, QDate today, const WarningOptions &options, QTextStream &err)
{
    return ReportWarnings(ClientWarnings(records, today, FileLine), options, err);
}
