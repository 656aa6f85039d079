#include "clients/ClientListLoad.h"

#include "clients/ClientListFile.h"
#include "common/BankFileReader.h"
#include "common/Cp1251.h"
#include "common/Crc32Calculator.h"
#include "common/FieldSplitter.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"


ClientListContents ReadClientList(QByteArrayView bytes)
{
    if (const int line = ZeroByteLineNumber(bytes))
        throw UserError(ClientZeroByteLineMessage(line));
    BankFileReader reader(bytes, ClientFirstLineAccepted, ClientBadFormatMessage());
    ClientListContents contents;
    // The line ends were dropped in decoding; the CRC covers each line's bytes
    // without them, which re-encoding gives back exactly.
    quint32 crc = 0xFFFFFFFF;
    QByteArray buffer;
    const auto addToCrc = [&](QStringView line) {
        if (line.isEmpty())
            return;
        buffer.resize(line.size());
        Cp1251::encodeInto(buffer.data(), line);
        UpdateCRC32(buffer.constData(), buffer.size(), crc);
    };
    addToCrc(reader.headerLine());

    int lineNumber = 1;
    QStringView line;
    QList<QStringView> fields;
    while (reader.nextDetail(line)) {
        ++lineNumber;
        addToCrc(line);
        SplitFieldViews(line, fields, kClientDetailFieldCount);
        std::optional<ClientRecord> record = RecordFromDetailFields(fields);
        if (!record)
            throw UserError(ClientShortLineMessage(lineNumber));
        (*record)[ClientColumn::Number] = QString::number(contents.records.size() + 1);
        contents.records.append(*record);
    }
    contents.limitReached = contents.records.size() >= kMaxClientRecords;

    const QStringView trailer = reader.trailerLine();
    contents.hasTrailer = !trailer.isEmpty();
    contents.checksumMatches = contents.hasTrailer
            && BankFileReader::field(trailer, 2).compare(FormatCRC32(~crc), Qt::CaseInsensitive) == 0;
    return contents;
}

ClientListContents LoadClientList(const QString &path)
{
    return ReadClientList(ReadBankFileBytes(path));
}
