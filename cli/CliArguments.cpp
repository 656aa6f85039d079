#include "cli/CliArguments.h"

#include "common/UserError.h"

using namespace Qt::StringLiterals;

CliArguments ParseCliArguments(const QStringList &args, const QStringList &optionNames)
{
    CliArguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(u"--"_s)) {
            parsed.positional << arg;
            continue;
        }
        const qsizetype eq = arg.indexOf(u'=');
        const QString name = eq < 0 ? arg : arg.left(eq);
        if (!optionNames.contains(name))
            throw UserError(u"unknown option %1"_s.arg(name));
        if (eq >= 0) {
            parsed.options.insert(name, arg.mid(eq + 1));
        } else {
            if (i + 1 >= args.size())
                throw UserError(u"%1 needs a value"_s.arg(name));
            parsed.options.insert(name, args[++i]);
        }
    }
    return parsed;
}
