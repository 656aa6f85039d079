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

namespace {

void WriteHeaderLine(BankFileWriter &out, const SettingsRecord &settings, const QDateTime &moment)
{
    for (const QString &f : ClientHeaderFields(settings, ClientMomentText(moment)))
        out.field(f);
    out.endLine();
}

void WriteClientList(BankFileWriter &out, const SettingsRecord &settings, const ClientRecords &records,
                     const QDateTime &moment)
{
    WriteHeaderLine(out, settings, moment);
    qint64 lineNumber = 1;
    for (qsizetype i = 0; i < records.size(); ++i) {
        out.field(u"D");
        out.lineNumberField(++lineNumber);
        for (const QStringView f : ClientDetailFieldViews(records, i))
            out.field(f);
        out.endLine();
    }
    out.trailer(lineNumber + 1);
}

} // namespace

qint64 ClientListFileSize(const SettingsRecord &settings, const ClientRecords &records, const QDateTime &moment)
{
    BankFileWriter header;
    WriteHeaderLine(header, settings, moment);
    qint64 size = header.size() + BankFileWriter::kTrailerSize;
    // One byte a character in Windows-1251.
    constexpr qint64 kLineRest = 1 + BankFileWriter::kLineNumberSize + BankFileWriter::lineOverhead(kClientDetailFieldCount);
    for (qsizetype i = 0; i < records.size(); ++i) {
        size += kLineRest;
        for (const QStringView f : ClientDetailFieldViews(records, i))
            size += f.size();
    }
    return size;
}

QByteArray BuildClientListFile(const SettingsRecord &settings, const ClientRecords &records,
                               const QDateTime &moment)
{
    BankFileWriter out(ClientListFileSize(settings, records, moment));
    WriteClientList(out, settings, records, moment);
    return out.take();
}

bool WriteClientListFile(QIODevice &device, const SettingsRecord &settings, const ClientRecords &records,
                         const QDateTime &moment)
{
    BankFileWriter out(device, 1 << 20);
    WriteClientList(out, settings, records, moment);
    return out.finish();
}

ClientListSaveResult SaveClientList(const ClientRecords &records, const ClientFileState &state,
                                    const Clock &clock, const std::function<OverwriteAnswer()> &askOverwrite)
{
    const QString workDir = QDir::currentPath();
    try {
        const SettingsRecord settings = ReadSettingsRecord();
        // The folder comes before the checks: it exists even after a refused save.
        const QString folderError = MakeClientFolder();
        const QDateTime moment = clock.now();

        if (records.isEmpty())
            return {ClientListSaveOutcome::stopped(ClientTableEmptyMessage(), kTable), {}};
        qint64 size = 0;
        try {
            size = ClientListFileSize(settings, records, moment);
        } catch (const UserError &e) {
            return {ClientListSaveOutcome::stopped(e.text(), kTable), {}};
        }
        // Nothing is written that the program's own reader would refuse.
        if (!BankFileWriter::fitsReader(size))
            return {ClientListSaveOutcome::stopped(BankFileWriter::tooLargeMessage(size), kTable), {}};
        // The codes stand in the header even when the name is the current file's.
        CheckBankCodes(settings);

        QString target;
        if (state.named) {
            switch (askOverwrite ? askOverwrite() : OverwriteAnswer::Yes) {
            case OverwriteAnswer::Cancel:
                return {ClientListSaveOutcome::cancelled(), {}};
            case OverwriteAnswer::Yes:
                target = state.currentFile;
                break;
            case OverwriteAnswer::No:
                break;
            }
        }
        if (target.isEmpty()) {
            if (!folderError.isEmpty())
                return {ClientListSaveOutcome::writeFailed(folderError, false), {}};
            target = ClientListFileName(settings, moment);
        }

        // Two saves within one second get one name: the second replaces the first.
        const bool existed = QFileInfo::exists(target);
        QString reason;
        const auto write = [&](QIODevice &file) { return WriteClientListFile(file, settings, records, moment); };
        if (!WriteFileAtomically(target, write, &reason)) {
            const QString message = existed
                    ? u"Не удалось перезаписать файл \"%1\", прежний файл не изменён. %2"_s.arg(target, reason)
                    : u"Cannot create file \"%1\". %2"_s.arg(target, reason);
            return {ClientListSaveOutcome::writeFailed(message, existed), {}};
        }
        ClientListSaveResult result{ClientListSaveOutcome::saved(target), state.currentFile};
        result.outcome.message = ClientSavedMessagePrefix() + target;
        if (result.currentFile.isEmpty())
            result.currentFile = workDir + u'/' + target;
        return result;
    } catch (const UserError &e) {
        return {ClientListSaveOutcome::stopped(e.text(), {}), {}};
    }
}
