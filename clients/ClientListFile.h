#pragma once

#include "clients/ClientRecord.h"
#include "clients/ClientRecords.h"
#include "clients/ClientTexts.h"
#include "settings/SettingsRecord.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The fields and texts of the client list file the bank ingests: a header
// line, one detail line per client and a trailer with a CRC-32. Here are the
// fields of each line; the lines themselves are put together by the shared
// bank-file writer and taken apart by its reader.

// "M" when the first character, Latin a-z taken as capitals, is the Cyrillic
// capital "М"; "F" otherwise. Throws UserError(ClientBadSexMessage()) for
// an empty text.
QString SexCode(const QString &text);
// "Мужской" when the code starts with Latin "M" or "m", Cyrillic "М" or "м";
// "Женский" otherwise, the empty code included.
QString SexName(const QString &code);

// The document-type index of column 16 ("0".."7") as the bank's code: "1" to
// "7", and "9" for "Другое"; "" for "-1" and anything else.
QString DocTypeCode(const QString &text);
// The list index of a bank code; -1 for a code outside the table.
int DocTypeIndex(const QString &code);

// The moment of saving as the header shows it: "dd.MM.yyyy HH:mm:ss", or
// the date alone when the time is exactly 00:00:00.
QString ClientMomentText(const QDateTime &moment);

// "Клиенты/CLSV" + branch + client, as stored, + the moment's text without
// ".", ":" and blanks. Relative, "/" separated. Calls CheckBankCodes.
QString ClientListFileName(const SettingsRecord &settings, const QDateTime &moment);

// The header line's fields: "H", "0000000001", branch, client, moment.
QStringList ClientHeaderFields(const SettingsRecord &settings, const QString &momentText);

// A detail line's 18 fields after its type and line number: surname, name,
// patronymic, sex code, birthday, taxpayer number, address, series, number,
// place of issue, date of issue, expiry ("" while unfilled), phone, document
// code, place of birth, tax office, mobile number, issuing authority.
// Throws UserError from SexCode.
QStringList ClientDetailFields(const ClientRecord &record);
// The same fields as views into the records, which must outlive them.
inline constexpr int kClientWrittenFieldCount = 18;
std::array<QStringView, kClientWrittenFieldCount> ClientDetailFieldViews(const ClientRecords &records,
                                                                          qsizetype record);

// A client from all the fields of a detail line (type and line number
// first, as the line splits); fields after the 20th are ignored. Full name
// and series-and-number are composed; column 0 is left empty. Nothing for a
// line of fewer than 20 fields.
inline constexpr int kClientDetailFieldCount = 20;
std::optional<ClientRecord> RecordFromDetailFields(const QList<QStringView> &fields);
std::optional<ClientRecord> RecordFromDetailFields(const QStringList &fields);

// The 1-based line that holds the first zero byte, as the lines of a file's
// bytes are counted; 0 when there is none.
int ZeroByteLineNumber(QByteArrayView bytes);

// The loader takes a first line that starts with "H", or else has a TAB as
// its second character; an empty first line is refused.
bool ClientFirstLineAccepted(QStringView line);
