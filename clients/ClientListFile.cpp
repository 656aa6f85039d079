#include "clients/ClientListFile.h"

#include "common/TextRoutines.h"
#include "common/UserError.h"

using namespace Qt::StringLiterals;

namespace {

// Bank codes for each document-type index 0..7; there is no "8".
constexpr char16_t kDocCodes[kDocTypeCount] = {u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'9'};

QChar LatinUpper(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - u'a' + u'A') : c;
}

QStringView SexCodeView(QStringView text)
{
    if (text.isEmpty())
        throw UserError(ClientBadSexMessage());
    return LatinUpper(text.front()) == u'М' ? QStringView(u"M") : QStringView(u"F");
}

QStringView DocTypeCodeView(QStringView text)
{
    bool ok = false;
    const int index = text.toInt(&ok);
    if (!ok || index < 0 || index >= kDocTypeCount)
        return {};
    return QStringView(kDocCodes + index, 1);
}

// The unfilled expiry date, "  .  .    ", is written as nothing.
bool IsUnfilledDate(QStringView text)
{
    int dots = 0;
    for (const QChar c : text) {
        if (c == u'.')
            ++dots;
        else if (c != u' ')
            return false;
    }
    return dots == 2;
}

} // namespace

QString ClientFolder()
{
    return u"Клиенты"_s;
}

QString SexCode(const QString &text)
{
    return SexCodeView(text).toString();
}

QString SexName(const QString &code)
{
    if (code.isEmpty())
        return FemaleText();
    const QChar c = LatinUpper(code.front());
    return c == u'M' || c == u'М' || c == u'м' ? MaleText() : FemaleText();
}

QString DocTypeCode(const QString &text)
{
    return DocTypeCodeView(text).toString();
}

int DocTypeIndex(const QString &code)
{
    bool ok = false;
    const int value = code.toInt(&ok);
    if (!ok)
        return -1;
    for (int index = 0; index < kDocTypeCount; ++index) {
        if (value == kDocCodes[index] - u'0')
            return index;
    }
    return -1;
}

QString ClientMomentText(const QDateTime &moment)
{
    const QTime t = moment.time();
    if (t.hour() == 0 && t.minute() == 0 && t.second() == 0)
        return moment.toString(u"dd.MM.yyyy"_s);
    return moment.toString(u"dd.MM.yyyy HH:mm:ss"_s);
}

QString ClientListFileName(const SettingsRecord &settings, const QDateTime &moment)
{
    CheckBankCodes(settings);
    QString stamp = ClientMomentText(moment);
    stamp = ReplaceAll(stamp, u"."_s, QString());
    stamp = ReplaceAll(stamp, u":"_s, QString());
    stamp = ReplaceAll(stamp, u" "_s, QString());
    return ClientFolder() + u"/CLSV"_s + settings.filialCode + settings.clientCode + stamp;
}

QStringList ClientHeaderFields(const SettingsRecord &settings, const QString &momentText)
{
    return {u"H"_s, u"0000000001"_s, settings.filialCode, settings.clientCode, momentText};
}

QStringList ClientDetailFields(const ClientRecord &record)
{
    const ClientRecords one{record};
    QStringList fields;
    for (const QStringView field : ClientDetailFieldViews(one, 0))
        fields.append(field.toString());
    return fields;
}

std::array<QStringView, kClientWrittenFieldCount> ClientDetailFieldViews(const ClientRecords &records,
                                                                          qsizetype record)
{
    using namespace ClientColumn;
    const auto cell = [&](int column) { return records.cell(record, column); };
    const QStringView expiry = IsUnfilledDate(cell(PassportEnd)) ? QStringView() : cell(PassportEnd);
    return {
        cell(Surname), cell(Name), cell(Patronymic), SexCodeView(cell(Sex)), cell(Birthday), cell(Inn),
        cell(Address), cell(PassportSerial), cell(PassportNumber), cell(PassportPlace), cell(PassportDate), expiry,
        cell(Phone), DocTypeCodeView(cell(DocType)), cell(PlaceOfBirth), cell(TaxOffice), cell(MobileNumber),
        cell(PassportIssuedBy),
    };
}

std::optional<ClientRecord> RecordFromDetailFields(const QStringList &f)
{
    if (f.size() < kClientDetailFieldCount)
        return std::nullopt;
    using namespace ClientColumn;
    ClientRecord r;
    r[FullName] = f[2] + u' ' + f[3] + u' ' + f[4];
    r[Sex] = SexName(f[5]);
    r[Inn] = f[7];
    r[Birthday] = f[6];
    r[Document] = f[9] + u' ' + f[10];
    r[PassportDate] = f[12];
    r[PassportPlace] = f[11];
    r[Phone] = f[14];
    r[Address] = f[8];
    r[Name] = f[3];
    r[Surname] = f[2];
    r[Patronymic] = f[4];
    r[PassportSerial] = f[9];
    r[PassportNumber] = f[10];
    r[PassportEnd] = f[13];
    r[DocType] = QString::number(DocTypeIndex(f[15]));
    r[PlaceOfBirth] = f[16];
    r[TaxOffice] = f[17];
    r[MobileNumber] = f[18];
    r[PassportIssuedBy] = f[19];
    return r;
}

bool ClientFirstLineAccepted(QStringView line)
{
    if (line.isEmpty())
        return false;
    return line.front() == u'H' || (line.size() > 1 && line.at(1) == u'\t');
}

QString ClientTableEmptyMessage()
{
    return u"Таблица не заполнена!"_s;
}

QString ClientBadFormatMessage()
{
    return u"Неверный формат файла!"_s;
}

QString ClientShortLineMessage(int lineNumber)
{
    return ClientBadFormatMessage() + u" Строка %1: меньше %2 полей"_s.arg(lineNumber).arg(kClientDetailFieldCount);
}

QString ClientBadSexMessage()
{
    return u"Неверно добавлена информация в таблицу"_s;
}

QString ClientLimitMessage()
{
    return u"Достигнуто максимальное количество записей(%1)"_s.arg(kMaxClientRecords);
}

QString ClientChecksumFailedMessage()
{
    return u"Ошибка расчета CRC32 суммы"_s;
}

QString ClientSavedMessagePrefix()
{
    return u"Файл успешно сохранен как "_s;
}

QString ClientOverwriteCaption()
{
    return u"Сохранение"_s;
}

QString ClientOverwriteQuestion()
{
    return u"Перезаписать текущий файл? (да - перезаписать, нет - сохранить с новым названием)"_s;
}
