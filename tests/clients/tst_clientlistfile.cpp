#include "support/ClientSamples.h"
#include "clients/ClientListFile.h"
#include "common/UserError.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList LineFields(const ClientRecord &r)
{
    return QStringList{u"D"_s, u"0000000002"_s} + ClientDetailFields(r);
}

} // namespace

class TestClientListFile : public QObject
{
    Q_OBJECT

private slots:
    void sexCode_data();
    void sexCode();
    void sexName_data();
    void sexName();
    void docTypeCodes_data();
    void docTypeCodes();
    void detailFields_data();
    void detailFields();
    void moment_data();
    void moment();
    void refusedBankCodes_data();
    void refusedBankCodes();
    void roundTrip_data();
    void roundTrip();
    void fieldCount_data();
    void fieldCount();
    void firstLine_data();
    void firstLine();
};

void TestClientListFile::sexCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: refused

    QTest::newRow("male") << MaleText() << u"M"_s;
    QTest::newRow("female") << FemaleText() << u"F"_s;
    QTest::newRow("Cyrillic capital alone") << u"М"_s << u"M"_s;
    QTest::newRow("Cyrillic small is not raised") << u"мужской"_s << u"F"_s;
    QTest::newRow("Latin capital M is not Cyrillic") << u"M"_s << u"F"_s;
    QTest::newRow("Latin small m") << u"m"_s << u"F"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestClientListFile::sexCode()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    try {
        QCOMPARE(SexCode(text), expected);
        QVERIFY(!expected.isEmpty());
    } catch (const UserError &e) {
        QVERIFY(expected.isEmpty());
        QCOMPARE(e.text(), u"Неверно добавлена информация в таблицу"_s);
    }
}

void TestClientListFile::sexName_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");

    QTest::newRow("M") << u"M"_s << MaleText();
    QTest::newRow("Latin m raised") << u"m"_s << MaleText();
    QTest::newRow("Cyrillic М") << u"М"_s << MaleText();
    QTest::newRow("Cyrillic м") << u"м"_s << MaleText();
    QTest::newRow("longer text by its first letter") << u"male"_s << MaleText();
    QTest::newRow("F") << u"F"_s << FemaleText();
    QTest::newRow("Ж") << u"Ж"_s << FemaleText();
    QTest::newRow("anything else") << u"X"_s << FemaleText();
    QTest::newRow("empty") << QString() << FemaleText();
}

void TestClientListFile::sexName()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    QCOMPARE(SexName(code), expected);
}

void TestClientListFile::docTypeCodes_data()
{
    QTest::addColumn<QString>("index"); // column 16
    QTest::addColumn<QString>("code");  // what the file holds
    QTest::addColumn<int>("loaded");    // the index a load gives for that code

    QTest::newRow("national passport") << u"0"_s << u"1"_s << 0;
    QTest::newRow("residence permit") << u"4"_s << u"5"_s << 4;
    QTest::newRow("birth certificate") << u"6"_s << u"7"_s << 6;
    QTest::newRow("other is 9, not 8") << u"7"_s << u"9"_s << 7;
    QTest::newRow("no type") << u"-1"_s << QString() << -1;
    QTest::newRow("index past the list") << u"8"_s << QString() << -1;
    QTest::newRow("not a number") << u"x"_s << QString() << -1;
    QTest::newRow("empty") << QString() << QString() << -1;
}

void TestClientListFile::docTypeCodes()
{
    QFETCH(QString, index);
    QFETCH(QString, code);
    QFETCH(int, loaded);
    QCOMPARE(DocTypeCode(index), code);
    QCOMPARE(DocTypeIndex(code), loaded);
}

void TestClientListFile::detailFields_data()
{
    QTest::addColumn<QString>("passportEnd");
    QTest::addColumn<int>("docType");
    QTest::addColumn<QString>("expected"); // the fields after type and line number, TAB-joined

    QTest::newRow("worked example")
        << u"  .  .    "_s << 0
        << u"Иванов\tИван\tИванович\tM\t01.02.1980\t123456789\tТашкент, ул. Навои, 1\tAA\t1234567\t"
           u"Ташкент\t05.06.2010\t\t1234567\t1\tТашкент\tГНИ района\t(90)123-45-67\tОВД района"_s;
    QTest::newRow("filled expiry, other document")
        << u"05.06.2020"_s << 7
        << u"Иванов\tИван\tИванович\tM\t01.02.1980\t123456789\tТашкент, ул. Навои, 1\tAA\t1234567\t"
           u"Ташкент\t05.06.2010\t05.06.2020\t1234567\t9\tТашкент\tГНИ района\t(90)123-45-67\tОВД района"_s;
    QTest::newRow("half-filled expiry is written, no type")
        << u"  .  .2020"_s << -1
        << u"Иванов\tИван\tИванович\tM\t01.02.1980\t123456789\tТашкент, ул. Навои, 1\tAA\t1234567\t"
           u"Ташкент\t05.06.2010\t  .  .2020\t1234567\t\tТашкент\tГНИ района\t(90)123-45-67\tОВД района"_s;
}

void TestClientListFile::detailFields()
{
    QFETCH(QString, passportEnd);
    QFETCH(int, docType);
    QFETCH(QString, expected);

    ClientFields f = IvanovFields();
    f.passportEnd = passportEnd;
    f.docType = docType;
    const QStringList fields = ClientDetailFields(RecordFromFields(f, NameParts::Trimmed));
    QCOMPARE(fields.size(), kClientDetailFieldCount - 2);
    QCOMPARE(fields.join(u'\t'), expected);
}

void TestClientListFile::moment_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fileName");

    const QDate day(2026, 12, 8);
    QTest::newRow("afternoon") << QDateTime(day, QTime(14, 5, 9)) << u"08.12.2026 14:05:09"_s
                               << u"Клиенты/CLSV001231234567808122026140509"_s;
    QTest::newRow("midnight: the date alone") << QDateTime(day, QTime(0, 0)) << u"08.12.2026"_s
                                              << u"Клиенты/CLSV001231234567808122026"_s;
    QTest::newRow("milliseconds do not count") << QDateTime(day, QTime(0, 0, 0, 500)) << u"08.12.2026"_s
                                               << u"Клиенты/CLSV001231234567808122026"_s;
    QTest::newRow("one second past midnight") << QDateTime(day, QTime(0, 0, 1)) << u"08.12.2026 00:00:01"_s
                                              << u"Клиенты/CLSV001231234567808122026000001"_s;
}

void TestClientListFile::moment()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, text);
    QFETCH(QString, fileName);

    const SettingsRecord settings{u"12345678"_s, u"ООО Тест"_s, u"00123"_s};
    QCOMPARE(ClientMomentText(moment), text);
    QCOMPARE(ClientListFileName(settings, moment), fileName);
    QCOMPARE(ClientHeaderFields(settings, text),
             (QStringList{u"H"_s, u"0000000001"_s, u"00123"_s, u"12345678"_s, text}));
}

void TestClientListFile::refusedBankCodes_data()
{
    QTest::addColumn<QString>("branch");
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("fileName"); // empty: refused

    const QString stamp = u"08122026140509"_s;
    QTest::newRow("blanks kept as stored") << u"  123"_s << u"1234 "_s << u"Клиенты/CLSV  1231234 "_s + stamp;
    QTest::newRow("empty codes") << QString() << QString() << u"Клиенты/CLSV"_s + stamp;
    QTest::newRow("branch climbing out") << u"../.."_s << u"1"_s << QString();
    QTest::newRow("client with a slash") << u"1"_s << u"12/45"_s << QString();
    QTest::newRow("letter") << u"0012A"_s << u"1"_s << QString();
}

void TestClientListFile::refusedBankCodes()
{
    QFETCH(QString, branch);
    QFETCH(QString, client);
    QFETCH(QString, fileName);

    const SettingsRecord settings{client, u"ООО Тест"_s, branch};
    QString got;
    try {
        got = ClientListFileName(settings, QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)));
    } catch (const UserError &) {
    }
    QCOMPARE(got, fileName);
}

void TestClientListFile::roundTrip_data()
{
    QTest::addColumn<ClientRecord>("record");
    QTest::addColumn<QString>("loadedExpiry"); // what the load puts in column 15

    const ClientRecord example = RecordFromFields(IvanovFields(), NameParts::Trimmed);
    QTest::newRow("worked example, unfilled expiry comes back empty") << example << QString();

    ClientFields f = IvanovFields();
    f.sexIndex = 1;
    f.docType = 7;
    f.passportEnd = u"05.06.2020"_s;
    f.patronymic.clear();
    QTest::newRow("woman, other document, no patronymic")
        << RecordFromFields(f, NameParts::Trimmed) << u"05.06.2020"_s;

    f = IvanovFields();
    f.surname = u" Ким "_s;
    f.docType = -1;
    f.passportSeries = u"ab 12"_s;
    QTest::newRow("names as typed, no type") << RecordFromFields(f, NameParts::AsTyped) << QString();
}

void TestClientListFile::roundTrip()
{
    QFETCH(ClientRecord, record);
    QFETCH(QString, loadedExpiry);

    const std::optional<ClientRecord> loaded = RecordFromDetailFields(LineFields(record));
    QVERIFY(loaded);
    ClientRecord want = record;
    want[ClientColumn::PassportEnd] = loadedExpiry;
    QCOMPARE(*loaded, want);
    // Saved again, the line is the same.
    QCOMPARE(LineFields(*loaded), LineFields(record));
}

void TestClientListFile::fieldCount_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("19 fields") << 19 << false;
    QTest::newRow("20 fields") << 20 << true;
    QTest::newRow("21, the last one after a trailing TAB") << 21 << true;
    QTest::newRow("one empty field") << 1 << false;
}

void TestClientListFile::fieldCount()
{
    QFETCH(int, count);
    QFETCH(bool, accepted);

    QStringList fields = LineFields(RecordFromFields(IvanovFields(), NameParts::Trimmed));
    while (fields.size() > count)
        fields.removeLast();
    while (fields.size() < count)
        fields.append(QString());
    const std::optional<ClientRecord> loaded = RecordFromDetailFields(fields);
    QCOMPARE(loaded.has_value(), accepted);
    if (loaded) {
        QCOMPARE((*loaded)[ClientColumn::FullName], u"Иванов Иван Иванович"_s);
        QCOMPARE((*loaded)[ClientColumn::Document], u"AA 1234567"_s);
        QCOMPARE((*loaded)[ClientColumn::PassportIssuedBy], u"ОВД района"_s);
        QVERIFY((*loaded)[ClientColumn::Number].isEmpty());
    }
}

void TestClientListFile::firstLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("header") << u"H\t0000000001\t00123\t12345678\t08.12.2026\t"_s << true;
    QTest::newRow("H alone") << u"H"_s << true;
    QTest::newRow("other letter, then TAB") << u"X\tanything"_s << true;
    QTest::newRow("TAB second after a blank") << u" \t"_s << true;
    QTest::newRow("small h") << u"h"_s << false;
    QTest::newRow("TAB first") << u"\tH"_s << false;
    QTest::newRow("one other character") << u"X"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestClientListFile::firstLine()
{
    QFETCH(QString, line);
    QFETCH(bool, accepted);
    QCOMPARE(ClientFirstLineAccepted(line), accepted);
}

QTEST_GUILESS_MAIN(TestClientListFile)
#include "tst_clientlistfile.moc"
