#include "support/ClientSamples.h"
#include "clients/ClientChecks.h"
#include "clients/ClientKeyFilter.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int kYear = 2026;

using Edits = QList<std::pair<ClientField, QString>>;

QString ClientFields::*textMember(ClientField field)
{
    switch (field) {
    case ClientField::Surname: return &ClientFields::surname;
    case ClientField::Name: return &ClientFields::name;
    case ClientField::Patronymic: return &ClientFields::patronymic;
    case ClientField::Inn: return &ClientFields::inn;
    case ClientField::Birthday: return &ClientFields::birthday;
    case ClientField::Phone: return &ClientFields::phone;
    case ClientField::PassportSeries: return &ClientFields::passportSeries;
    case ClientField::PassportNumber: return &ClientFields::passportNumber;
    case ClientField::PassportDate: return &ClientFields::passportDate;
    case ClientField::PassportPlace: return &ClientFields::passportPlace;
    case ClientField::Address: return &ClientFields::address;
    case ClientField::PassportEnd: return &ClientFields::passportEnd;
    case ClientField::PlaceOfBirth: return &ClientFields::placeOfBirth;
    case ClientField::TaxOffice: return &ClientFields::taxOffice;
    case ClientField::MobileNumber: return &ClientFields::mobileNumber;
    case ClientField::PassportIssuedBy: return &ClientFields::passportIssuedBy;
    case ClientField::None:
    case ClientField::Table: break;
    }
    return nullptr;
}

// A client that passes every check for its document type; the phone is unfilled.
ClientFields validClient(int docType)
{
    ClientFields f = ValidClientFields(1234567, docType);
    if (IsBiometricType(docType)) {
        f.surname = u"Karimov"_s;
        f.name = u"Aziz"_s;
        f.patronymic = u"Rustamovich"_s;
    }
    return f;
}

QString fill(const char16_t *field)
{
    return u"Внимание! Заполните поле \""_s + QString::fromUtf16(field) + u"\"!"_s;
}

const QString kSurnameRefused = u"Внимание! Поле \"Фамилия\" содержит недопустимые символы! слово :<%1> символ:<%2>"_s;
const QString kNameRefused = u"Внимание! Поле \"Имя\" содержит недопустимые символы! слово :<%1> символ:<%2> (Скорее всего символ не кириллический)"_s;
const QString kPatronymicRefused = u"Внимание! Поле \"Отчество\" содержит недопустимые символы! слово :<%1> символ:<%2> (Скорее всего символ не кириллический)"_s;
const QString kSeriesLength = u"Внимание! Поле \"Серия паспорта\" должен содержать только 2 буквы!"_s;
const QString kSeriesRefused = u"Внимание! Поле \"Серия паспорта\" содержит недопустимые символы!"_s;
const QString kNumberLength = u"Внимание! Длина № паспорта должна быть не менее 7 знаков!"_s;
const QString kBirthdayWrong = u"Внимание! Поле \"Дата рождения\" заполнено неверно!"_s;
const QString kIssueWrong = u"Внимание! Поле \"Дата выдачи\" заполнено неверно!"_s;
const QString kEndWrong = u"Внимание! Поле \"Дата окончания\" заполнено неверно!"_s;
const QString kTenYears = u"Внимание! Для биомет. паспорта разница между \"Дата выдачи\" и \"Дата окончания\" должно быть 10 лет!"_s;
const QString kUnfilledDate = u"  .  .    "_s;

} // namespace

Q_DECLARE_METATYPE(Edits)

class TestClientChecks : public QObject
{
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
    void dates_data();
    void dates();
    void keys_data();
    void keys();
};

void TestClientChecks::checks_data()
{
    QTest::addColumn<int>("docType");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<int>("field"); // -1: every check passes
    QTest::addColumn<QString>("message");

    using F = ClientField;
    const auto fails = [](const char *row, int type, const Edits &edits, F field, const QString &message) {
        QTest::newRow(row) << type << edits << int(field) << message;
    };
    const auto passes = [](const char *row, int type, const Edits &edits) {
        QTest::newRow(row) << type << edits << -1 << QString();
    };

    for (int type = -1; type < kDocTypeCount; ++type)
        passes(qPrintable(u"valid, type %1"_s.arg(type)), type, {});

    // Names.
    fails("surname and name empty", 0, {{F::Surname, u""_s}, {F::Name, u""_s}}, F::Surname, fill(u"Фамилия"));
    passes("apostrophe and hyphen, type 0", 0, {{F::Surname, u"Ибн-Д'Арк"_s}});
    passes("apostrophe and hyphen, no type", -1, {{F::Surname, u"Ибн-Д'Арк"_s}});
    passes("apostrophe and hyphen, type 7", 7, {{F::Surname, u"Ибн-Д'Арк"_s}});
    fails("Cyrillic surname, type 5", 5, {{F::Surname, u"O'Ибн-Д"_s}}, F::Surname,
          kSurnameRefused.arg(u"O'Ибн-Д"_s, u"И"_s));
    passes("Latin names, type 0", 0, {{F::Surname, u"Smith"_s}, {F::Name, u"John"_s}});
    fails("surname with a digit", 1, {{F::Surname, u"Каримов2"_s}}, F::Surname, kSurnameRefused.arg(u"Каримов2"_s, u"2"_s));
    passes("Yo in names", 0, {{F::Surname, u"Ёлкин"_s}, {F::Name, u"Алёна"_s}, {F::Patronymic, u"Пётровна"_s}});
    fails("Yo shown as Ye", 0, {{F::Surname, u"Ёлкин!"_s}}, F::Surname, kSurnameRefused.arg(u"Елкин!"_s, u"!"_s));
    fails("Uzbek letter outside the range", 0, {{F::Surname, u"Ўроқов"_s}}, F::Surname,
          kSurnameRefused.arg(u"Ўроқов"_s, u"Ў"_s));
    fails("letter outside the code page", 0, {{F::Surname, u"Әлиев"_s}}, F::Surname, kSurnameRefused.arg(u"Әлиев"_s, u"Ә"_s));
    fails("name empty", 0, {{F::Name, u""_s}}, F::Name, fill(u"Имя"));
    fails("name ending in a blank", 0, {{F::Name, u"Азиз "_s}}, F::Name, kNameRefused.arg(u"Азиз "_s, u" "_s));
    fails("name failing elsewhere shows Ye", 0, {{F::Name, u"Алёна1"_s}}, F::Name, kNameRefused.arg(u"Алена1"_s, u"1"_s));
    fails("Cyrillic name, type 5", 5, {{F::Name, u"Азиз"_s}}, F::Name, kNameRefused.arg(u"Азиз"_s, u"А"_s));
    passes("empty patronymic", 0, {{F::Patronymic, u""_s}});
    passes("patronymic of two words", 0, {{F::Patronymic, u"Рустам угли"_s}});
    passes("Latin patronymic of two words, type 5", 5, {{F::Patronymic, u"Rustam ugli"_s}});
    fails("patronymic ending in a digit", 0, {{F::Patronymic, u"Рустамович7"_s}}, F::Patronymic,
          kPatronymicRefused.arg(u"Рустамович7"_s, u"7"_s));
    fails("Cyrillic patronymic, type 5", 5, {{F::Patronymic, u"Rustam угли"_s}}, F::Patronymic,
          kPatronymicRefused.arg(u"Rustam угли"_s, u"у"_s));

    // Taxpayer number and birthday.
    fails("inn unfilled", 0, {{F::Inn, u"         "_s}}, F::Inn, fill(u"ИНН"));
    fails("birthday unfilled", 0, {{F::Birthday, kUnfilledDate}}, F::Birthday, fill(u"Дата рождения"));
    fails("birthday 31.02", 0, {{F::Birthday, u"31.02.1990"_s}}, F::Birthday, kBirthdayWrong);
    fails("birthday without a year", 0, {{F::Birthday, u"05.06.    "_s}}, F::Birthday, kBirthdayWrong);
    passes("phone filled", 0, {{F::Phone, u"1234567"_s}});

    // Series.
    passes("one-letter series, type 0", 0, {{F::PassportSeries, u"A"_s}});
    passes("last Latin capitals, type 0", 0, {{F::PassportSeries, u"ZZ"_s}});
    passes("last Latin capitals, type 5", 5, {{F::PassportSeries, u"ZZ"_s}});
    fails("three letters, type 0", 0, {{F::PassportSeries, u"ABC"_s}}, F::PassportSeries, kSeriesLength);
    fails("length before letters, type 5", 5, {{F::PassportSeries, u"a1b"_s}}, F::PassportSeries, kSeriesLength);
    fails("letter and digit, type 0", 0, {{F::PassportSeries, u"A1"_s}}, F::PassportSeries, kSeriesRefused);
    fails("small letters, type 5", 5, {{F::PassportSeries, u"aa"_s}}, F::PassportSeries, kSeriesRefused);
    fails("Cyrillic capitals, type 0", 0, {{F::PassportSeries, u"АВ"_s}}, F::PassportSeries, kSeriesRefused);
    fails("blank series, type 0", 0, {{F::PassportSeries, u" A"_s}}, F::PassportSeries, kSeriesRefused);
    fails("empty series, type 0", 0, {{F::PassportSeries, u""_s}}, F::PassportSeries, fill(u"Серия паспорта"));
    passes("two blanks, type 1", 1, {{F::PassportSeries, u"  "_s}});
    fails("empty series, type 1", 1, {{F::PassportSeries, u""_s}}, F::PassportSeries, fill(u"Серия паспорта"));
    passes("long free series, no type", -1, {{F::PassportSeries, u"АБ-12/x"_s}});

    // Number.
    fails("six digits, type 0", 0, {{F::PassportNumber, u"123456"_s}}, F::PassportNumber, kNumberLength);
    fails("six digits, type 5", 5, {{F::PassportNumber, u"123456"_s}}, F::PassportNumber, kNumberLength);
    fails("eight digits, type 0", 0, {{F::PassportNumber, u"12345678"_s}}, F::PassportNumber, kNumberLength);
    fails("blank number, type 0", 0, {{F::PassportNumber, u"       "_s}}, F::PassportNumber, fill(u"№ паспорта"));
    passes("three characters, type 7", 7, {{F::PassportNumber, u"1-A"_s}});
    fails("blank number, type 7", 7, {{F::PassportNumber, u"   "_s}}, F::PassportNumber, fill(u"№ паспорта"));

    // Issue date, place, address.
    fails("issue date unfilled", 3, {{F::PassportDate, kUnfilledDate}}, F::PassportDate, fill(u"Дата выдачи паспорта"));
    fails("issue date 30.02", 3, {{F::PassportDate, u"30.02.2016"_s}}, F::PassportDate, kIssueWrong);
    fails("place blank, type 0", 0, {{F::PassportPlace, u"  "_s}}, F::PassportPlace, fill(u"Место выдачи паспорта"));
    fails("place empty, type 5", 5, {{F::PassportPlace, u""_s}}, F::PassportPlace, fill(u"Место выдачи паспорта"));
    passes("place empty, type 2", 2, {{F::PassportPlace, u""_s}});
    fails("address empty, type 0", 0, {{F::Address, u""_s}}, F::Address, fill(u"Почтовый адрес"));
    passes("address empty, no type", -1, {{F::Address, u""_s}});

    // Expiry date.
    fails("end unfilled, type 0", 0, {{F::PassportEnd, kUnfilledDate}}, F::PassportEnd, fill(u"Дата окончания"));
    fails("end unfilled, type 5", 5, {{F::PassportEnd, kUnfilledDate}}, F::PassportEnd, fill(u"Дата окончания"));
    passes("end unfilled, type 4", 4, {{F::PassportEnd, kUnfilledDate}});
    passes("end unfilled, no type", -1, {{F::PassportEnd, kUnfilledDate}});
    fails("end partly filled, no type", -1, {{F::PassportEnd, u"14.03.    "_s}}, F::PassportEnd, kEndWrong);
    fails("end partly filled, type 0", 0, {{F::PassportEnd, u"14.  .2026"_s}}, F::PassportEnd, kEndWrong);
    passes("any valid end, type 0", 0, {{F::PassportEnd, u"01.01.2000"_s}});
    fails("ten years to the day, type 5", 5, {{F::PassportEnd, u"15.03.2026"_s}}, F::PassportEnd, kTenYears);
    fails("a day short, type 5", 5, {{F::PassportEnd, u"13.03.2026"_s}}, F::PassportEnd, kTenYears);
    passes("two-digit end year, type 5", 5, {{F::PassportEnd, u"14.03.  26"_s}});
    passes("issued 29.02, type 5", 5, {{F::PassportDate, u"29.02.2016"_s}, {F::PassportEnd, u"27.02.2026"_s}});
    fails("issued 29.02, ends 28.02, type 5", 5, {{F::PassportDate, u"29.02.2016"_s}, {F::PassportEnd, u"28.02.2026"_s}},
          F::PassportEnd, kTenYears);
    passes("issued 01.03, type 5", 5, {{F::PassportDate, u"01.03.2016"_s}, {F::PassportEnd, u"28.02.2026"_s}});

    // The four checks the import leaves out.
    fails("birthplace blank", 0, {{F::PlaceOfBirth, u" "_s}}, F::PlaceOfBirth, fill(u"Место рождения"));
    fails("tax office empty", 0, {{F::TaxOffice, u""_s}}, F::TaxOffice, fill(u"Наименование ГНИ"));
    fails("mobile unfilled", 0, {{F::MobileNumber, u"(  )   -  -  "_s}}, F::MobileNumber, fill(u"Номер мобильного телефона"));
    fails("issuer empty", 7, {{F::PassportIssuedBy, u""_s}}, F::PassportIssuedBy, fill(u"Кем выдан паспорт"));

    // Order: the first failure wins.
    fails("inn before the late checks", 0, {{F::Inn, u"         "_s}, {F::MobileNumber, u"(  )   -  -  "_s}}, F::Inn,
          fill(u"ИНН"));
    fails("empty edit area", 0,
          [] {
              Edits all;
              for (int i = 0; i < kClientCheckCount; ++i)
                  all.append({ClientField(i + 1), QString()}); // None is 0
              return all;
          }(),
          F::Surname, fill(u"Фамилия"));
}

void TestClientChecks::checks()
{
    QFETCH(int, docType);
    QFETCH(Edits, edits);
    QFETCH(int, field);
    QFETCH(QString, message);

    ClientFields f = validClient(docType);
    for (const auto &[which, text] : edits)
        f.*textMember(which) = text;

    const ClientCheckResult all = ValidateClientFields(f, kYear);
    QCOMPARE(all.has_value(), field >= 0);
    if (all) {
        QCOMPARE(int(all->field), field);
        QCOMPARE(all->message, message);
    }

    // The import runs the first twelve; the fields are in the checks' order.
    const ClientCheckResult imported = ValidateImportedClient(f, kYear);
    if (field >= 0 && field <= int(ClientField::PassportEnd))
        QCOMPARE(imported, all);
    else
        QVERIFY(!imported);
}

void TestClientChecks::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("currentYear");
    QTest::addColumn<QDate>("date"); // invalid: does not convert

    const auto row = [](const char *name, const QString &text, QDate date, int year = kYear) {
        QTest::newRow(name) << text << year << date;
    };
    row("plain", u"15.03.2016"_s, QDate(2016, 3, 15));
    row("leading blanks of the mask", u" 1. 2.1990"_s, QDate(1990, 2, 1));
    row("blanks before dots and at the end", u"1 .2 .1990  "_s, QDate(1990, 2, 1));
    row("one more dot", u"15.03.2016."_s, QDate(2016, 3, 15));
    row("one more dot and blanks", u"15.03.2016 . "_s, QDate(2016, 3, 15));
    row("two more dots", u"15.03.2016.."_s, QDate());
    row("blank inside a number", u"1 5.03.2016"_s, QDate());
    row("unfilled", kUnfilledDate, QDate());
    row("no year", u"15.03.    "_s, QDate());
    row("two numbers", u"15.03"_s, QDate());
    row("empty day", u"  .03.2016"_s, QDate());
    row("other separator", u"15-03-2016"_s, QDate());
    row("letter", u"1a.03.2016"_s, QDate());
    row("five-digit year", u"15.03.20160"_s, QDate());
    row("non-ASCII digits", u"١٥.03.2016"_s, QDate());
    row("31.02", u"31.02.1990"_s, QDate());
    row("29.02 common year", u"29.02.2023"_s, QDate());
    row("29.02 leap year", u"29.02.2024"_s, QDate(2024, 2, 29));
    row("29.02.1900", u"29.02.1900"_s, QDate());
    row("29.02.2000", u"29.02.2000"_s, QDate(2000, 2, 29));
    row("day 0", u"00.03.2016"_s, QDate());
    row("month 13", u"15.13.2016"_s, QDate());
    row("year 0", u"01.01.0000"_s, QDate());
    row("year 1", u"01.01.0001"_s, QDate(1, 1, 1));
    row("year 9999", u"31.12.9999"_s, QDate(9999, 12, 31));
    row("26 in 2026", u"01.01.  26"_s, QDate(2026, 1, 1));
    row("80 in 2026", u"01.01.80"_s, QDate(1980, 1, 1));
    row("76 in 2026, window start", u"01.01.76"_s, QDate(1976, 1, 1));
    row("75 in 2026, window end", u"01.01.75"_s, QDate(2075, 1, 1));
    row("one digit in 2026", u"01.01.5"_s, QDate(2005, 1, 1));
    row("00 in 2026", u"01.01.00"_s, QDate(2000, 1, 1));
    row("49 in 2100", u"01.01.49"_s, QDate(2149, 1, 1), 2100);
    row("50 in 2100", u"01.01.50"_s, QDate(2050, 1, 1), 2100);
}

void TestClientChecks::dates()
{
    QFETCH(QString, text);
    QFETCH(int, currentYear);
    QFETCH(QDate, date);

    const std::optional<QDate> converted = DateFromText(text, currentYear);
    QCOMPARE(converted.value_or(QDate()), date);
    QCOMPARE(IsDate(text, currentYear), date.isValid());
}

void TestClientChecks::keys_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("docType");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("accepted");

    using K = KeyField;
    const auto row = [](K field, int type, QChar key, bool accepted) {
        const QString name = u"field %1, type %2, U+%3"_s.arg(int(field)).arg(type).arg(uint(key.unicode()), 4, 16, QLatin1Char('0'));
        QTest::newRow(qPrintable(name)) << int(field) << type << key << accepted;
    };

    for (K field : {K::Surname, K::Name, K::Patronymic, K::PassportSeries, K::PassportNumber}) {
        for (int type : {-1, 0, 5})
            row(field, type, QChar(8), true);
    }
    for (K field : {K::Surname, K::Name}) {
        for (QChar c : {u'А', u'я', u'Z', u'a', u'[', u'`', u'\'', u'-'})
            row(field, 0, c, true);
        for (QChar c : {u'Ё', u'ё', u'Ў', u'Ә', u' ', u'1', u'{', u'@', u'\0'})
            row(field, 0, c, false);
        row(field, -1, u'ж', true);
        row(field, 5, u'ж', false);
        row(field, 5, u'z', true);
        row(field, 5, u'\'', true);
    }
    row(K::Patronymic, 0, u' ', true);
    row(K::Patronymic, 0, u'б', true);
    row(K::Patronymic, 0, u'ё', false);
    row(K::Patronymic, 5, u' ', true);
    row(K::Patronymic, 5, u'б', false);
    row(K::Patronymic, 5, u'-', true);

    for (int type : {0, 5}) {
        row(K::PassportSeries, type, u'A', true);
        row(K::PassportSeries, type, u'Z', true);
        for (QChar c : {u'a', u'А', u'1', u' ', u'['})
            row(K::PassportSeries, type, c, false);
        row(K::PassportNumber, type, u'0', true);
        row(K::PassportNumber, type, u'9', true);
        for (QChar c : {u'a', u' ', u'-', u'٥'})
            row(K::PassportNumber, type, c, false);
    }
    for (int type : {-1, 1, 7}) {
        for (QChar c : {u'а', u'1', u' ', u'№'}) {
            row(K::PassportSeries, type, c, true);
            row(K::PassportNumber, type, c, true);
        }
        row(K::PassportSeries, type, u'Ә', false);
        row(K::PassportNumber, type, u'€', true);
    }
}

void TestClientChecks::keys()
{
    QFETCH(int, field);
    QFETCH(int, docType);
    QFETCH(QChar, key);
    QFETCH(bool, accepted);
    QCOMPARE(AcceptsKey(KeyField(field), docType, key), accepted);
}

QTEST_APPLESS_MAIN(TestClientChecks)
#include "tst_clientchecks.moc"
