#include "clients/ClientRecord.h"

using namespace Qt::StringLiterals;

QStringList DocTypeNames()
{
    return {
        u"Паспорт гражданина Республики Узбекистан"_s,
        u"Воинское удостоверение"_s,
        u"Служебное удостоверение"_s,
        u"Паспорт иностранного гражданина"_s,
        u"Вид на жительство"_s,
        u"Биометрический паспорт гражданина Респ.Узбекистан"_s,
        u"Свидетельство о рождении"_s,
        u"Другое"_s,
    };
}

QString DocTypeName(int index)
{
    return index >= 0 && index < kDocTypeCount ? DocTypeNames().at(index) : QString();
}

int SexIndexFromText(const QString &text)
{
    if (text.isEmpty())
        return 1;
    const QChar c = text.front();
    return c == u'М' || c == u'м' ? 0 : 1;
}

QString SexText(int index)
{
    return index == 0 ? MaleText() : FemaleText();
}

QStringView TrimmedName(QStringView text)
{
    // Blanks and control characters: everything at or below the blank.
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.sliced(begin, end - begin);
}

QString TrimName(const QString &text)
{
    const QStringView trimmed = TrimmedName(text);
    return trimmed.size() == text.size() ? text : trimmed.toString(); // shared when nothing is cut
}

ClientRecord RecordFromFields(const ClientFields &f, NameParts parts)
{
    const bool trim = parts == NameParts::Trimmed;
    const QString surname = trim ? TrimName(f.surname) : f.surname;
    const QString name = trim ? TrimName(f.name) : f.name;
    const QString patronymic = trim ? TrimName(f.patronymic) : f.patronymic;

    ClientRecord r;
    using namespace ClientColumn;
    r[FullName] = surname + u' ' + name + u' ' + patronymic;
    r[Sex] = SexText(f.sexIndex);
    r[Inn] = f.inn;
    r[Birthday] = f.birthday;
    r[Document] = f.passportSeries + u' ' + f.passportNumber;
    r[PassportDate] = f.passportDate;
    r[PassportPlace] = f.passportPlace;
    r[Phone] = f.phone;
    r[Address] = f.address;
    r[Name] = name;
    r[Surname] = surname;
    r[Patronymic] = patronymic;
    r[PassportSeries] = f.passportSeries;
    r[PassportNumber] = f.passportNumber;
    r[PassportEnd] = f.passportEnd;
    r[DocType] = QString::number(f.docType);
    r[PlaceOfBirth] = f.placeOfBirth;
    r[TaxOffice] = f.taxOffice;
    r[MobileNumber] = f.mobileNumber;
    r[PassportIssuedBy] = f.passportIssuedBy;
    return r;
}

ClientFields FieldsFromRecord(const ClientRecord &r)
{
    using namespace ClientColumn;
    ClientFields f;
    f.name = r[Name];
    f.surname = r[Surname];
    f.patronymic = r[Patronymic];
    f.sexIndex = SexIndexFromText(r[Sex]);
    f.inn = r[Inn];
    f.birthday = r[Birthday];
    f.phone = r[Phone];
    f.passportSeries = r[PassportSeries];
    f.passportNumber = r[PassportNumber];
    f.passportDate = r[PassportDate];
    f.passportPlace = r[PassportPlace];
    f.passportEnd = r[PassportEnd];
    f.address = r[Address];
    bool ok = false;
    const int type = r[DocType].toInt(&ok);
    f.docType = ok && type >= 0 && type < kDocTypeCount ? type : -1;
    f.placeOfBirth = r[PlaceOfBirth];
    f.taxOffice = r[TaxOffice];
    f.mobileNumber = r[MobileNumber];
    f.passportIssuedBy = r[PassportIssuedBy];
    return f;
}
