#include "cli/Command.h"
#include "cli/RowsFileArguments.h"
#include "cli/SavingCommand.h"

#include "common/Clock.h"
#include "common/Digits.h"
#include "common/UserError.h"
#include "payroll/PayrollAmounts.h"
#include "payroll/PayrollSave.h"
#include "payroll/PayrollSheetLayout.h"
#include "payroll/PayrollTextImport.h"

#include <QDate>
#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// The header as the window's boxes would hold it after typing these values:
// an unfilled place is a blank, so a missing value fails the header check.
PayrollHeader HeaderAsTyped(const CliArguments &parsed)
{
    PayrollHeader h;
    const QString number = parsed.value(u"--number"_s);
    if (!AllAsciiDigits(number) || number.size() > 5)
        throw UserError(u"--number takes up to 5 digits"_s);
    h.registerNumber = number.rightJustified(5, u' '); // the mask fills from the right

    h.date = parsed.value(u"--date"_s);
    if (parsed.has(u"--date"_s) && !QDate::fromString(h.date, u"dd.MM.yyyy"_s).isValid())
        throw UserError(u"--date takes a date as DD.MM.YYYY"_s);

    if (parsed.has(u"--month"_s)) {
        bool ok = false;
        const int m = parsed.value(u"--month"_s).toInt(&ok);
        if (!ok || m < 1 || m > 12)
            throw UserError(u"--month takes a number from 1 to 12"_s);
        h.monthIndex = m - 1;
    }

    const QString year = parsed.value(u"--year"_s);
    if (!AllAsciiDigits(year) || year.size() > 4)
        throw UserError(u"--year takes up to 4 digits"_s);
    h.year = year.leftJustified(4, u' ');
    return h;
}

// A card number that is not digits is named by its row, counted as the
// window numbers them; the window frames the cell instead.
QString RowNamed(const PayrollSaveOutcome &outcome, const PayrollRows &rows)
{
    if (outcome.field != PayrollField::Card || outcome.row < 0 || rows.card(outcome.row).isEmpty())
        return QString();
    return u" (строка %1)"_s.arg(outcome.row + 1);
}

int RunPayroll(const QStringList &args, QTextStream &out, QTextStream &err)
{
    RowsFileArguments arguments;
    PayrollHeader header;
    const auto parse = [&] {
        arguments = ParseRowsFileArguments(args, WarningOptions::Payroll,
                                           {u"--number"_s, u"--date"_s, u"--month"_s, u"--year"_s},
                                           PayrollTableLayout());
        header = HeaderAsTyped(arguments.own);
    };
    return RunSavingCommand(u"payroll"_s, err, parse, [&] {
        PayrollRows rows = ImportPayrollText(arguments.tabText(ReadPayrollTextBytes(arguments.rowsPath), err));
        if (rows.isEmpty())
            rows.append(PayrollRow()); // the window shows one empty row then

        PayrollSaveRequest request{header, ToPlainAmounts(std::move(rows)), QString()};
        if (!CheckBeforeSave(request.rows, arguments.warnings, err))
            return 1;
        const SystemClock clock;
        const PayrollSaveOutcome outcome = SavePayroll(request, clock);
        if (outcome.kind != PayrollSaveOutcome::Kind::Saved)
            throw UserError(outcome.message + RowNamed(outcome, request.rows));
        out << outcome.path << "\n";
        return 0;
    });
}

const CliCommandRegistrar registrar(CliCommand{
    u"payroll"_s,
    u"payroll ROWS.txt [--number N] [--date DD.MM.YYYY] [--month M] [--year YYYY] "
    u"[--strict] [--expect-total AMOUNT] [--sheet N|NAME] [--columns LIST] [--header yes|no|auto]"_s,
    u"  Saves a payroll register from a TAB-separated text of rows (full name, card\n"
    u"  number, amount), read as the window's \"Открыть из *.txt\" reads it. The header\n"
    u"  is taken as if typed: --number up to 5 digits (padded to 5), --date as picked\n"
    u"  from the calendar, --month 1 to 12, --year 4 digits. The save's checks run in\n"
    u"  the window's order with its messages (on standard error; nothing is written);\n"
    u"  a card number that is not all digits is named by its row, \"(строка N)\".\n"
    u"  Needs \"settings.ini\" in the current directory. Writes (replacing silently)\n"
    u"  Кардолист/<year>/ZPSV<branch><client><month><year><number> in Windows-1251\n"
    u"  and prints its path.\n"
    u"  Warnings go to standard error as \"warning: line N: ...\" (N the line in the\n"
    u"  file) and the file is still written: a card number that is not 16 digits or\n"
    u"  fails its check digit, a card on two rows, amounts of zero, below zero or\n"
    u"  above ten times the median (five rows or more). --strict refuses a register\n"
    u"  with any warning; --expect-total AMOUNT (or --expect-total=AMOUNT) refuses one\n"
    u"  whose total differs from AMOUNT, the payment order's, by even a tiyin. A\n"
    u"  refusal writes nothing and exits 1.\n"_s
            + SheetRowsOptions::help().chopped(1),
    RunPayroll,
});

} // namespace
