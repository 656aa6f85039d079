#include "cli/Command.h"

#include "common/Money.h"
#include "common/UserError.h"
#include "payroll/AmountInWords.h"

using namespace Qt::StringLiterals;

namespace {

int RunWords(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty()) {
        PrintCliError(err, u"kardolist-cli words: an amount is needed; see --help"_s);
        return 1;
    }
    try {
        // "1 500 000.00" may arrive as several arguments; blanks do not count.
        out << AmountInWords(Money::fromAmountText(args.join(u' '))) << "\n";
        return 0;
    } catch (const UserError &e) {
        PrintCliError(err, u"kardolist-cli words: "_s + e.text());
        return 1;
    }
}

const CliCommandRegistrar registrar({
    u"words"_s,
    u"words AMOUNT"_s,
    u"  Prints AMOUNT in Russian words, as the printed payroll register states its\n"
    "  total: \"Один миллион ... сум 89 тийин\". AMOUNT is read as an amount cell is\n"
    "  (blanks ignored, \".\" as decimal point, an exponent allowed) and must be\n"
    "  below 1 000 000 000 000; a negative amount reads \"Минус ...\"."_s,
    RunWords,
});

} // namespace
