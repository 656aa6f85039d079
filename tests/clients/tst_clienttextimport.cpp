#include "support/ClientSamples.h"
#include "clients/ClientTextImport.h"
#include "common/BankFileReader.h"
#include "common/Cp1251.h"
#include "common/UserError.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int kYear = 2026;
const QString kPath = u"C:\\Кадры\\сотрудники.txt"_s;

// The edit area when an import starts: the five carried-over fields set,
// the others holding leftovers that the import must not copy.
ClientFields startFields(int docType = 0)
{
    ClientFields f;
    f.surname = u"Остаток"_s;
    f.passportSeries = u"ZZ"_s;
    f.birthday = u"01.01.1901"_s;
    f.docType = docType;
    f.placeOfBirth = u"Самарканд"_s;
    f.taxOffice = u"ГНИ Юнусабадского района"_s;
    f.mobileNumber = u"(90)123-45-67"_s;
    f.passportIssuedBy = u"ОВД Юнусабадского района"_s;
    return f;
}

QString clientLine(int n) { return ClientLineFields(n).join(u'\t'); }

QString withField(int n, int index, const QString &value)
{
    QStringList fields = ClientLineFields(n);
    fields[index] = value;
    return fields.join(u'\t');
}

ClientImportResult import(const QString &text, const ClientFields &start = startFields())
{
    return ImportClientText(Cp1251::encode(text), kPath, start, kYear);
}

} // namespace

class TestClientTextImport : public QObject
{
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void lineEndsAroundAMegabyte_data();
    void lineEndsAroundAMegabyte();
    void fieldTreatment_data();
    void fieldTreatment();
    void sex_data();
    void sex();
    void failures_data();
    void failures();
    void failureKeepsBadLineInFields();
    void manyClientsCarryStartFields();
    void readFile_data();
    void readFile();
};

// Which lines count, and which become clients: the client count on success,
// or the line number named by the first failure.
void TestClientTextImport::lines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("clients");
    QTest::addColumn<int>("failedLine");
    const QString a = clientLine(1);
    const QString b = clientLine(2);
    const QString bad = withField(3, 1, QString()); // no first name
    QTest::newRow("empty file") << QString() << 0 << 0;
    QTest::newRow("only blank lines") << u"\r\n \t \r\n\t\t\r\n"_s << 0 << 0;
    QTest::newRow("two clients, LF") << a + u'\n' + b + u'\n' << 2 << 0;
    QTest::newRow("CR LF, lone CR and LF") << a + u"\r\n\r"_s + b + u"\n\r\n"_s << 2 << 0;
    QTest::newRow("blank and TAB-only lines counted") << u"\n \t\n\t\n"_s + a + u"\n  \n"_s + bad << 0 << 6;
    QTest::newRow("lone CR counts as a line end") << a + u"\r\r"_s + bad << 0 << 3;
    QTest::newRow("fields after the 13th ignored") << a + u"\tлишнее\t\tещё"_s << 1 << 0;
    QTest::newRow("12 fields") << a + u'\n' + ClientLineFields(2).mid(0, 12).join(u'\t') << 0 << 2;
    QTest::newRow("one field") << u"Каримов"_s << 0 << 1;
    QTest::newRow("a zero character refuses its line") << a + u'\n' + QChar(0) + bad << 0 << 2;
}

void TestClientTextImport::lines()
{
    QFETCH(QString, text);
    QFETCH(int, clients);
    QFETCH(int, failedLine);
    const ClientImportResult r = import(text);
    if (failedLine == 0) {
        QVERIFY2(r.ok(), r.ok() ? "" : qPrintable(r.failure->message));
        QCOMPARE(r.records.size(), clients);
    } else {
        QVERIFY(!r.ok());
        QCOMPARE(r.failure->line, failedLine);
        QVERIFY(r.records.isEmpty());
    }
}

// A large file is read in parts: a line end near a part's edge must still
// end exactly one line.
void TestClientTextImport::lineEndsAroundAMegabyte_data()
{
    QTest::addColumn<QString>("lineEnd");
    QTest::newRow("CR LF") << u"\r\n"_s;
    QTest::newRow("LF") << u"\n"_s;
    QTest::newRow("CR") << u"\r"_s;
}

void TestClientTextImport::lineEndsAroundAMegabyte()
{
    QFETCH(QString, lineEnd);
    const QString first = clientLine(1) + lineEnd;
    const qsizetype megabyte = 1 << 20;
    for (qsizetype end = megabyte - 4; end <= megabyte + 2; ++end) {
        // Line 2 is blanks whose line end starts at byte `end`.
        const QString text = first + QString(end - first.size(), u' ') + lineEnd + withField(2, 0, QString());
        const ClientImportResult r = import(text);
        QVERIFY(!r.ok());
        QCOMPARE(r.failure->line, 3);
        QCOMPARE(r.failure->reason, u"Внимание! Заполните поле \"Фамилия\"!"_s);
    }
}

// One field of a line as the edit area holds it afterwards.
void TestClientTextImport::fieldTreatment_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    const QString place150 = u"Юнусабадский РОВД "_s.repeated(9).left(150);
    QTest::newRow("blanks inside a surname") << 0 << u"Ким Ли"_s << u"КимЛи"_s;
    QTest::newRow("blanks around a name") << 1 << u" Азиз "_s << u"Азиз"_s;
    QTest::newRow("patronymic of two words joined") << 2 << u"Угли Рустам"_s << u"УглиРустам"_s;
    QTest::newRow("ё kept") << 0 << u"Алёшин"_s << u"Алёшин"_s;
    QTest::newRow("grouped taxpayer number") << 4 << u"123 456 789"_s << u"123456789"_s;
    QTest::newRow("short taxpayer number") << 4 << u"1234"_s << u"1234     "_s;
    QTest::newRow("taxpayer number with letters") << 4 << u"12ab345"_s << u"12345    "_s;
    QTest::newRow("full date") << 5 << u"05.06.1980"_s << u"05.06.1980"_s;
    QTest::newRow("date with blanks") << 5 << u"05 .06. 1980"_s << u"05.06.1980"_s;
    QTest::newRow("date without leading zeros") << 5 << u"1.2.1980"_s << u"  .1 .2198"_s;
    QTest::newRow("date digits only") << 5 << u"01021980"_s << u"  .01.0219"_s;
    QTest::newRow("date too long") << 5 << u"01.02.19801"_s << u"01.02.1980"_s;
    QTest::newRow("empty date") << 5 << QString() << u"  .  .    "_s;
    QTest::newRow("short phone right-aligned") << 6 << u"12 34"_s << u"   1234"_s;
    QTest::newRow("phone with hyphens") << 6 << u"123-45-67"_s << u"1234567"_s;
    QTest::newRow("series blanks removed") << 7 << u"A A"_s << u"AA"_s;
    QTest::newRow("number blanks removed") << 8 << u"12 34 567"_s << u"1234567"_s;
    QTest::newRow("issue date") << 9 << u"15.03.2016"_s << u"15.03.2016"_s;
    QTest::newRow("place of 150 characters cut to 100") << 10 << place150 << place150.left(100);
    QTest::newRow("place keeps its blanks") << 10 << u" г. Ташкент "_s << u" г. Ташкент "_s;
    QTest::newRow("expiry date") << 11 << u"14.03.2026"_s << u"14.03.2026"_s;
    QTest::newRow("address of 150 characters cut to 100") << 12 << place150 << place150.left(100);
    QTest::newRow("address keeps its blanks") << 12 << u"ул.  Навои,  1"_s << u"ул.  Навои,  1"_s;
}

void TestClientTextImport::fieldTreatment()
{
    QFETCH(int, index);
    QFETCH(QString, value);
    QFETCH(QString, stored);
    const ClientFields f = ClientTextImport(startFields(), kYear).fieldsFromLine(withField(1, index, value));
    const QString fields[] = {f.surname, f.name, f.patronymic, QString(), f.inn, f.birthday, f.phone,
                              f.passportSeries, f.passportNumber, f.passportDate, f.passportPlace,
                              f.passportEnd, f.address};
    QCOMPARE(fields[index], stored);
}

void TestClientTextImport::sex_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("cell");
    QTest::newRow("мужской") << u"мужской"_s << u"Мужской"_s;
    QTest::newRow("М") << u"М"_s << u"Мужской"_s;
    QTest::newRow("Latin M") << u"M"_s << u"Женский"_s;
    QTest::newRow("Ж") << u"Ж"_s << u"Женский"_s;
    QTest::newRow("empty") << QString() << u"Женский"_s;
    QTest::newRow("leading blank") << u" Мужской"_s << u"Женский"_s;
}

void TestClientTextImport::sex()
{
    QFETCH(QString, value);
    QFETCH(QString, cell);
    const ClientImportResult r = import(withField(1, 3, value));
    QVERIFY(r.ok());
    QCOMPARE(r.records.at(0)[ClientColumn::Sex], cell);
}

// The first bad line: its number, the whole message and the field to focus.
void TestClientTextImport::failures_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("docType");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("field"); // -1: none

    const QString lines6 = QStringList{clientLine(1), clientLine(2), QString(), clientLine(3), u"\t"_s,
                                       clientLine(4)}.join(u"\r\n") + u"\r\n"_s;
    QTest::newRow("seventh line without a first name")
            << lines6 + withField(5, 1, QString()) << 0 << 7 << u"Внимание! Заполните поле \"Имя\"!"_s
            << int(ClientField::Name);
    QTest::newRow("duplicate names the first row, not its line")
            << u"\n"_s + clientLine(1) + u'\n' + clientLine(2) + u'\n' + clientLine(1) << 0 << 4
            << u"Паспортные данные AA 1000001 уже существуют в строке 1"_s << -1;
    QTest::newRow("duplicate after blanks are removed")
            << clientLine(1) + u'\n' + withField(1, 8, u"100 0001"_s) << 0 << 2
            << u"Паспортные данные AA 1000001 уже существуют в строке 1"_s << -1;
    QTest::newRow("duplicate by trimmed series, named as in the field")
            << withField(1, 7, u"AA\u0001"_s) + u'\n' + clientLine(1) << 1 << 2
            << u"Паспортные данные AA 1000001 уже существуют в строке 1"_s << -1;
    QTest::newRow("same number, other series")
            << clientLine(1) + u'\n' + withField(1, 7, u"AB"_s) + u'\n' + withField(2, 1, u"Azi1"_s) << 0 << 3
            << u"Внимание! Поле \"Имя\" содержит недопустимые символы! слово :<Azi1> символ:<1> "
               u"(Скорее всего символ не кириллический)"_s
            << int(ClientField::Name);
    QTest::newRow("short line") << clientLine(1) + u"\nКаримов\tАзиз"_s << 0 << 2 << ShortClientLineMessage() << -1;
    QTest::newRow("12 fields, not a passport type")
            << clientLine(1) + u'\n' + ClientLineFields(2).mid(0, 12).join(u'\t') << 1 << 2 << ShortClientLineMessage()
            << -1;
    QTest::newRow("zero byte inside a line")
            << clientLine(1) + u'\n' + withField(2, 12, u"ул. Навои\u0000, 1"_s) << 0 << 2
            << ClientTextZeroByteMessage() << -1;
    QTest::newRow("zero byte after a line end") << clientLine(1) + u"\r\n\u0000"_s << 0 << 2
                                                << ClientTextZeroByteMessage() << -1;
    QTest::newRow("letter in the taxpayer number")
            << withField(1, 4, u"1234Ж6789"_s) << 0 << 1
            << u"Внимание! Поле \"ИНН\" содержит недопустимый символ:<Ж>"_s << int(ClientField::Inn);
    QTest::newRow("letter in the phone") << withField(1, 6, u"12-34-5x7"_s) << 0 << 1
                                         << u"Внимание! Поле \"Телефон\" содержит недопустимый символ:<x>"_s
                                         << int(ClientField::Phone);
    QTest::newRow("letter in the expiry date")
            << withField(1, 11, u"14.O3.2026"_s) << 1 << 1
            << u"Внимание! Поле \"Дата окончания\" содержит недопустимый символ:<O>"_s << int(ClientField::PassportEnd);
    QTest::newRow("date without leading zeros is refused")
            << withField(1, 5, u"1.2.1980"_s) << 0 << 1 << u"Внимание! Поле \"Дата рождения\" заполнено неверно!"_s
            << int(ClientField::Birthday);
    QTest::newRow("empty taxpayer number") << withField(1, 4, u"  "_s) << 0 << 1
                                           << u"Внимание! Заполните поле \"ИНН\"!"_s << int(ClientField::Inn);
    QStringList biometric = ClientLineFields(1);
    biometric[0] = u"Karimov"_s;
    biometric[1] = u"Aziz"_s;
    biometric[2] = u"Rustamovich"_s;
    QTest::newRow("biometric passport") << biometric.join(u'\t') << 5 << 0 << QString() << -1;
    biometric[11] = u"15.03.2026"_s;
    QTest::newRow("biometric ten-year rule") << biometric.join(u'\t') << 5 << 1
            << u"Внимание! Для биомет. паспорта разница между \"Дата выдачи\" и \"Дата окончания\" должно быть 10 лет!"_s
            << int(ClientField::PassportEnd);
    // An edit area with nothing in its carried-over fields: their checks are not run.
    QTest::newRow("carried-over fields not checked") << clientLine(1) << -1 << 0 << QString() << -1;
}

void TestClientTextImport::failures()
{
    QFETCH(QString, text);
    QFETCH(int, docType);
    QFETCH(int, line);
    QFETCH(QString, reason);
    QFETCH(int, field);
    const ClientFields start = docType < 0 ? ClientFields() : startFields(docType);
    const ClientImportResult r = import(text, start);
    if (line == 0) {
        QVERIFY2(r.ok(), r.ok() ? "" : qPrintable(r.failure->message));
        return;
    }
    QVERIFY(!r.ok());
    QCOMPARE(r.failure->line, line);
    QCOMPARE(r.failure->reason, reason);
    QCOMPARE(r.failure->message, u"Обнаружена ошибка в файле:\"C:\\Кадры\\сотрудники.txt\", строка:"_s
                                         + QString::number(line) + u", ошибка:<"_s + reason + u">"_s);
    QCOMPARE(r.failure->field.has_value(), field >= 0);
    if (field >= 0)
        QCOMPARE(int(*r.failure->field), field);
    QVERIFY(r.records.isEmpty());
}

void TestClientTextImport::failureKeepsBadLineInFields()
{
    const ClientImportResult r = import(clientLine(1) + u'\n' + withField(2, 0, u"Ким Ли9"_s));
    QVERIFY(!r.ok());
    QCOMPARE(r.fields.surname, u"КимЛи9"_s);
    QCOMPARE(r.fields.passportNumber, u"1000002"_s);
    QCOMPARE(r.fields.taxOffice, startFields().taxOffice);

    // A short line leaves its missing fields empty.
    const ClientImportResult shortLine = import(u"Ким\tЛи\t\tмужской\t123"_s);
    QVERIFY(!shortLine.ok());
    QCOMPARE(shortLine.fields.name, u"Ли"_s);
    QCOMPARE(shortLine.fields.sexIndex, 0);
    QCOMPARE(shortLine.fields.inn, u"123      "_s);
    QCOMPARE(shortLine.fields.birthday, u"  .  .    "_s);
    QCOMPARE(shortLine.fields.passportSeries, QString());
    QCOMPARE(shortLine.fields.placeOfBirth, startFields().placeOfBirth);
}

// More clients than the window's limit for typed records; every one takes
// the edit area's five carried-over fields, none of its other leftovers.
void TestClientTextImport::manyClientsCarryStartFields()
{
    QStringList lines;
    for (int i = 1; i <= 600; ++i)
        lines.append(clientLine(i));
    const ClientFields start = startFields();
    const ClientImportResult r = import(lines.join(u"\r\n") + u"\r\n"_s, start);
    QVERIFY(r.ok());
    QCOMPARE(r.records.size(), 600);
    for (qsizetype i = 0; i < r.records.size(); ++i) {
        const ClientRecord &c = r.records.at(i);
        QCOMPARE(c[ClientColumn::Number], QString::number(i + 1));
        QCOMPARE(c[ClientColumn::PassportNumber], QString::number(1000001 + i));
        QCOMPARE(c[ClientColumn::DocType], u"0"_s);
        QCOMPARE(c[ClientColumn::PlaceOfBirth], start.placeOfBirth);
        QCOMPARE(c[ClientColumn::TaxOffice], start.taxOffice);
        QCOMPARE(c[ClientColumn::MobileNumber], start.mobileNumber);
        QCOMPARE(c[ClientColumn::PassportIssuedBy], start.passportIssuedBy);
    }
    const ClientRecord &first = r.records.first();
    QCOMPARE(first[ClientColumn::FullName], u"Каримов Азиз Рустамович"_s);
    QCOMPARE(first[ClientColumn::Document], u"AA 1000001"_s);
    QCOMPARE(first[ClientColumn::Sex], u"Мужской"_s);
    QCOMPARE(r.fields.passportNumber, u"1000600"_s);
    QCOMPARE(r.fields.surname, u"Каримов"_s);
}

void TestClientTextImport::readFile_data()
{
    QTest::addColumn<qint64>("size"); // -1: no file
    QTest::addColumn<bool>("readable");
    QTest::newRow("missing") << qint64(-1) << false;
    QTest::newRow("at the limit") << BankFileReader::kMaxFileSize << true;
    QTest::newRow("over the limit") << BankFileReader::kMaxFileSize + 1 << false;
}

void TestClientTextImport::readFile()
{
    QFETCH(qint64, size);
    QFETCH(bool, readable);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"клиенты.txt"_s);
    if (size >= 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(size));
    }
    QString error;
    qint64 read = -1;
    try {
        read = ReadClientTextBytes(path).size();
    } catch (const UserError &e) {
        error = e.text();
    }
    if (readable) {
        QCOMPARE(read, size);
    } else {
        QCOMPARE(error, size < 0 ? CannotLoadClientTextMessage() : BankFileReader::sizeMessage(path));
    }
}

QTEST_MAIN(TestClientTextImport)
#include "tst_clienttextimport.moc"
