#include "cli/Command.h"

#include "clients/ClientListFile.h"
#include "clients/ClientListLoad.h"
#include "clients/ClientListPrintout.h"
#include "clients/ClientListVerify.h"

#include "common/UserError.h"
#include "common/print/PrintoutRenderer.h"
#include "common/BankFileReader.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollPrintout.h"
#include "payroll/PayrollVerify.h"
#include "settings/SettingsRecord.h"

#include <QDate>
#include <QFileInfo>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The same file, also through a link or another spelling of its path.
bool SameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

// Without the bank details the printout would show blank codes; and reading
// would create an empty "settings.ini" as a side effect.
SettingsRecord SettingsForPrinting()
{
    if (!QFileInfo(SettingsFileName()).isFile())
        throw UserError(u"\"%1\" not found in the current directory"_s.arg(SettingsFileName()));
    return ReadSettingsRecord();
}

// Streamed into the file page by page; the old file stays on any failure.
void WritePdf(const Printout &printout, const QString &title, const QString &pdf)
{
    QString reason;
    if (!SavePrintoutPdf(pdf, printout, title, &reason))
        throw UserError(reason.isEmpty() ? u"Cannot create file \"%1\"."_s.arg(pdf)
                                         : u"Cannot create file \"%1\". %2"_s.arg(pdf, reason));
}

QString Pages(int count)
{
    return count == 1 ? u"1 page"_s : u"%1 pages"_s.arg(count);
}

// The client list as the client window shows it after loading the file.
int PrintClientList(QByteArrayView bytes, const QString &pdf, QTextStream &out, QTextStream &err)
{
    const ClientListContents contents = ReadClientList(bytes);
    const Printout printout = LayOutClientList(contents.records, SettingsForPrinting());
    WritePdf(printout, u"Список клиентов"_s, pdf);
    // The window loads no more and says so; the printout holds those it shows.
    if (contents.limitReached)
        err << "kardolist-cli print: " << ClientLimitMessage() << "\n";
    const qsizetype n = contents.records.size();
    out << pdf << ": " << n << (n == 1 ? " client, " : " clients, ") << Pages(printout.pageCount) << "\n";
    return 0;
}

int RunPrint(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString input;
    QString pdf;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--pdf"_s && i + 1 < args.size())
            pdf = args[++i];
        else if (input.isEmpty() && !args[i].startsWith(u"--"_s))
            input = args[i];
        else {
            err << "kardolist-cli print: unexpected argument \"" << args[i] << "\"; see --help\n";
            return 1;
        }
    }
    if (input.isEmpty() || pdf.isEmpty()) {
        err << "kardolist-cli print: FILE and --pdf OUT.pdf are needed; see --help\n";
        return 1;
    }
    if (SameFile(input, pdf)) {
        PrintCliError(err, u"kardolist-cli print: OUT.pdf \"%1\" is FILE itself; the PDF would replace it"_s.arg(pdf));
        return 1;
    }

    try {
        QByteArray bytes = ReadBankFileBytes(input);
        const ClientListRules clientRules(QDate::currentDate().year());
        if (RulesForFile(input, bytes, {&PayrollFileRules(), &clientRules}) == &clientRules)
            return PrintClientList(bytes, pdf, out, err);

        // The file's bytes are let go once read: only the rows are printed.
        const PayrollFileContents contents = ReadPayrollFile(std::exchange(bytes, QByteArray()));
        PayrollHeader header;
        header.registerNumber = contents.registerNumber;
        header.date = contents.date;
        header.year = contents.year;
        header.monthIndex = MonthIndexFromField(contents.monthField);

        // Printed as the window shows the file after opening it: amounts in
        // display form (an empty one as 0.00), one empty row when there is none.
        const Printout printout = LayOutPayroll(contents.rows, header, SettingsForPrinting());
        WritePdf(printout, u"Ведомость № "_s + header.registerNumber.trimmed(), pdf);
        const qsizetype rows = std::max<qsizetype>(contents.rows.size(), 1);
        out << pdf << ": " << rows << (rows == 1 ? " row, " : " rows, ") << Pages(printout.pageCount) << "\n";
        return 0;
    } catch (const UserError &e) {
        err << "kardolist-cli print: " << e.text() << "\n";
        return 1;
    }
}

const CliCommandRegistrar registrar({
    u"print"_s,
    u"print FILE --pdf OUT.pdf"_s,
    u"  Writes the printout of FILE to OUT.pdf (A4, 600 dpi), a payroll register\n"
    u"  or a client list, told apart by the header line (else by the name). A\n"
    u"  register is opened as the payroll window's \"Открыть\" does and printed\n"
    u"  with exactly the layout of \"Печать\": header, table, total in figures and\n"
    u"  words, and the signature lines; an amount that is not a number, or a month\n"
    u"  field that is not a whole number, stops it before OUT.pdf is written. A\n"
    u"  client list is loaded as the client window's \"Загрузить\" does (at most\n"
    u"  500 clients, as there) and printed as its \"Печать\" prints: bank details,\n"
    u"  one numbered row per client. The bank details come from \"settings.ini\"\n"
    u"  in the current directory."_s,
    RunPrint,
});

} // namespace
