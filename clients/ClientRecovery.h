#pragma once

#include "clients/ClientRecords.h"
#include "common/RecoveryCopy.h"

#include <QDateTime>
#include <QString>

// A client list's unsaved state, as its recovery copy keeps it
// (common/RecoveryCopy.h reads and writes it).
struct ClientRecovery
{
    ClientRecords records;
    QString currentFile; // the client list file last opened or saved, if any
    QDateTime takenAt;   // when the copy was taken

    static QString kind() { return QStringLiteral("clients"); }
    static constexpr quint64 kFormat = 1;
    void putFields(RecoveryBytesWriter &out) const;
    bool getFields(RecoveryBytesReader &in);

    friend bool operator==(const ClientRecovery &, const ClientRecovery &) = default;
};

// "Найдены несохранённые данные от 08.12.2026 14:05 (клиентов: 12). Восстановить?"
QString ClientRecoveryQuestion(const ClientRecovery &copy);
