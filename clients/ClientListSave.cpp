#include "clients/ClientListSave.h"

#include "clients/ClientListFile.h"
#include "common/AtomicFile.h"
#include "common/BankFileWriter.h"
#include "common/Clock.h"
#include "common/UserError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

const QString kTable = u"mainGrid"_s;

// Creates the folder unless it is there; the system's reason when that fails.
QString MakeClientFolder()
{
    const QString folder = ClientFolder();
    if (QFileInfo(folder).isDir() || QDir().mkdir(folder))
        return {};
    const int error = errno;
    return u"Не удалось создать папку \"%1\". %2"_s.arg(folder, qt_error_string(error));
}

} // namespace

QByteArray BuildClientListFile(const SettingsRecord &settings, const QList<ClientRecord> &records,
                               const QDateTime &moment)
{
    qsizetype expected = 96;
    for (const ClientRecord &r : records) {
        expected += BankFileWriter::lineOverhead(kClientDetailFieldCount) + BankFileWriter::kLineNumberSize + 1;
        for (const QString &cell : r.cells)
            expected += cell.size();
    }
    BankFileWriter out(expected + BankFileWriter::kTrailerSize);
    for (const QString &f : ClientHeaderFields(settings, ClientMomentText(moment)))
        out.field(f);
    out.endLine();
    qint64 lineNumber = 1;
    for (const ClientRecord &r : records) {
        out.field(u"D");
        out.lineNumberField(++lineNumber);
        for (const QString &f : ClientDetailFields(r))
            out.field(f);
        out.endLine();
    }
    out.trailer(lineNumber + 1);
    return out.take();
}

ClientListSaveResult SaveClientList(const QList<ClientRecord> &records, const ClientFileState &state,
                                    const Clock &clock, const std::function<OverwriteAnswer()> &askOverwrite)
{
    const QString workDir = QDir::currentPath();
    try {
        const SettingsRecord settings = ReadSettingsRecord();
        // The folder comes before the checks: it exists even after a refused save.
        const QString folderError = MakeClientFolder();
        const QDateTime moment = clock.now();

        if (records.isEmpty())
            return {SaveOutcome::stopped(ClientTableEmptyMessage(), kTable), {}};
        QByteArray bytes;
        try {
            bytes = BuildClientListFile(settings, records, moment);
        } catch (const UserError &e) {
            return {SaveOutcome::stopped(e.text(), kTable), {}};
        }
        // Nothing is written that the program's own reader would refuse.
        if (!BankFileWriter::fitsReader(bytes.size()))
            return {SaveOutcome::stopped(BankFileWriter::tooLargeMessage(bytes.size()), kTable), {}};
        // The codes stand in the header even when the name is the current file's.
        CheckBankCodes(settings);

        QString target;
        if (state.named) {
            switch (askOverwrite ? askOverwrite() : OverwriteAnswer::Yes) {
            case OverwriteAnswer::Cancel:
                return {SaveOutcome::cancelled(), {}};
            case OverwriteAnswer::Yes:
                target = state.currentFile;
                break;
            case OverwriteAnswer::No:
                break;
            }
        }
        if (target.isEmpty()) {
            if (!folderError.isEmpty())
                return {SaveOutcome::writeFailed(folderError, false), {}};
            target = ClientListFileName(settings, moment);
        }

        // Two saves within one second get one name: the second replaces the first.
        const bool existed = QFileInfo::exists(target);
        QString reason;
        if (!WriteFileAtomically(target, bytes, &reason)) {
            const QString message = existed
                    ? u"Не удалось перезаписать файл \"%1\", прежний файл не изменён. %2"_s.arg(target, reason)
                    : u"Cannot create file \"%1\". %2"_s.arg(target, reason);
            return {SaveOutcome::writeFailed(message, existed), {}};
        }
        ClientListSaveResult result{SaveOutcome::saved(target), state.currentFile};
        result.outcome.message = ClientSavedMessagePrefix() + target;
        if (result.currentFile.isEmpty())
            result.currentFile = workDir + u'/' + target;
        return result;
    } catch (const UserError &e) {
        return {SaveOutcome::stopped(e.text(), {}), {}};
    }
}
