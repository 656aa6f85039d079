// The client text import on arbitrary bytes: never a crash; a success gives
// clients numbered from 1 that pass the import's checks again, masked fields
// in their full stored length and no passport twice; a failure names a line
// and keeps no client.
#include "clients/ClientTextImport.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the document type of the edit area.
    const int docType = int(data[0] % 9) - 1;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    ClientFields start;
    start.docType = docType;
    start.placeOfBirth = u"Самарканд"_s;
    const QString path = u"clients.txt"_s;
    const ClientImportResult r = ImportClientText(bytes, path, start, 2026);

    if (!r.ok()) {
        require(r.failure->line >= 1);
        require(r.records.isEmpty());
        require(r.failure->message.startsWith(u"Обнаружена ошибка в файле:\"clients.txt\", строка:"_s));
        return 0;
    }
    QSet<std::pair<QString, QString>> passports;
    for (qsizetype i = 0; i < r.records.size(); ++i) {
        const ClientRecord &c = r.records.at(i);
        require(c[ClientColumn::Number] == QString::number(i + 1));
        require(c[ClientColumn::DocType] == QString::number(docType));
        require(c[ClientColumn::PlaceOfBirth] == start.placeOfBirth);
        require(c[ClientColumn::Inn].size() == 9 && c[ClientColumn::Phone].size() == 7);
        require(c[ClientColumn::Birthday].size() == 10 && c[ClientColumn::PassportDate].size() == 10
                && c[ClientColumn::PassportEnd].size() == 10);
        require(c[ClientColumn::PassportPlace].size() <= 100 && c[ClientColumn::Address].size() <= 100);
        require(!c[ClientColumn::Surname].contains(u' ') && !c[ClientColumn::PassportNumber].contains(u' '));
        const ClientFields f = FieldsFromRecord(c);
        require(!ValidateImportedClient(f, 2026));
        const std::pair key{TrimName(f.passportSeries), TrimName(f.passportNumber)};
        require(!passports.contains(key));
        passports.insert(key);
    }
    return 0;
}
