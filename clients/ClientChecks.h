#pragma once

#include "clients/ClientRecord.h"

#include <QDate>
#include <QString>

#include <optional>

// The checks a client passes before it enters the table. Characters are
// judged on their Windows-1251 code; one outside the code page belongs to
// no class. Dates with a one- or two-digit year depend on the current year,
// which the caller takes from its clock.

// Character classes.
bool IsLatinClassChar(QChar c);    // code 0, "'", "-", 0x41..0x7A
bool IsCyrillicRangeChar(QChar c); // 0xC0..0xFF ("А".."я"; not "Ё", "ё")
// Latin class and Cyrillic range; the Latin class alone for the biometric type.
bool IsNameChar(QChar c, int docType);
// Name characters and the blank.
bool IsPatronymicChar(QChar c, int docType);

// "Ё" -> "Е", then "ё" -> "е"; for testing only, the field keeps its letters.
QString NormaliseYo(const QString &text);
// Every blank removed.
QString RemoveBlanks(const QString &text);
// Blanks and every "." removed: empty when nothing was typed into a date.
QString DateSkeleton(const QString &text);

// "d.m.y": blanks before each number, before each "." and at the end are
// ignored, one more "." may follow the year. A year of one or two digits is
// placed in currentYear-50 .. currentYear+49. Only real dates (years 1 to
// 9999) convert; anything else gives nothing.
std::optional<QDate> DateFromText(const QString &text, int currentYear);
// True for the empty text and for every text DateFromText converts.
bool IsDate(const QString &text, int currentYear);

// The last day of a biometric passport issued on the given date: ten years
// on (29 February into a common year gives 28 February), less one day.
QDate BiometricPassportEnd(QDate issue);

// What a failed check or save points at, so that the window can focus it:
// the edit controls in the order of the checks, then the table. None for a
// failure that is about no field (the settings file).
enum class ClientField {
    None,
    Surname,
    Name,
    Patronymic,
    Inn,
    Birthday,
    Phone,
    PassportSeries,
    PassportNumber,
    PassportDate,
    PassportPlace,
    Address,
    PassportEnd,
    PlaceOfBirth,
    TaxOffice,
    MobileNumber,
    PassportIssuedBy,
    Table,
};

struct ClientCheckFailure
{
    ClientField field;
    QString message;

    friend bool operator==(const ClientCheckFailure &, const ClientCheckFailure &) = default;
};

// Nothing when the check passes.
using ClientCheckResult = std::optional<ClientCheckFailure>;

// The first failure of the checks, one a field in ClientField's order (the
// phone is optional and unchecked): all sixteen for the window's add and
// edit, the first twelve for the text import.
inline constexpr int kClientCheckCount = 16;
inline constexpr int kImportedClientCheckCount = 12;
ClientCheckResult RunClientChecks(const ClientFields &f, int currentYear, int count = kClientCheckCount);
inline ClientCheckResult ValidateClientFields(const ClientFields &f, int currentYear)
{
    return RunClientChecks(f, currentYear, kClientCheckCount);
}
inline ClientCheckResult ValidateImportedClient(const ClientFields &f, int currentYear)
{
    return RunClientChecks(f, currentYear, kImportedClientCheckCount);
}
