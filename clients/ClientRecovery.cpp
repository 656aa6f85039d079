#include "clients/ClientRecovery.h"

#include <array>

using namespace Qt::StringLiterals;

void ClientRecovery::putFields(RecoveryBytesWriter &out) const
{
    out.reserve(256 + records.size() * 256);
    out.putText(currentFile);
    out.putNumber(quint64(ClientColumn::Count));
    out.putNumber(quint64(records.size()));
    for (qsizetype record = 0; record < records.size(); ++record) {
        for (int column = 0; column < ClientColumn::Count; ++column)
            out.putText(records.cell(record, column));
    }
}

bool ClientRecovery::getFields(RecoveryBytesReader &in)
{
    quint64 columns = 0, count = 0;
    if (!in.getText(currentFile) || !in.getNumber(columns) || columns != quint64(ClientColumn::Count)
        || !in.getNumber(count) || count > quint64(in.remaining()) / ClientColumn::Count)
        return false;
    records.reserve(qsizetype(count));
    std::array<QString, ClientColumn::Count> cells;
    ClientRecords::CellViews views;
    for (quint64 record = 0; record < count; ++record) {
        for (int column = 0; column < ClientColumn::Count; ++column) {
            if (!in.getText(cells[size_t(column)]))
                return false;
            views[size_t(column)] = cells[size_t(column)];
        }
        records.append(views);
    }
    return true;
}

QString ClientRecoveryQuestion(const ClientRecovery &copy)
{
    return RecoveryQuestion(copy.takenAt, u"клиентов: "_s + QString::number(copy.records.size()));
}
