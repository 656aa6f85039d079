#pragma once

#include "clients/ClientRecords.h"
#include "common/RecoveryStore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>

// A client list's unsaved state, as its recovery copy keeps it.
struct ClientRecovery
{
    ClientRecords records;
    QString currentFile; // the client list file last opened or saved, if any
    QDateTime takenAt;   // when the copy was taken

    friend bool operator==(const ClientRecovery &, const ClientRecovery &) = default;
};

inline QString ClientRecoveryKind() { return QStringLiteral("clients"); }

// The store of the client list copy for the working folder.
RecoveryStore ClientRecoveryStore(const QString &workingFolder);

QByteArray EncodeClientRecovery(const ClientRecovery &copy);
// Nothing when the bytes are not a client list copy of this format.
std::optional<ClientRecovery> DecodeClientRecovery(QByteArrayView bytes);

// On failure errorString gets the system's reason.
bool WriteClientRecovery(const RecoveryStore &store, const ClientRecovery &copy, QString *errorString = nullptr);

struct ClientRecoveryRead
{
    std::optional<ClientRecovery> copy;
    QString note; // a copy that could not be read was set aside: the status bar's line
};
ClientRecoveryRead ReadClientRecovery(const RecoveryStore &store);

// "Найдены несохранённые данные от 08.12.2026 14:05 (клиентов: 12). Восстановить?"
QString ClientRecoveryQuestion(const ClientRecovery &copy);
