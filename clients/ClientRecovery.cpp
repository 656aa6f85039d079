#include "clients/ClientRecovery.h"

#include "common/RecoveryBytes.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {
constexpr quint64 kFormat = 1;
} // namespace

RecoveryStore ClientRecoveryStore(const QString &workingFolder)
{
    return RecoveryStore(ClientRecoveryKind(), workingFolder);
}

QByteArray EncodeClientRecovery(const ClientRecovery &copy)
{
    RecoveryBytesWriter out;
    const qsizetype records = copy.records.size();
    out.reserve(256 + records * 256);
    out.putNumber(kFormat);
    out.putNumber(quint64(copy.takenAt.toMSecsSinceEpoch()));
    out.putText(copy.currentFile);
    out.putNumber(quint64(ClientColumn::Count));
    out.putNumber(quint64(records));
    for (qsizetype record = 0; record < records; ++record) {
        for (int column = 0; column < ClientColumn::Count; ++column)
            out.putText(copy.records.cell(record, column));
    }
    return out.take();
}

std::optional<ClientRecovery> DecodeClientRecovery(QByteArrayView bytes)
{
    RecoveryBytesReader in(bytes);
    ClientRecovery copy;
    quint64 format = 0, takenAt = 0, columns = 0, records = 0;
    if (!in.getNumber(format) || format != kFormat || !in.getNumber(takenAt) || !in.getText(copy.currentFile)
        || !in.getNumber(columns) || columns != quint64(ClientColumn::Count) || !in.getNumber(records)
        || records > quint64(bytes.size()) / ClientColumn::Count)
        return std::nullopt;
    copy.takenAt = QDateTime::fromMSecsSinceEpoch(qint64(takenAt));
    copy.records.reserve(qsizetype(records));
    std::array<QString, ClientColumn::Count> cells;
    ClientRecords::CellViews views;
    for (quint64 record = 0; record < records; ++record) {
        for (int column = 0; column < ClientColumn::Count; ++column) {
            if (!in.getText(cells[size_t(column)]))
                return std::nullopt;
            views[size_t(column)] = cells[size_t(column)];
        }
        copy.records.append(views);
    }
    if (!in.atEnd())
        return std::nullopt;
    return copy;
}

bool WriteClientRecovery(const RecoveryStore &store, const ClientRecovery &copy, QString *errorString)
{
    return store.write(EncodeClientRecovery(copy), errorString);
}

ClientRecoveryRead ReadClientRecovery(const RecoveryStore &store)
{
    RecoveryStore::Read read = store.read();
    if (read.state != RecoveryStore::Read::State::Found)
        return {std::nullopt, read.note};
    std::optional<ClientRecovery> copy = DecodeClientRecovery(read.body);
    if (!copy)
        return {std::nullopt, store.setAside()};
    return {std::move(copy), {}};
}

QString ClientRecoveryQuestion(const ClientRecovery &copy)
{
    return u"Найдены несохранённые данные от %1 (клиентов: %2). Восстановить?"_s.arg(
        copy.takenAt.toLocalTime().toString(u"dd.MM.yyyy HH:mm"_s), QString::number(copy.records.size()));
}
