#include "cli/Command.h"

#include "clients/ClientListVerify.h"
#include "common/Clock.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/BankFileReader.h"
#include "payroll/PayrollVerify.h"

#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace {

int RunVerify(const QStringList &args, QTextStream &out, QTextStream &err)
{
    bool json = false;
    bool strict = false;
    QStringList files;
    for (const QString &arg : args) {
        if (arg == u"--json"_s)
            json = true;
        else if (arg == u"--strict"_s)
            strict = true;
        else if (arg.startsWith(u"--"_s))
            files << QString(); // no option of ours: a usage error below
        else
            files << arg;
    }
    if (files.size() != 1 || files.first().isEmpty()) {
        PrintCliError(err, u"kardolist-cli verify: give exactly one file; see --help"_s);
        return 1;
    }
    const QString file = files.first();
    try {
        const SystemClock clock;
        const ClientListRules clientRules(clock.now().date());
        const VerifyReport report = VerifyBankFile(file, ReadBankFileBytes(file), {&PayrollFileRules(), &clientRules});
        const bool refusedWarnings = strict && !report.warnings.isEmpty();
        const bool ok = report.clean() && !refusedWarnings;
        if (json) {
            out << QJsonDocument(VerifyReportJson(report, file, ok)).toJson(QJsonDocument::Indented);
        } else {
            QStringList lines = FormatVerifyReport(report);
            if (report.clean() && refusedWarnings)
                lines.last() = u"Refused: warnings under --strict"_s; // in place of "OK"
            for (const QString &line : lines)
                out << line << "\n";
        }
        return ok ? 0 : 1;
    } catch (const UserError &e) {
        PrintCliError(err, e.text());
        return 1;
    }
}

const CliCommandRegistrar registrar(CliCommand{
    u"verify"_s,
    u"verify [--json] [--strict] FILE"_s,
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
    u"  CRCs. Exit 0 when clean.\n"
    u"  Warnings apart (\"line N: warning: ...\"): what the bank may refuse though the\n"
    u"  file is well formed: a card number that is not 16 digits or fails its check\n"
    u"  digit, a card on two lines, amounts of zero, below zero or above ten times\n"
    u"  the median; a document past its expiry, a client under 16, a taxpayer number\n"
    u"  or a person twice, an empty place of birth, tax office, mobile number or\n"
    u"  issuing authority. Warnings alone pass, unless --strict is given.\n"
    u"  --json prints one JSON object instead: kind, file, ok, rows, total, crc\n"
    u"  {stored, computed}, errors and warnings as {line, field, code, message}."_s,
    RunVerify,
});

} // namespace
