#pragma once

#include "common/RecoveryCopy.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollRows.h"

#include <QDateTime>
#include <QString>

// A payroll register's unsaved state, as its recovery copy keeps it
// (common/RecoveryCopy.h reads and writes it).
struct PayrollRecovery
{
    PayrollHeader header;
    PayrollRows rows;
    QString openedFile;       // the payroll file the register came from, if any
    QString openedHeaderLine; // that file's first line, which the overwrite question compares
    QDateTime takenAt;        // when the copy was taken

    static QString kind() { return QStringLiteral("payroll"); }
    static constexpr quint64 kFormat = 1;
    void putFields(RecoveryBytesWriter &out) const;
    bool getFields(RecoveryBytesReader &in);

    friend bool operator==(const PayrollRecovery &, const PayrollRecovery &) = default;
};

// "Найдены несохранённые данные от 08.12.2026 14:05 (ведомость № 00007,
// 3 строки). Восстановить?"
QString PayrollRecoveryQuestion(const PayrollRecovery &copy);
