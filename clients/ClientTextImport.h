#pragma once

#include "clients/ClientChecks.h"
#include "clients/ClientRecord.h"
#include "clients/ClientRecords.h"
#include "clients/ClientTexts.h"
#include "common/EditMask.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Clients brought in from a TAB-separated Windows-1251 text file: one client
// per line, fields 0..12 go into the edit area as a program sets its texts,
// each client passes the import's checks and must not repeat an earlier
// passport. The first bad line ends the import.

// The edit masks of the client window's masked fields.
inline constexpr QStringView kInnEditMask = u"000000000;1;_";
inline constexpr QStringView kDateEditMask = u"!99/99/0000;1;";
inline constexpr QStringView kPhoneEditMask = u"!9999999;1;_";
inline constexpr QStringView kMobileEditMask = u"!\\(99\\)000-00-00;1;_";
inline constexpr QStringView kExpiryEditMask = u"!99/99/9999;1;";

// Fields a client line must have; later ones are ignored.
inline constexpr int kClientLineFields = 13;

// The bytes of a client text file, through the shared size-limited reader;
// throws UserError with CannotLoadClientTextMessage() or its size message.
QByteArray ReadClientTextBytes(const QString &path);

struct ClientImportFailure
{
    int line = 0;                      // 1-based, blank lines counted
    QString message;                   // the whole message shown to the user
    QString reason;                    // the line's error alone
    std::optional<ClientField> field;  // the field to focus; none for a short line or a duplicate
};

struct ClientImportResult
{
    ClientRecords records;             // in file order, column 0 numbered from 1; empty on failure
    // The edit area afterwards: the last client line's values, the bad line's
    // on failure, the start values when the file holds no client line.
    ClientFields fields;
    std::optional<ClientImportFailure> failure;

    bool ok() const { return !failure; }
};

class ClientTextImport
{
public:
    // start: the edit area when the import begins; only its document type,
    // place of birth, tax office, mobile number and issuing authority are
    // carried into every client.
    ClientTextImport(const ClientFields &start, int currentYear);

    // The edit area after one client line's fields are put into it; fields
    // missing from a short line read as empty.
    ClientFields fieldsFromLine(QStringView line) const;

    // bytes: the file's contents; path: as the message names it.
    ClientImportResult run(QByteArrayView bytes, const QString &path) const;

private:
    struct MaskRefusal
    {
        ClientField field;
        QString fieldName;
        QChar character;
    };
    // The first masked field whose value holds a character its mask has no
    // place for: the edit would drop it silently.
    std::optional<MaskRefusal> refusedByMask(const QList<QStringView> &fields) const;
    ClientFields fieldsFrom(const QStringView *fields, qsizetype count) const;

    ClientFields m_start;
    int m_currentYear;
    EditMask m_innMask;
    EditMask m_dateMask;
    EditMask m_phoneMask;
    EditMask m_expiryMask;
};

// Whole-file convenience: ClientTextImport(start, currentYear).run(bytes, path).
ClientImportResult ImportClientText(QByteArrayView bytes, const QString &path,
                                    const ClientFields &start, int currentYear);
