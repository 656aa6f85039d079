#include "clients/ClientTextImport.h"

#include "clients/ClientTableModel.h"
#include "common/BankFileReader.h"
#include "common/Cp1251.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QFile>
#include <QVarLengthArray>

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

// The file is decoded a block of whole lines at a time, so that a large file
// is never held twice. A block ends after the first line end at or beyond
// this many bytes.
constexpr qsizetype kDecodeBlock = qsizetype(1) << 20;

qsizetype DecodeBlockEnd(QByteArrayView bytes)
{
    for (qsizetype i = kDecodeBlock - 1; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            return i + 1;
        if (bytes[i] == '\r')
            return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? i + 2 : i + 1;
    }
    return bytes.size();
}

using LineFields = QVarLengthArray<QStringView, kClientLineFields>;

// The first 13 TAB-separated fields of a line; fewer when the line has fewer.
LineFields SplitClientLine(QStringView line)
{
    LineFields fields;
    qsizetype start = 0;
    while (fields.size() < kClientLineFields) {
        const qsizetype tab = line.indexOf(u'\t', start);
        if (tab < 0) {
            fields.append(line.sliced(start));
            break;
        }
        fields.append(line.sliced(start, tab - start));
        start = tab + 1;
    }
    return fields;
}

} // namespace

QString CannotLoadClientTextMessage()
{
    return u"Не могу загрузить данные из файла. Возможно файл занят другим приложением. "
           u"Закройте все приложения, использующие данный файл и повторите снова."_s;
}

QString ShortClientLineMessage()
{
    return u"в строке меньше %1 полей"_s.arg(kClientLineFields);
}

QString ClientImportErrorMessage(const QString &path, int line, const QString &error)
{
    return u"Обнаружена ошибка в файле:\""_s + path + u"\", строка:"_s + QString::number(line) + u", ошибка:<"_s
            + error + u'>';
}

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
    const LineFields fields = SplitClientLine(line);
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
    f.passportSerial = WithoutBlanks(field(7));
    f.passportNumber = WithoutBlanks(field(8));
    f.passportDate = m_dateMask.storedFromProgramText(WithoutBlanks(field(9)));
    f.passportPlace = field(10).first(qMin(field(10).size(), kCutLength)).toString();
    f.passportEnd = m_expiryMask.storedFromProgramText(WithoutBlanks(field(11)));
    f.address = field(12).first(qMin(field(12).size(), kCutLength)).toString();
    return f;
}

ClientImportResult ClientTextImport::run(QByteArrayView bytes, const QString &path) const
{
    ClientImportResult result;
    result.fields = m_start;

    const qsizetype nul = bytes.indexOf('\0'); // the text ends at a zero byte
    if (nul >= 0)
        bytes = bytes.first(nul);
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

    while (!bytes.isEmpty()) {
        const qsizetype blockEnd = DecodeBlockEnd(bytes);
        const QString text = Cp1251::decode(bytes.first(blockEnd));
        bytes = bytes.sliced(blockEnd);
        LineSplitter lines(text);
        for (QStringView line; lines.next(line);) {
            ++lineNumber;
            if (IsBlankLine(line))
                continue;
            const LineFields fields = SplitClientLine(line);
            result.fields = fieldsFrom(fields.data(), fields.size());
            const ClientFields &f = result.fields;
            if (fields.size() < kClientLineFields)
                return fail(ShortClientLineMessage(), std::nullopt);
            if (const ClientCheckResult bad = ValidateImportedClient(f, m_currentYear))
                return fail(bad->message, bad->field);

            const int row = int(result.records.size());
            const int firstRow = passports.first(result.records, f.passportSerial, f.passportNumber);
            if (firstRow >= 0)
                return fail(ClientTableModel::DuplicatePassportMessage(f.passportSerial, f.passportNumber, firstRow + 1),
                            std::nullopt);

            ClientRecord record = RecordFromFields(f, NameParts::Trimmed);
            record[ClientColumn::Number] = QString::number(row + 1);
            record[ClientColumn::DocType] = docType;
            result.records.append(record);
            passports.insert(result.records, row);
        }
    }
    return result;
}

ClientImportResult ImportClientText(QByteArrayView bytes, const QString &path, const ClientFields &start,
                                    int currentYear)
{
    return ClientTextImport(start, currentYear).run(bytes, path);
}
