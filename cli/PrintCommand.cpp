#include "cli/Command.h"

#include "common/AtomicFile.h"
#include "common/Money.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/print/PrintoutRenderer.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollPrintout.h"
#include "settings/SettingsRecord.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The rows as the window shows them after opening the file: amounts in
// display form (an empty one as 0.00), and one empty row when there is none.
QList<PayrollRow> DisplayRows(QList<PayrollRow> rows)
{
    if (rows.isEmpty())
        rows.append({QString(), QString(), u"0.00"_s});
    for (PayrollRow &row : rows) {
        const bool empty = ReplaceAll(row.amount, u" "_s, QString()).isEmpty();
        row.amount = empty ? u"0.00"_s : Money::fromAmountText(row.amount).toDisplay();
    }
    return rows;
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

    try {
        const PayrollFileContents contents = ReadPayrollFile(ReadPayrollFileBytes(input));
        PayrollHeader header;
        header.registerNumber = contents.registerNumber;
        header.date = contents.date;
        header.year = contents.year;
        header.monthIndex = MonthIndexFromField(contents.monthField);

        // Without the bank details the register would print blank codes;
        // and reading would create an empty "settings.ini" as a side effect.
        if (!QFileInfo(SettingsFileName()).isFile())
            throw UserError(u"\"%1\" not found in the current directory"_s.arg(SettingsFileName()));
        const QList<PayrollRow> rows = DisplayRows(contents.rows);
        const Printout printout = LayOutPayroll(rows, header, ReadSettingsRecord());
        const QByteArray bytes = RenderPrintoutPdf(printout, u"Ведомость № "_s + header.registerNumber.trimmed());
        if (bytes.isEmpty())
            throw UserError(u"Cannot create file \"%1\"."_s.arg(pdf));
        QString reason;
        if (!WriteFileAtomically(pdf, bytes, &reason))
            throw UserError(u"Cannot create file \"%1\". %2"_s.arg(pdf, reason));
        out << pdf << ": " << rows.size() << (rows.size() == 1 ? " row, " : " rows, ") << printout.pageCount
            << (printout.pageCount == 1 ? " page\n" : " pages\n");
        return 0;
    } catch (const UserError &e) {
        err << "kardolist-cli print: " << e.text() << "\n";
        return 1;
    }
}

const CliCommandRegistrar registrar({
    u"print"_s,
    u"print FILE --pdf OUT.pdf"_s,
    u"  Opens the payroll register file FILE as the window's \"Открыть\" does and\n"
    "  writes its printed register to OUT.pdf (A4, 600 dpi) with exactly the\n"
    "  layout of \"Печать\": header, table, total in figures and words, and the\n"
    "  signature lines. The organisation comes from \"settings.ini\" in the\n"
    "  current directory. An amount that is not a number, or a month field that\n"
    "  is not a whole number, stops it before OUT.pdf is written."_s,
    RunPrint,
});

} // namespace
