#include "cli/Command.h"

#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollVerify.h"

using namespace Qt::StringLiterals;

namespace {

int RunVerify(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1 || args.first().startsWith(u"--"_s)) {
        PrintCliError(err, u"kardolist-cli verify: give exactly one file; see --help"_s);
        return 1;
    }
    try {
        const VerifyReport report = VerifyBankFile(args.first(), ReadPayrollFileBytes(args.first()));
        for (const QString &line : FormatVerifyReport(report))
            out << line << "\n";
        return report.clean() ? 0 : 1;
    } catch (const UserError &e) {
        PrintCliError(err, e.text());
        return 1;
    }
}

const CliCommandRegistrar registrar(CliCommand{
    u"verify"_s,
    u"verify FILE"_s,
    u"  Checks a payroll register file as the bank receives it: every line ends in\n"
    u"  TAB CR LF; an H line, D lines, then one T line; line numbers 0000000001 and\n"
    u"  rising; each line's fields (codes, dates, digits-only card numbers, amounts\n"
    u"  in the plain form 1234567.50); the trailer's CRC-32 against the header and\n"
    u"  detail lines. Prints every problem with its line number, then the kind of\n"
    u"  file, the number of detail lines, the total and both CRCs. Exit 0 when clean."_s,
    RunVerify,
});

} // namespace
