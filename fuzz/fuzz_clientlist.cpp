// The client list reader on arbitrary bytes: never a crash; a file it takes
// gives clients numbered from 1, at most the limit; saved again, they load
// back the same, and a second save writes the same bytes.
#include "clients/ClientListFile.h"
#include "clients/ClientListLoad.h"
#include "clients/ClientListSave.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The save writes an unfilled expiry date (blanks and two dots) as nothing.
ClientRecords AsSaved(ClientRecords records)
{
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (ReplaceAll(records.cell(i, ClientColumn::PassportEnd).toString(), u" "_s, QString()) == u".."_s)
            records.setCell(i, ClientColumn::PassportEnd, {});
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ClientListContents loaded;
    try {
        loaded = ReadClientList(bytes);
    } catch (const UserError &) {
        return 0;
    }
    require(loaded.records.size() <= kMaxClientRecords);
    require(loaded.limitReached == (loaded.records.size() >= kMaxClientRecords));
    for (qsizetype i = 0; i < loaded.records.size(); ++i)
        require(loaded.records.at(i)[ClientColumn::Number] == QString::number(i + 1));

    SettingsRecord settings;
    settings.filialCode = u"00123"_s;
    settings.organisationCode = u"12345678"_s;
    const QDateTime moment(QDate(2026, 12, 8), QTime(14, 5, 9));
    QByteArray saved;
    try {
        saved = BuildClientListFile(settings, loaded.records, moment);
    } catch (const UserError &) {
        std::abort(); // every loaded client has a sex
    }
    ClientListContents again;
    try {
        again = ReadClientList(saved);
    } catch (const UserError &) {
        std::abort();
    }
    require(again.records == AsSaved(loaded.records));
    require(again.limitReached == loaded.limitReached);
    require(again.hasTrailer && again.checksumMatches);
    require(BuildClientListFile(settings, again.records, moment) == saved);
    return 0;
}
