#pragma once

#include <QString>
#include <QStringList>

#include <array>

// One registered client: the 21 text cells of a client table row. Columns
// 1 and 5 are composed from the single fields; 16 holds the document-type
// index as decimal text ("-1" for none).
namespace ClientColumn {
enum : int {
    Number = 0,       // row number, 1 for the first client
    FullName,         // surname + " " + name + " " + patronymic
    Sex,              // "Мужской" or "Женский"
    Inn,              // 9 places
    Birthday,         // "dd.mm.yyyy", blanks in unfilled places
    Document,         // series + " " + number
    PassportDate,
    PassportPlace,
    Phone,            // 7 places
    Address,
    Name,
    Surname,
    Patronymic,
    PassportSeries,
    PassportNumber,
    PassportEnd,
    DocType,          // "-1", "0" .. "7"
    PlaceOfBirth,
    TaxOffice,
    MobileNumber,     // "(99)999-99-99", blanks in unfilled places
    PassportIssuedBy,
    Count             // 21
};
inline constexpr int kVisibleCount = 9; // columns 0 to 8 are shown
} // namespace ClientColumn

inline constexpr int kMaxClientRecords = 500;

struct ClientRecord
{
    std::array<QString, ClientColumn::Count> cells;

    QString &operator[](int column) { return cells[size_t(column)]; }
    const QString &operator[](int column) const { return cells[size_t(column)]; }
    // A row is occupied when both its full name and its sex are non-empty.
    bool isOccupied() const { return !cells[ClientColumn::FullName].isEmpty() && !cells[ClientColumn::Sex].isEmpty(); }

    friend bool operator==(const ClientRecord &, const ClientRecord &) = default;
};
// Its cells are QStrings, which move by memcpy: a growing list of 100,000
// clients is then reallocated, not copied cell by cell.
Q_DECLARE_TYPEINFO(ClientRecord, Q_RELOCATABLE_TYPE);

// The document types of the edit area's list, by index.
inline constexpr int kDocTypeCount = 8;
QString DocTypeName(int index);              // "" outside 0..7
QStringList DocTypeNames();                  // the eight items in list order
// Types 0 and 5, the two national passports, get the strict series and
// number rules; type 5 alone the Latin-only names and the ten-year rule.
inline bool IsPassportType(int docType) { return docType == 0 || docType == 5; }
inline bool IsBiometricType(int docType) { return docType == 5; }

inline QString MaleText() { return QStringLiteral("Мужской"); }
inline QString FemaleText() { return QStringLiteral("Женский"); }
// 0 (male) when the text starts with Cyrillic "М" or "м"; 1 otherwise, the
// empty text and the Latin M included.
int SexIndexFromText(const QString &text);
QString SexText(int index);                  // 0 -> "Мужской", else "Женский"

// The texts of the edit area, masked fields in their stored form ("  .  .    "
// for an unfilled date), the sex and document type as list indexes.
struct ClientFields
{
    QString surname;
    QString name;
    QString patronymic;
    int sexIndex = 0;
    QString inn = QStringLiteral("         ");
    QString birthday = QStringLiteral("  .  .    ");
    QString phone = QStringLiteral("       ");
    int docType = -1;
    QString passportSeries;
    QString passportNumber;
    QString passportDate = QStringLiteral("  .  .    ");
    QString passportPlace;
    QString passportEnd = QStringLiteral("  .  .    ");
    QString address;
    QString placeOfBirth;
    QString taxOffice;
    QString mobileNumber = QStringLiteral("(  )   -  -  ");
    QString passportIssuedBy;

    friend bool operator==(const ClientFields &, const ClientFields &) = default;
};

// Leading and trailing blanks and control characters removed.
QString TrimName(const QString &text);
QStringView TrimmedName(QStringView text); // the same, without a copy

// A record from the edit area, as the add command writes it (names trimmed)
// or as the edit command does (names as typed). Column 0 is left empty.
enum class NameParts { Trimmed, AsTyped };
ClientRecord RecordFromFields(const ClientFields &fields, NameParts parts);
// The edit area as loading a row sets it; the document type from column 16
// (-1 when it is not a whole number).
ClientFields FieldsFromRecord(const ClientRecord &record);
