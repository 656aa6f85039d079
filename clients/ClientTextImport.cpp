#include "clients/ClientTextImport.h"

#include "clients/ClientTableModel.h"
#include "clients/ClientListFile.h"
#include "common/BankFileReader.h"
#include "common/ByteLines.h"
#include "common/FieldSplitter.h"
#include "common/Cp1251.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QFile>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kCutLength = 100; // place of issue and address
// Room for the clients is made once, from the number of lines, up to this
// many; no client line that passes the checks is shorter than this many bytes.
constexpr qsizetype kReserveLimit = 250'000;
constexpr qsizetype kShortestClientLine = 32;

const QString &Blank()
{
    static const QString blank = u" "_s;
    return blank;
}

QString WithoutBlanks(QStringView field)
{
    return ReplaceAll(field.toString(), Blank(), QString());
}

// Nothing left once TABs and blanks are removed.
bool IsBlankLine(QStringView line)
{
    for (const QChar c : line)
        if (c != u'\t' && c != u' ')
            return false;
    return true;
}

using LineFields = QList<QStringView>;

// The first 13 TAB-separated fields of a line; fewer when the line has fewer.
void SplitClientLine(QStringView line, LineFields &fields)
{
    SplitFieldViews(line, fields, kClientLineFields);
}

// The first character of value that is of the wrong kind for every place
// of the edit mask: a letter where only digits go, a digit where only
// letters go. Nothing for a value that fits; other characters the edit
// skips as before. The mask is in the program's own notation.
std::optional<QChar> CharOfWrongKind(QStringView value, QStringView mask)
{
    bool digits = false, letters = false;
    for (const QChar m : mask.first(qMax(mask.indexOf(u';'), qsizetype(0)))) {
        switch (m.unicode()) {
        case u'0': case u'9': case u'#': digits = true; break;
        case u'L': case u'l': letters = true; break;
        case u'A': case u'a': case u'C': case u'c': digits = letters = true; break;
        default: break;
        }
    }
    for (const QChar c : value) {
        if ((c.isLetter() && !letters) || (c.isDigit() && !digits))
            return c;
    }
    return std::nullopt;
}

} // namespace


QByteArray ReadClientTextBytes(const QString &path)
{
    return BankFileReader::readFile(path, [](const QFile &) { return CannotLoadClientTextMessage(); });
}

ClientTextImport::ClientTextImport(const ClientFields &start, int currentYear)
    : m_currentYear(currentYear)
    , m_innMask(EditMask::parse(kInnEditMask.toString()))
    , m_dateMask(EditMask::parse(kDateEditMask.toString()))
    , m_phoneMask(EditMask::parse(kPhoneEditMask.toString()))
    , m_expiryMask(EditMask::parse(kExpiryEditMask.toString()))
{
    m_start.docType = start.docType;
    m_start.placeOfBirth = start.placeOfBirth;
    m_start.taxOffice = start.taxOffice;
    m_start.mobileNumber = start.mobileNumber;
    m_start.passportIssuedBy = start.passportIssuedBy;
}

ClientFields ClientTextImport::fieldsFromLine(QStringView line) const
{
    LineFields fields;
    SplitClientLine(line, fields);
    return fieldsFrom(fields.data(), fields.size());
}

ClientFields ClientTextImport::fieldsFrom(const QStringView *fields, qsizetype count) const
{
    const auto field = [fields, count](qsizetype i) { return i < count ? fields[i] : QStringView(); };

    ClientFields f = m_start;
    f.surname = WithoutBlanks(field(0));
    f.name = WithoutBlanks(field(1));
    f.patronymic = WithoutBlanks(field(2));
    f.sexIndex = SexIndexFromText(field(3).toString());
    f.inn = m_innMask.storedFromProgramText(WithoutBlanks(field(4)));
    f.birthday = m_dateMask.storedFromProgramText(WithoutBlanks(field(5)));
    f.phone = m_phoneMask.storedFromProgramText(WithoutBlanks(field(6)));
    f.passportSeries = WithoutBlanks(field(7));
    f.passportNumber = WithoutBlanks(field(8));
    f.passportDate = m_dateMask.storedFromProgramText(WithoutBlanks(field(9)));
    f.passportPlace = field(10).first(qMin(field(10).size(), kCutLength)).toString();
    f.passportEnd = m_expiryMask.storedFromProgramText(WithoutBlanks(field(11)));
    f.address = field(12).first(qMin(field(12).size(), kCutLength)).toString();
    return f;
}

std::optional<ClientTextImport::MaskRefusal> ClientTextImport::refusedByMask(const QList<QStringView> &fields) const
{
    struct Masked
    {
        int index;
        ClientField field;
        QStringView name;
        QStringView mask;
    };
    static constexpr Masked kMasked[] = {
        {4, ClientField::Inn, u"ИНН", kInnEditMask},
        {5, ClientField::Birthday, u"Дата рождения", kDateEditMask},
        {6, ClientField::Phone, u"Телефон", kPhoneEditMask},
        {9, ClientField::PassportDate, u"Дата выдачи", kDateEditMask},
        {11, ClientField::PassportEnd, u"Дата окончания", kExpiryEditMask},
    };
    for (const Masked &m : kMasked) {
        if (const std::optional<QChar> c = CharOfWrongKind(fields[m.index], m.mask))
            return MaskRefusal{m.field, m.name.toString(), *c};
    }
    return std::nullopt;
}

ClientImportResult ClientTextImport::run(QByteArrayView bytes, const QString &path) const
{
    ClientImportResult result;
    result.fields = m_start;

    const int zeroLine = ZeroByteLineNumber(bytes);
    // Growing the list a step at a time would copy every client several times.
    const qsizetype lineCount = qMax(bytes.count('\n'), bytes.count('\r')) + 1;
    const qsizetype expected = std::min({lineCount, bytes.size() / kShortestClientLine + 1, kReserveLimit});
    result.records.reserve(expected);
    // Where each client's trimmed series and number stand.
    PassportIndex passports;
    passports.reserve(expected);
    // Every client shares one text for the document type.
    const QString docType = QString::number(m_start.docType);
    int lineNumber = 0;

    const auto fail = [&](const QString &reason, std::optional<ClientField> field) {
        result.records = ClientRecords(); // its room too
        result.failure = ClientImportFailure{lineNumber, ClientImportErrorMessage(path, lineNumber, reason),
                                             reason, field};
        return result;
    };

    // The line is decoded into one buffer, reused: the file is never held twice.
    QString text;
    LineFields fields;
    ByteLines lines(bytes);
    for (QByteArrayView bytesOfLine; lines.next(bytesOfLine);) {
        ++lineNumber;
        text.resize(bytesOfLine.size());
        Cp1251::decodeInto(text.data(), bytesOfLine);
        const QStringView line(text);
        if (IsBlankLine(line))
            continue;
        SplitClientLine(line, fields);
        result.fields = fieldsFrom(fields.data(), fields.size());
        const ClientFields &f = result.fields;
        if (fields.size() < kClientLineFields)
            return fail(ShortClientLineMessage(), std::nullopt);
        if (const std::optional<MaskRefusal> refused = refusedByMask(fields))
            return fail(ClientMaskRefusedMessage(refused->fieldName, refused->character), refused->field);
        if (const ClientCheckResult bad = ValidateImportedClient(f, m_currentYear))
            return fail(bad->message, bad->field);

        const int row = int(result.records.size());
        const int firstRow = passports.first(result.records, f.passportSeries, f.passportNumber);
        if (firstRow >= 0)
            return fail(ClientTableModel::DuplicatePassportMessage(f.passportSeries, f.passportNumber, firstRow + 1),
                        std::nullopt);

        ClientRecord record = RecordFromFields(f, NameParts::Trimmed);
        record[ClientColumn::Number] = QString::number(row + 1);
        record[ClientColumn::DocType] = docType;
        result.records.append(record);
        passports.insert(result.records, row);
    }
    // A zero byte ends the walk; the line that holds it is refused, not cut.
    if (zeroLine > 0) {
        lineNumber = zeroLine;
        return fail(ClientTextZeroByteMessage(), std::nullopt);
    }
    return result;
}

ClientImportResult ImportClientText(QByteArrayView bytes, const QString &path, const ClientFields &start,
                                    int currentYear)
{
    return ClientTextImport(start, currentYear).run(bytes, path);
}
