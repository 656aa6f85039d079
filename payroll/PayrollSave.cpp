#include "payroll/PayrollSave.h"

#include "common/AtomicFile.h"
#include "common/BankFileWriter.h"
#include "common/Clock.h"
#include "common/UserError.h"
#include "payroll/PayrollTexts.h"

#include <QDir>
#include <QFileInfo>

using Outcome = PayrollSaveOutcome;

namespace {

// The bank codes a file may be named by; a failure is the message to show.
std::optional<QString> ReadBankCodes(SettingsRecord &settings)
{
    try {
        settings = ReadSettingsRecord();
        if (settings.filialCode.isEmpty() || settings.organisationCode.isEmpty())
            return NoBankCodesMessage();
        CheckBankCodes(settings);
    } catch (const UserError &e) {
        return e.text();
    }
    return std::nullopt;
}

} // namespace

PayrollSaveOutcome SavePayroll(PayrollSaveRequest &request, const Clock &clock,
                               const std::function<bool()> &confirmOverwrite,
                               const std::function<bool()> &confirmWarnings)
{
    PayrollHeader &header = request.header;
    for (qsizetype count = RegisterRowCount(request.rows); request.rows.size() > count;)
        request.rows.removeLast();
    const PayrollRows &rows = request.rows;
    if (const std::optional<UnfilledCell> unfilled = FirstUnfilledCell(rows))
        return Outcome::stopped(TableNotFilledMessage(), unfilled->field, int(unfilled->row));
    header.registerNumber = PadRegisterNumberText(header.registerNumber);
    if (const std::optional<PayrollField> field = IncompleteHeaderField(header))
        return Outcome::stopped(HeaderIncompleteMessage(), *field);
    if (const qsizetype row = FirstBadCardRow(rows); row >= 0)
        return Outcome::stopped(BadDataMessage(), PayrollField::Card, int(row));

    SettingsRecord settings;
    if (const std::optional<QString> refused = ReadBankCodes(settings))
        return Outcome::stopped(*refused, PayrollField::BankCodes);
    // The bound reads no text; the exact size is needed only near the limit.
    if (!BankFileWriter::fitsReader(PayrollFileSizeBound(settings, header, rows))) {
        const qint64 size = PayrollFileSize(settings, header, rows);
        if (!BankFileWriter::fitsReader(size))
            return Outcome::stopped(BankFileWriter::tooLargeMessage(size), PayrollField::Rows);
    }
    if (confirmWarnings && !confirmWarnings())
        return Outcome::cancelled();
    if (confirmOverwrite && !request.openedHeaderLine.isEmpty()
        && request.openedHeaderLine.mid(kHeaderKeyOffset) == HeaderKeyText(settings, header) && !confirmOverwrite())
        return Outcome::cancelled();

    QString reason;
    for (const QString &folder : {SaveFolder(), SaveFolder() + u'/' + header.year}) {
        // Said here, with its reason, rather than as the file's later "No such file or directory".
        if (!MakeFolder(folder, &reason))
            return Outcome::writeFailed(CannotCreateFolderMessage(QDir::toNativeSeparators(folder), reason), false);
    }
    const QString path = PayrollFilePath(settings, header);
    const QDateTime moment = clock.now();
    const bool existed = QFileInfo::exists(path);
    const auto write = [&](QIODevice &file) { return WritePayrollFile(file, settings, header, rows, moment); };
    if (!WriteFileAtomically(path, write, &reason))
        return Outcome::writeFailed(existed ? (CannotReplaceMessage() + u' ' + reason).trimmed()
                                            : CannotCreateFileMessage(path, reason),
                                    existed);
    return Outcome::saved(path);
}
