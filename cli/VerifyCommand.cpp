#include "cli/Command.h"

#include "clients/ClientListVerify.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/BankFileReader.h"
#include "payroll/PayrollVerify.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

int RunVerify(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1 || args.first().startsWith(u"--"_s)) {
        PrintCliError(err, u"kardolist-cli verify: give exactly one file; see --help"_s);
        return 1;
    }
    try {
        const ClientListRules clientRules(QDate::currentDate().year());
        const VerifyReport report = VerifyBankFile(args.first(), ReadBankFileBytes(args.first()),
                                                   {&PayrollFileRules(), &clientRules});
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
    u"  Checks a payroll register or a client list file as the bank receives it;\n"
    u"  the kind is told by the header line (9 fields: payroll, 5: client list),\n"
    u"  else by the name (ZPSV..., CLSV...). Every line ends in TAB CR LF; an H line,\n"
    u"  D lines, then one T line; line numbers 0000000001 and rising (a client list\n"
    u"  without a gap, so its trailer holds the clients + 2); each line's fields:\n"
    u"  for a register codes, dates, digits-only card numbers, amounts in the plain\n"
    u"  form 1234567.50; for a client list the sex code M or F, the document code\n"
    u"  1-7, 9 or empty, real dates of birth, issue and expiry where filled, a\n"
    u"  nine-digit taxpayer number; the trailer's CRC-32 against the header and\n"
    u"  detail lines. Prints every problem with its line number, then the kind of\n"
    u"  file, the number of detail lines (clients), the register's total and both\n"
    u"  CRCs. Exit 0 when clean."_s,
    RunVerify,
});

} // namespace
