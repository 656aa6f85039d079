#include "cli/CliArguments.h"
#include "cli/Command.h"
#include "cli/SavingCommand.h"

#include "clients/ClientListFile.h"
#include "clients/ClientListLoad.h"
#include "clients/ClientListPrintout.h"
#include "clients/ClientListVerify.h"

#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/print/PrintoutRenderer.h"
#include "common/BankFileReader.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollPrintout.h"
#include "payroll/PayrollVerify.h"
#include "settings/SettingsRecord.h"

#include <QDate>
#include <QFile>
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

// Streamed into the file page by page; the old file stays on any failure.
void WritePdf(const Printout &printout, const QString &title, const QString &pdf)
{
    QString reason;
    if (!SavePrintoutPdf(pdf, printout, title, &reason))
        throw UserError(reason.isEmpty() ? u"Cannot create file \"%1\"."_s.arg(VisiblePath(pdf))
                                         : u"Cannot create file \"%1\". %2"_s.arg(VisiblePath(pdf), reason));
}

QString Pages(int count)
{
    return count == 1 ? u"1 page"_s : u"%1 pages"_s.arg(count);
}

// The client list as the client window shows it after loading the file.
int PrintClientList(QByteArrayView bytes, const QString &pdf, QTextStream &out, QTextStream &err)
{
    const ClientListContents contents = ReadClientList(bytes);
    const Printout printout = LayOutClientList(contents.records, ReadSettingsRecord());
    WritePdf(printout, u"Данные о сотрудниках"_s, pdf);
    // The window loads no more and says so; the printout holds those it shows.
    if (contents.limitReached)
        err << "kardolist-cli print: " << ClientLimitMessage() << "\n";
    const qsizetype n = contents.records.size();
    out << pdf << ": " << n << (n == 1 ? " client, " : " clients, ") << Pages(printout.pageCount) << "\n";
    return 0;
}

// OUT.pdf is replaced whole: never through a link, never in place of a
// folder or device, never in place of one of the program's own files.
void CheckPdfTarget(const QString &pdf, const ClientListRules &clientRules)
{
    const QFileInfo info(pdf);
    const auto refuse = [&pdf](const QString &what) {
        throw UserError(u"\"%1\" — %2: PDF на его место не записывается"_s.arg(VisiblePath(pdf), what));
    };
    if (info.isSymLink())
        refuse(u"символическая ссылка"_s);
    if (!info.exists())
        return;
    if (!info.isFile())
        refuse(info.isDir() ? u"папка"_s : u"не обычный файл"_s);
    if (SameFile(pdf, SettingsFileName()))
        refuse(u"файл банковских реквизитов"_s);
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return; // the write then says why
    const QByteArray head = file.read(64 * 1024);
    const BankFileRules *rules = RulesForFile(QString(), head, {&PayrollFileRules(), &clientRules});
    if (rules == &clientRules)
        refuse(u"список клиентов"_s);
    if (rules)
        refuse(u"ведомость"_s);
}

int Print(const QString &input, const QString &pdf, QTextStream &out, QTextStream &err)
{
    if (SameFile(input, pdf))
        throw UserError(u"OUT.pdf \"%1\" is FILE itself; the PDF would replace it"_s.arg(VisiblePath(pdf)));
    const ClientListRules clientRules(QDate::currentDate().year());
    CheckPdfTarget(pdf, clientRules);
    QByteArray bytes = ReadBankFileBytes(input);
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
    const Printout printout = LayOutPayroll(contents.rows, header, ReadSettingsRecord());
    WritePdf(printout, u"Ведомость № "_s + header.registerNumber.trimmed(), pdf);
    const qsizetype rows = std::max<qsizetype>(contents.rows.size(), 1);
    out << pdf << ": " << rows << (rows == 1 ? " row, " : " rows, ") << Pages(printout.pageCount) << "\n";
    return 0;
}

// Without the bank details the printout would show blank codes, and reading
// would create an empty "settings.ini": the saving commands' frame refuses first.
int RunPrint(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString input;
    QString pdf;
    const auto parse = [&] {
        const CliArguments parsed = ParseCliArguments(args, {u"--pdf"_s});
        if (parsed.positional.size() > 1)
            throw UserError(u"unexpected argument \"%1\""_s.arg(parsed.positional[1]));
        input = parsed.positional.value(0);
        pdf = parsed.value(u"--pdf"_s);
        if (input.isEmpty() || pdf.isEmpty())
            throw UserError(u"FILE and --pdf OUT.pdf are needed"_s);
    };
    return RunSavingCommand(u"print"_s, err, parse, [&] { return Print(input, pdf, out, err); });
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
