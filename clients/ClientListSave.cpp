#include "clients/ClientListSave.h"

#include "clients/ClientListFile.h"
#include "common/AtomicFile.h"
#include "common/BankFileWriter.h"
#include "common/Clock.h"
#include "common/NewFileByMoment.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

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

namespace {

// The first row whose sex cell is empty, -1 when none: that row has no code to write.
int RowWithoutSex(const ClientRecords &records)
{
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (records.cell(i, ClientColumn::Sex).isEmpty())
            return int(i);
    }
    return -1;
}

bool IsBlank(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

// Refusals about "settings.ini": codes that could steer the name, or none at all.
QString SettingsRefusal(const SettingsRecord &settings)
{
    try {
        CheckBankCodes(settings);
    } catch (const UserError &e) {
        return e.text();
    }
    if (IsBlank(settings.filialCode))
        return ClientBankCodeEmptyMessage(u"Код филиала"_s);
    if (IsBlank(settings.organisationCode))
        return ClientBankCodeEmptyMessage(u"Код клиента"_s);
    return {};
}

} // namespace

ClientListSaveResult SaveClientList(const ClientRecords &records, const ClientFileState &state,
                                    const Clock &clock, const std::function<OverwriteAnswer()> &askOverwrite,
                                    ClientSaveTarget saveTarget, const std::function<bool()> &confirmWarnings)
{
    using Outcome = ClientListSaveOutcome;
    const QString workDir = QDir::currentPath();
    try {
        const SettingsRecord settings = ReadSettingsRecord();
        QDateTime moment = clock.now();

        if (records.isEmpty())
            return {Outcome::stopped(ClientTableEmptyMessage(), ClientField::Table), {}};
        if (const int row = RowWithoutSex(records); row >= 0)
            return {Outcome::stopped(ClientBadSexMessage(), ClientField::Table, row), {}};
        const qint64 size = ClientListFileSize(settings, records, moment);
        // Nothing is written that the program's own reader would refuse.
        if (!BankFileWriter::fitsReader(size))
            return {Outcome::stopped(BankFileWriter::tooLargeMessage(size), ClientField::Table), {}};
        // The codes stand in the header even when the name is the current file's.
        if (const QString refusal = SettingsRefusal(settings); !refusal.isEmpty())
            return {Outcome::stopped(refusal, ClientField::None), {}};

        if (confirmWarnings && !confirmWarnings())
            return {Outcome::cancelled(), {}};

        QString target;
        if (state.named && saveTarget == ClientSaveTarget::AsAsked) {
            switch (askOverwrite ? askOverwrite() : OverwriteAnswer::Yes) {
            case OverwriteAnswer::Cancel:
                return {Outcome::cancelled(), {}};
            case OverwriteAnswer::Yes:
                target = state.currentFile;
                break;
            case OverwriteAnswer::No:
                break;
            }
        }
        bool existed = false;
        bool written = false;
        QString reason;
        bool opened = false;
        const auto write = [&](QIODevice &file, const QDateTime &m) {
            opened = true;
            return WriteClientListFile(file, settings, records, m);
        };
        const auto failed = [&](const QString &target) {
            const QString path = VisiblePath(target);
            const QString message = existed ? ClientReplaceFailedMessage(path, reason)
                    : opened               ? ClientWriteFailedMessage(path, reason)
                                           : u"Cannot create file \"%1\". %2"_s.arg(path, reason);
            return ClientListSaveResult{Outcome::writeFailed(message, existed), {}};
        };
        if (target.isEmpty()) {
            if (!MakeFolder(ClientFolder(), &reason) && !QFileInfo(ClientFolder()).isDir())
                return {Outcome::writeFailed(ClientFolderFailedMessage(ClientFolder(), reason), false), {}};
            // What a killed save of a new list left behind.
            RemoveStaleTemporaries(ClientFolder(), u"CLSV"_s);
            if (saveTarget == ClientSaveTarget::NewFileOnly) {
                const NewFileByMoment file = WriteNewFileByMoment(
                        clock, [&settings](const QDateTime &m) { return ClientListFileName(settings, m); }, write,
                        [&clock](const QDateTime &m) { SleepUntil(clock, m); }, &reason);
                target = file.path;
                written = file.result == NewFileResult::Written;
                if (!written)
                    return failed(target);
            } else {
                target = ClientListFileName(settings, moment);
            }
        }
        if (!written) {
            // Two saves within one second get one name: the second replaces the first.
            existed = QFileInfo::exists(target);
            if (!WriteFileAtomically(target, [&](QIODevice &file) { return write(file, moment); }, &reason))
                return failed(target);
        }
        ClientListSaveResult result{Outcome::saved(target), state.currentFile};
        result.outcome.message = ClientSavedMessagePrefix() + target;
        if (result.currentFile.isEmpty())
            result.currentFile = workDir + u'/' + target;
        return result;
    } catch (const UserError &e) {
        return {Outcome::stopped(e.text(), ClientField::None), {}};
    }
}
