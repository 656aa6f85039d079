#include "support/ClientSamples.h"

using namespace Qt::StringLiterals;

ClientFields IvanovFields()
{
    ClientFields f;
    f.surname = u"Иванов"_s;
    f.name = u"Иван"_s;
    f.patronymic = u"Иванович"_s;
    f.sexIndex = 0;
    f.inn = u"123456789"_s;
    f.birthday = u"01.02.1980"_s;
    f.phone = u"1234567"_s;
    f.docType = 0;
    f.passportSeries = u"AA"_s;
    f.passportNumber = u"1234567"_s;
    f.passportDate = u"05.06.2010"_s;
    f.passportPlace = u"Ташкент"_s;
    f.passportEnd = u"  .  .    "_s;
    f.address = u"Ташкент, ул. Навои, 1"_s;
    f.placeOfBirth = u"Ташкент"_s;
    f.taxOffice = u"ГНИ района"_s;
    f.mobileNumber = u"(90)123-45-67"_s;
    f.passportIssuedBy = u"ОВД района"_s;
    return f;
}

ClientFields ValidClientFields(int n, int docType)
{
    ClientFields f;
    f.surname = u"Каримов"_s;
    f.name = u"Азиз"_s;
    f.patronymic = u"Рустамович"_s;
    f.inn = u"123456789"_s;
    f.birthday = u"05.06.1980"_s;
    f.docType = docType;
    f.passportSeries = u"AA"_s;
    f.passportNumber = u"%1"_s.arg(n, 7, 10, QLatin1Char('0'));
    f.passportDate = u"15.03.2016"_s;
    f.passportPlace = u"Ташкент"_s;
    f.passportEnd = u"14.03.2026"_s;
    f.address = u"Ташкент, ул. Навои, 1"_s;
    f.placeOfBirth = u"Самарканд"_s;
    f.taxOffice = u"ГНИ Юнусабадского района"_s;
    f.mobileNumber = u"(90)123-45-67"_s;
    f.passportIssuedBy = u"ОВД Юнусабадского района"_s;
    return f;
}

QStringList ClientLineFields(int n)
{
    return {u"Каримов"_s, u"Азиз"_s, u"Рустамович"_s, u"Мужской"_s, u"123456789"_s, u"05.06.1980"_s,
            u"1234567"_s, u"AA"_s, QString::number(1000000 + n), u"15.03.2016"_s,
            u"Юнусабадский РОВД г. Ташкента"_s, u"14.03.2026"_s, u"Ташкент, ул. Навои, 1"_s};
}
