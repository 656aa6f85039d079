#pragma once

#include "common/RecoveryStore.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollRows.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>

// A payroll register's unsaved state, as its recovery copy keeps it.
struct PayrollRecovery
{
    PayrollHeader header;
    PayrollRows rows;
    QString openedFile;       // the payroll file the register came from, if any
    QString openedHeaderLine; // that file's first line, which the overwrite question compares
    QDateTime takenAt;        // when the copy was taken

    friend bool operator==(const PayrollRecovery &, const PayrollRecovery &) = default;
};

inline QString PayrollRecoveryKind() { return QStringLiteral("payroll"); }

// The store of the register copy for the working folder.
RecoveryStore PayrollRecoveryStore(const QString &workingFolder);

QByteArray EncodePayrollRecovery(const PayrollRecovery &copy);
// Nothing when the bytes are not a register copy of this format.
std::optional<PayrollRecovery> DecodePayrollRecovery(QByteArrayView bytes);

// On failure errorString gets the system's reason.
bool WritePayrollRecovery(const RecoveryStore &store, const PayrollRecovery &copy, QString *errorString = nullptr);

struct PayrollRecoveryRead
{
    std::optional<PayrollRecovery> copy;
    QString note; // a copy that could not be read was set aside: the status bar's line
};
PayrollRecoveryRead ReadPayrollRecovery(const RecoveryStore &store);

// "Найдены несохранённые данные от 08.12.2026 14:05 (ведомость № 00007,
// 3 строки). Восстановить?"
QString PayrollRecoveryQuestion(const PayrollRecovery &copy);
