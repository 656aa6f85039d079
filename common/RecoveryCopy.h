#pragma once

#include "common/RecoveryBytes.h"
#include "common/RecoveryStore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>
#include <utility>

// The frame every document's recovery copy shares: the format of its fields
// and the moment it was taken, then the fields. A Copy brings its own:
//   QDateTime takenAt;
//   static QString kind();                 // "payroll", "clients"
//   static constexpr quint64 kFormat;      // bumped when its fields change
//   void putFields(RecoveryBytesWriter &out) const;
//   bool getFields(RecoveryBytesReader &in);   // false: not its fields

template<typename Copy>
struct RecoveryRead
{
    std::optional<Copy> copy;
    QString note; // a copy that could not be read was set aside: the status bar's line
};

// The store of Copy's kind for the working folder.
template<typename Copy>
RecoveryStore RecoveryStoreFor(const QString &workingFolder)
{
    return RecoveryStore(Copy::kind(), workingFolder);
}

template<typename Copy>
QByteArray EncodeRecovery(const Copy &copy)
{
    RecoveryBytesWriter out;
    out.putNumber(Copy::kFormat);
    out.putNumber(quint64(copy.takenAt.toMSecsSinceEpoch()));
    copy.putFields(out);
    return out.take();
}

// Nothing when the bytes are not a copy of Copy's kind and format.
template<typename Copy>
std::optional<Copy> DecodeRecovery(QByteArrayView bytes)
{
    RecoveryBytesReader in(bytes);
    Copy copy;
    quint64 format = 0, takenAt = 0;
    if (!in.getNumber(format) || format != Copy::kFormat || !in.getNumber(takenAt) || !copy.getFields(in)
        || !in.atEnd())
        return std::nullopt;
    copy.takenAt = QDateTime::fromMSecsSinceEpoch(qint64(takenAt));
    return copy;
}

// On failure errorString gets the system's reason.
template<typename Copy>
bool WriteRecovery(const RecoveryStore &store, const Copy &copy, QString *errorString = nullptr)
{
    return store.write(EncodeRecovery(copy), errorString);
}

template<typename Copy>
RecoveryRead<Copy> ReadRecovery(const RecoveryStore &store)
{
    RecoveryStore::Read read = store.read();
    if (read.state != RecoveryStore::Read::State::Found)
        return {std::nullopt, read.note};
    std::optional<Copy> copy = DecodeRecovery<Copy>(read.body);
    if (!copy)
        return {std::nullopt, store.setAside()};
    return {std::move(copy), {}};
}

// "Найдены несохранённые данные от 08.12.2026 14:05 (what). Восстановить?"
QString RecoveryQuestion(const QDateTime &takenAt, const QString &what);
