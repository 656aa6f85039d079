#include "clients/ClientTextImport.h"

#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QFile>
#include <QHash>
#include <QVarLengthArray>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kCutLength = 100; // place of issue and address

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

QString ClientTextSizeMessage(const QString &path)
{
    return u"Файл \"%1\" больше %2 МБ и не может быть открыт"_s.arg(path).arg(kMaxClientTextSize / (1024 * 1024));
}

QString ShortClientLineMessage()
{
    return u"в строке меньше %1 полей"_s.arg(kClientLineFields);
}

QString DuplicatePassportMessage(const QString &series, const QString &number, int row)
{
    return u"Паспортные данные "_s + series + u' ' + number + u" уже существуют в строке "_s + QString::number(row);
}

QString ClientImportErrorMessage(const QString &path, int line, const QString &error)
{
    return u"Обнаружена ошибка в файле:\""_s + path + u"\", строка:"_s + QString::number(line) + u", ошибка:<"_s
            + error + u'>';
}

QByteArray ReadClientTextBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(CannotLoadClientTextMessage());
    if (file.size() > kMaxClientTextSize)
        throw UserError(ClientTextSizeMessage(path));
    QByteArray bytes = file.read(kMaxClientTextSize + 1); // the file may grow meanwhile
    if (bytes.size() > kMaxClientTextSize)
        throw UserError(ClientTextSizeMessage(path));
    if (file.error() != QFileDevice::NoError)
        throw UserError(CannotLoadClientTextMessage());
    return bytes;
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

    const QString text = DecodeText(bytes);
    LineSplitter lines(text);
    // Trimmed series and number -> row of the first client that has them.
    QHash<std::pair<QString, QString>, int> passports;
    int lineNumber = 0;

    const auto fail = [&](const QString &reason, std::optional<ClientField> field) {
        result.records.clear();
        result.failure = ClientImportFailure{lineNumber, ClientImportErrorMessage(path, lineNumber, reason),
                                             reason, field};
        return result;
    };

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

        const int row = int(result.records.size()) + 1;
        int &firstRow = passports[{TrimName(f.passportSerial), TrimName(f.passportNumber)}];
        if (firstRow != 0)
            return fail(DuplicatePassportMessage(f.passportSerial, f.passportNumber, firstRow), std::nullopt);
        firstRow = row;

        ClientRecord record = RecordFromFields(f, NameParts::Trimmed);
        record[ClientColumn::Number] = QString::number(row);
        result.records.append(std::move(record));
    }
    return result;
}

ClientImportResult ImportClientText(QByteArrayView bytes, const QString &path, const ClientFields &start,
                                    int currentYear)
{
    return ClientTextImport(start, currentYear).run(bytes, path);
}
