#include "payroll/PayrollSave.h"

#include "common/AtomicFile.h"
#include "common/BankFileWriter.h"
#include "common/Clock.h"
#include "common/TextRoutines.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The first header box that is not filled in.
QString IncompleteHeaderField(const PayrollHeader &h)
{
    if (!HeaderComplete({h.registerNumber, u"x"_s, 0, u"0"_s}))
        return u"registerNum"_s;
    if (h.date.isEmpty())
        return u"sendDate"_s;
    if (h.monthIndex < 0 || h.monthIndex > 11)
        return u"months"_s;
    return u"year"_s;
}

} // namespace

PayrollSaveOutcome SavePayroll(PayrollSaveRequest &request, const Clock &clock, const std::function<bool()> &confirmOverwrite)
{
    PayrollHeader &header = request.header;
    if (!TableFilled(request.rows))
        return PayrollSaveOutcome::stopped(TableNotFilledMessage(), u"mainGrid"_s);
    header.registerNumber = PadRegisterNumberText(header.registerNumber);
    if (!HeaderComplete(header))
        return PayrollSaveOutcome::stopped(HeaderIncompleteMessage(), IncompleteHeaderField(header));
    if (!CardNumbersValid(request.rows))
        return PayrollSaveOutcome::stopped(BadDataMessage(), u"mainGrid"_s);

    const SettingsRecord settings = ReadSettingsRecord();
    if (confirmOverwrite && !request.openedHeaderLine.isEmpty()
        && request.openedHeaderLine.mid(33) == HeaderKeyText(settings, header) && !confirmOverwrite())
        return PayrollSaveOutcome::cancelled();

    const QString path = PayrollFilePath(settings, header); // refuses bank codes that could steer it
    const qint64 size = PayrollFileSize(settings, header, request.rows);
    if (!BankFileWriter::fitsReader(size))
        return PayrollSaveOutcome::stopped(BankFileWriter::tooLargeMessage(size), u"mainGrid"_s);
    QString reason;
    for (const QString &folder : {SaveFolder(), SaveFolder() + u'/' + header.year}) {
        // Said here, with its reason, rather than as the file's later "No such file or directory".
        if (!MakeFolder(folder, &reason))
            return PayrollSaveOutcome::writeFailed(
                    u"Не могу создать папку \"%1\". %2"_s.arg(QDir::toNativeSeparators(folder), reason), false);
    }
    const QDateTime moment = clock.now();
    const bool existed = QFileInfo::exists(path);
    const auto write = [&](QIODevice &file) { return WritePayrollFile(file, settings, header, request.rows, moment); };
    if (!WriteFileAtomically(path, write, &reason))
        return PayrollSaveOutcome::writeFailed(existed ? (CannotReplaceMessage() + u' ' + reason).trimmed()
                                                : u"Cannot create file \"%1\". %2"_s.arg(path, reason),
                                        existed);
    return PayrollSaveOutcome::saved(path);
}
