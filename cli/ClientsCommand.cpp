#include "cli/CliArguments.h"
#include "cli/Command.h"
#include "cli/RowsFileArguments.h"
#include "cli/SavingCommand.h"

#include "clients/ClientListFile.h"
#include "clients/ClientListSave.h"
#include "clients/ClientSheetLayout.h"
#include "clients/ClientTextImport.h"
#include "common/Clock.h"
#include "common/Cp1251.h"
#include "common/EditMask.h"
#include "common/UserError.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct ClientsArguments
{
    RowsFileArguments rows;
    ClientFields start; // the edit area when the import begins
};

// A text the edit area could hold: no character outside Windows-1251, none
// that would break a line of the file.
QString EditText(const CliArguments &parsed, const QString &option)
{
    const QString text = parsed.value(option);
    if (!Cp1251::canEncode(text))
        throw UserError(u"%1 holds a character that Windows-1251 cannot hold"_s.arg(option));
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x20; }))
        throw UserError(u"%1 holds a control character"_s.arg(option));
    return text;
}

// The mobile field after the value is typed into it: "(90)123-45-67" and
// "901234567" alike give "(90)123-45-67". Set by a program, a value shorter
// than the mask would be right-aligned over its literals, and "901234567"
// would lose its last two digits.
QString MobileAsTyped(const QString &value)
{
    EditMask mask = EditMask::parse(kMobileEditMask.toString());
    mask.fillFromRight = false;
    return mask.storedFromProgramText(value);
}

// Throws UserError with a usage problem.
ClientsArguments ParseArguments(const QStringList &args)
{
    ClientsArguments a;
    a.rows = ParseRowsFileArguments(
            args, WarningOptions::Clients,
            {u"--doc-type"_s, u"--birth-place"_s, u"--tax-office"_s, u"--mobile"_s, u"--issued-by"_s},
            ClientTableLayout());
    const CliArguments &parsed = a.rows.own;
    if (parsed.has(u"--doc-type"_s)) {
        bool ok = false;
        a.start.docType = parsed.value(u"--doc-type"_s).toInt(&ok);
        if (!ok || a.start.docType < -1 || a.start.docType >= kDocTypeCount)
            throw UserError(u"--doc-type takes an index from -1 to %1"_s.arg(kDocTypeCount - 1));
    }
    a.start.placeOfBirth = EditText(parsed, u"--birth-place"_s);
    a.start.taxOffice = EditText(parsed, u"--tax-office"_s);
    a.start.passportIssuedBy = EditText(parsed, u"--issued-by"_s);
    if (parsed.has(u"--mobile"_s))
        a.start.mobileNumber = MobileAsTyped(EditText(parsed, u"--mobile"_s));
    return a;
}

int RunClients(const QStringList &args, QTextStream &out, QTextStream &err)
{
    ClientsArguments arguments;
    return RunSavingCommand(u"clients"_s, err, [&] { arguments = ParseArguments(args); }, [&] {
        const SystemClock clock;
        const RowsFileArguments &rows = arguments.rows;
        const ClientImportResult imported = ImportClientText(rows.tabText(ReadClientTextBytes(rows.rowsPath), err),
                                                             rows.rowsPath, arguments.start, clock.now().date().year());
        if (!imported.ok()) {
            // The window shows this one as it is, without a full stop.
            err << imported.failure->message << "\n";
            return 1;
        }
        // Under --strict a warning refuses before anything is written;
        // otherwise the warnings follow the save's own checks.
        if (rows.warnings.strict && !CheckBeforeSave(imported.records, clock.now().date(), rows.warnings, err))
            return 1;
        // A new file, never one that exists: the save waits for a free name.
        const ClientListSaveResult saved = SaveClientList(imported.records, ClientFileState(), clock, {},
                                                          ClientSaveTarget::NewFileOnly);
        if (saved.outcome.kind == ClientListSaveOutcome::Kind::Saved) {
            if (!rows.warnings.strict)
                CheckBeforeSave(imported.records, clock.now().date(), rows.warnings, err);
            out << saved.outcome.path << "\n";
            return 0;
        }
        throw UserError(saved.outcome.message);
    });
}

QString Usage()
{
    QString text =
            u"  Saves a client list from a TAB-separated text of clients, one a line\n"
            u"  (surname, name, patronymic, sex, taxpayer number, date of birth, phone,\n"
            u"  document series, number, date of issue, place of issue, expiry date,\n"
            u"  address), read and checked line by line as the client window's\n"
            u"  \"Загрузить из txt\" does; the first bad line stops it with the window's\n"
            u"  message, and nothing is written. Every client gets the edit area's other\n"
            u"  fields, given here: --doc-type the document type's list index (default -1,\n"
            u"  none), --birth-place, --tax-office, --issued-by (default empty), --mobile\n"
            u"  as typed into the mobile field: \"(90)123-45-67\" or \"901234567\" (default\n"
            u"  unfilled). Document types:\n"_s;
    for (int i = -1; i < kDocTypeCount; ++i)
        text += u"    %1  %2\n"_s.arg(i, 2).arg(i < 0 ? u"(none)"_s : DocTypeName(i));
    text += u"  Needs \"settings.ini\" in the current directory. Writes a new\n"
            u"  Клиенты/CLSV<branch><client><moment> in Windows-1251 as the window's\n"
            u"  \"Сохранить\" does, never replacing a file: when the name of this second is\n"
            u"  taken it waits for the next. Prints the file's path.\n"
            u"  Warnings go to standard error as \"warning: line N: ...\" (N the line in the\n"
            u"  file) and the file is still written: a document past its expiry, a client\n"
            u"  under 16, a taxpayer number or a person twice, an empty place of birth,\n"
            u"  tax office, mobile number or issuing authority. --strict refuses a list\n"
            u"  with any warning, writing nothing, and exits 1.\n"_s;
    text += SheetRowsOptions::help().chopped(1);
    return text;
}

const CliCommandRegistrar registrar(CliCommand{
    u"clients"_s,
    u"clients ROWS.txt [--doc-type INDEX] [--birth-place TEXT] [--tax-office TEXT] [--mobile TEXT] "
    u"[--issued-by TEXT] [--strict] [--sheet N|NAME] [--columns LIST] [--header yes|no|auto]"_s,
    Usage(),
    RunClients,
});

} // namespace
