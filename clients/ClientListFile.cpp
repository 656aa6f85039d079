#include "clients/ClientListFile.h"

#include "common/ByteLines.h"
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
    return ClientFolder() + u"/CLSV"_s + settings.filialCode + settings.organisationCode + stamp;
}

QStringList ClientHeaderFields(const SettingsRecord &settings, const QString &momentText)
{
    return {u"H"_s, u"0000000001"_s, settings.filialCode, settings.organisationCode, momentText};
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
        cell(Address), cell(PassportSeries), cell(PassportNumber), cell(PassportPlace), cell(PassportDate), expiry,
        cell(Phone), DocTypeCodeView(cell(DocType)), cell(PlaceOfBirth), cell(TaxOffice), cell(MobileNumber),
        cell(PassportIssuedBy),
    };
}

std::optional<ClientRecord> RecordFromDetailFields(const QList<QStringView> &f)
{
    if (f.size() < kClientDetailFieldCount)
        return std::nullopt;
    using namespace ClientColumn;
    ClientRecord r;
    r[FullName] = f[2].toString() + u' ' + f[3].toString() + u' ' + f[4].toString();
    r[Sex] = SexName(f[5].toString());
    r[Inn] = f[7].toString();
    r[Birthday] = f[6].toString();
    r[Document] = f[9].toString() + u' ' + f[10].toString();
    r[PassportDate] = f[12].toString();
    r[PassportPlace] = f[11].toString();
    r[Phone] = f[14].toString();
    r[Address] = f[8].toString();
    r[Name] = f[3].toString();
    r[Surname] = f[2].toString();
    r[Patronymic] = f[4].toString();
    r[PassportSeries] = f[9].toString();
    r[PassportNumber] = f[10].toString();
    r[PassportEnd] = f[13].toString();
    r[DocType] = QString::number(DocTypeIndex(f[15].toString()));
    r[PlaceOfBirth] = f[16].toString();
    r[TaxOffice] = f[17].toString();
    r[MobileNumber] = f[18].toString();
    r[PassportIssuedBy] = f[19].toString();
    return r;
}

std::optional<ClientRecord> RecordFromDetailFields(const QStringList &fields)
{
    QList<QStringView> views;
    for (const QString &field : fields)
        views.append(field);
    return RecordFromDetailFields(views);
}

int ZeroByteLineNumber(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul < 0)
        return 0;
    const QByteArrayView before = bytes.first(nul);
    ByteLines lines(before);
    int count = 0;
    for (QByteArrayView line; lines.next(line);)
        ++count;
    // A line end just before the zero byte starts the zero byte's own line.
    const bool atLineStart = before.isEmpty() || before.back() == '\n' || before.back() == '\r';
    return atLineStart ? count + 1 : count;
}

bool ClientFirstLineAccepted(QStringView line)
{
    if (line.isEmpty())
        return false;
    return line.front() == u'H' || (line.size() > 1 && line.at(1) == u'\t');
}
