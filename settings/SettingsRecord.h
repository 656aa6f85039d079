#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The organisation's bank details: one 96-byte record in "settings.ini",
// three length-prefixed Windows-1251 strings. The bank calls the
// organisation its client; in this program a client is an employee.
struct SettingsRecord
{
    SettingsRecord() = default;
    SettingsRecord(QString organisationCode, QString organisationName, QString filialCode)
        : organisationCode(std::move(organisationCode))
        , organisationName(std::move(organisationName))
        , filialCode(std::move(filialCode))
    {
    }

    QString organisationCode;   // slot of 8 at offset 0
    QString organisationName;   // slot of 80 at offset 9
    QString filialCode;         // slot of 5 at offset 90

    static constexpr int kSize = 96;

    // The 96 bytes; each field is cut to its slot, unused slot bytes are zero.
    QByteArray toBytes() const;
    // The record in the first 96 bytes; fewer bytes give the empty record.
    // A length byte beyond its slot's capacity is taken as the full slot.
    static SettingsRecord fromBytes(QByteArrayView bytes);

    friend bool operator==(const SettingsRecord &a, const SettingsRecord &b)
    {
        return a.organisationCode == b.organisationCode && a.organisationName == b.organisationName
            && a.filialCode == b.filialCode;
    }
};

// The name of the settings file, relative to the working directory.
QString SettingsFileName();

// True when "settings.ini" exists as a file (a zero-byte file counts).
bool SettingsFileExists();

// Reads "settings.ini" in the working directory. A missing file is created
// empty and gives the empty record; a short file gives the empty record.
// Throws UserError when the file cannot be created or read.
SettingsRecord ReadSettingsRecord();

// As ReadSettingsRecord, but a file shorter than one record gives nothing,
// so that a caller can keep what it had.
std::optional<SettingsRecord> ReadCompleteSettingsRecord();

// Replaces "settings.ini" atomically with the record. Throws UserError.
void WriteSettingsRecord(const SettingsRecord &record);

// Throws UserError when the branch or organisation code holds anything but digits
// and blanks: the codes go into file names, and a hand-edited "settings.ini"
// must not steer a save outside its folder.
void CheckBankCodes(const SettingsRecord &settings);
