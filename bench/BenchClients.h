#pragma once

#include "clients/ClientRecords.h"

// `count` clients like `fields`, told apart by their passport series and
// number, as the table's duplicate check needs.
inline ClientRecords NumberedClients(ClientFields fields, int count)
{
    ClientRecords records;
    records.reserve(count);
    for (int i = 0; i < count; ++i) {
        fields.passportSeries = QStringLiteral("A") + QChar(u'A' + i % 26);
        fields.passportNumber = QStringLiteral("%1").arg(i, 7, 10, QLatin1Char('0'));
        records.append(RecordFromFields(fields, NameParts::Trimmed));
    }
    return records;
}
