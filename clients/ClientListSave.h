#pragma once

#include "clients/ClientChecks.h"
#include "clients/ClientRecords.h"
#include "common/SaveOutcome.h"
#include "settings/SettingsRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QString>

#include <functional>

// A refused save names the table (and the row of a client it cannot write)
// or, for the settings file, no field.
using ClientListSaveOutcome = SaveOutcome<ClientField>;

class Clock;

// The client window's file state a save reads.
struct ClientFileState
{
    bool named = false;  // ClientFileNamed: the list was saved or loaded before
    QString currentFile; // CurrentClientFile: the file then saved or loaded
};

enum class OverwriteAnswer { Yes, No, Cancel };

// NewFileOnly: the name of the moment is claimed before writing, and a
// taken name waits for the next second, so that no file is ever replaced.
enum class ClientSaveTarget { AsAsked, NewFileOnly };

struct ClientListSaveResult
{
    // Saved: path is the saved name (the relative new name, or the current
    // file on Yes) and message the success text to show. StoppedByCheck: a
    // message for the general error display, nothing written. WriteFailed:
    // nothing changed on disk; flags and caption are to stay. Cancelled:
    // nothing to show.
    ClientListSaveOutcome outcome;
    // Saved: CurrentClientFile from now on, which the caption shows. It is
    // only set when it was empty: after No it keeps naming the earlier file.
    QString currentFile;
};

// The whole file: header, one detail line per record in table order,
// trailer with N + 2 and the CRC-32 of header and detail lines. Throws
// UserError(ClientBadSexMessage()) for a record with an empty sex cell.
QByteArray BuildClientListFile(const SettingsRecord &settings, const ClientRecords &records,
                               const QDateTime &moment);
// The size BuildClientListFile would give, without building it; throws as it does.
qint64 ClientListFileSize(const SettingsRecord &settings, const ClientRecords &records, const QDateTime &moment);
// The same file written to device a piece at a time; false when a write failed.
bool WriteClientListFile(QIODevice &device, const SettingsRecord &settings, const ClientRecords &records,
                         const QDateTime &moment);

// The save of the client list, shared by the window and the command line:
// the settings read afresh, one moment from the clock, the checks (empty
// table, empty sex, size, bank codes), the overwrite question when the list
// was saved or loaded before (askOverwrite answers it; none means Yes),
// before it confirmWarnings when given (false stops the save as cancelled), the
// folder "Клиенты", and an atomic write that leaves an old file whole when
// it fails. Never throws a UserError: every failure is an outcome.
ClientListSaveResult SaveClientList(const ClientRecords &records, const ClientFileState &state,
                                    const Clock &clock,
                                    const std::function<OverwriteAnswer()> &askOverwrite = {},
                                    ClientSaveTarget target = ClientSaveTarget::AsAsked,
                                    const std::function<bool()> &confirmWarnings = {});
