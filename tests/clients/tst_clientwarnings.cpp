#include "clients/ClientWarnings.h"
#include "support/ClientSamples.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 12, 9);

// Иванов with nothing to warn about as of kToday.
ClientFields Quiet()
{
    return IvanovFields();
}

ClientRecord Record(const ClientFields &f)
{
    return RecordFromFields(f, NameParts::Trimmed);
}

QStringList Found(const QList<Warning> &warnings)
{
    QStringList out;
    for (const Warning &w : warnings)
        out << u"%1 %2 %3"_s.arg(w.row).arg(w.code, w.field);
    return out;
}

} // namespace

class TestClientWarnings : public QObject
{
    Q_OBJECT

private slots:
    void quietClient()
    {
        QCOMPARE(Found(ClientWarnings({Record(Quiet())}, kToday)), QStringList());
    }

    void checksTheDates_data()
    {
        QTest::addColumn<QString>("birthday");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QStringList>("found");
        const QString adult = u"01.02.1980"_s;
        const QString none = u"  .  .    "_s;
        QTest::newRow("expired yesterday") << adult << u"08.12.2026"_s << kToday
                                           << QStringList{u"0 passport-expired passport_end"_s};
        QTest::newRow("expires today") << adult << u"09.12.2026"_s << kToday << QStringList();
        QTest::newRow("expires tomorrow") << adult << u"10.12.2026"_s << kToday << QStringList();
        QTest::newRow("expiry with a short year") << adult << u"08.12.26"_s << kToday
                                                  << QStringList{u"0 passport-expired passport_end"_s};
        QTest::newRow("expiry not a date: the checks'") << adult << u"31.02.2020"_s << kToday << QStringList();
        QTest::newRow("16 yesterday") << u"08.12.2010"_s << none << kToday << QStringList();
        QTest::newRow("16 today") << u"09.12.2010"_s << none << kToday << QStringList();
        QTest::newRow("16 tomorrow") << u"10.12.2010"_s << none << kToday
                                     << QStringList{u"0 under-16 birthday"_s};
        QTest::newRow("29 February, 28 February of a leap year") << u"29.02.2012"_s << none << QDate(2028, 2, 28)
                                                                << QStringList{u"0 under-16 birthday"_s};
        QTest::newRow("29 February, on the day") << u"29.02.2012"_s << none << QDate(2028, 2, 29) << QStringList();
        QTest::newRow("birthday unfilled") << none << none << kToday << QStringList();
    }
    void checksTheDates()
    {
        QFETCH(QString, birthday);
        QFETCH(QString, end);
        QFETCH(QDate, today);
        QFETCH(QStringList, found);
        ClientFields f = Quiet();
        f.birthday = birthday;
        f.passportEnd = end;
        QCOMPARE(Found(ClientWarnings({Record(f)}, today)), found);
    }

    // Born on 29 February: a year older on 1 March of a common year.
    void countsYearsFrom29February_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("age");
        QTest::newRow("28 February, common year") << QDate(2029, 2, 28) << 16;
        QTest::newRow("1 March, common year") << QDate(2029, 3, 1) << 17;
        QTest::newRow("28 February, leap year") << QDate(2032, 2, 28) << 19;
        QTest::newRow("29 February") << QDate(2032, 2, 29) << 20;
    }
    void countsYearsFrom29February()
    {
        QFETCH(QDate, today);
        QFETCH(int, age);
        QCOMPARE(AgeOn(QDate(2012, 2, 29), today), age);
    }

    void findsEmptyFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("found");
        QTest::newRow("place of birth") << u"place_of_birth"_s << u"0 field-empty place_of_birth"_s;
        QTest::newRow("tax office") << u"tax_office"_s << u"0 field-empty tax_office"_s;
        QTest::newRow("mobile unfilled") << u"mobile_number"_s << u"0 field-empty mobile_number"_s;
        QTest::newRow("issued by blanks") << u"issued_by"_s << u"0 field-empty issued_by"_s;
    }
    void findsEmptyFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, found);
        ClientFields f = Quiet();
        if (field == u"place_of_birth"_s)
            f.placeOfBirth.clear();
        else if (field == u"tax_office"_s)
            f.taxOffice.clear();
        else if (field == u"mobile_number"_s)
            f.mobileNumber = u"(  )   -  -  "_s;
        else
            f.passportIssuedBy = u"   "_s;
        const QList<Warning> w = ClientWarnings({Record(f)}, kToday);
        QCOMPARE(Found(w), QStringList{found});
    }

    void findsRepeats_data()
    {
        QTest::addColumn<QStringList>("inns");
        QTest::addColumn<QStringList>("numbers"); // passport numbers
        QTest::addColumn<QStringList>("birthdays");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QList<qsizetype>>("others");
        const QStringList born{u"01.02.1980"_s, u"01.02.1980"_s, u"01.02.1980"_s};
        const QStringList bornApart{u"01.02.1980"_s, u"02.02.1980"_s, u"03.02.1980"_s};
        QTest::newRow("all apart") << QStringList{u"111111111"_s, u"222222222"_s, u"333333333"_s}
                                   << QStringList{u"1"_s, u"2"_s, u"3"_s} << bornApart << QStringList()
                                   << QList<qsizetype>();
        QTest::newRow("taxpayer number, first and third")
                << QStringList{u"111111111"_s, u"222222222"_s, u"111111111"_s} << QStringList{u"1"_s, u"2"_s, u"3"_s}
                << bornApart << QStringList{u"0 inn-duplicate inn"_s, u"2 inn-duplicate inn"_s}
                << QList<qsizetype>{2, 0};
        QTest::newRow("taxpayer number unfilled on two")
                << QStringList{u"         "_s, u"222222222"_s, u"         "_s} << QStringList{u"1"_s, u"2"_s, u"3"_s}
                << bornApart << QStringList() << QList<qsizetype>();
        QTest::newRow("one person, three documents")
                << QStringList{u"111111111"_s, u"222222222"_s, u"333333333"_s} << QStringList{u"1"_s, u"2"_s, u"3"_s}
                << born
                << QStringList{u"0 person-duplicate full_name"_s, u"1 person-duplicate full_name"_s,
                               u"2 person-duplicate full_name"_s}
                << QList<qsizetype>{1, 0, 0};
        QTest::newRow("same names, born apart")
                << QStringList{u"111111111"_s, u"222222222"_s, u"333333333"_s} << QStringList{u"1"_s, u"2"_s, u"3"_s}
                << bornApart << QStringList() << QList<qsizetype>();
        QTest::newRow("one person, a document twice and another")
                << QStringList{u"111111111"_s, u"222222222"_s, u"333333333"_s} << QStringList{u"1"_s, u"1"_s, u"3"_s}
                << born
                << QStringList{u"0 person-duplicate full_name"_s, u"1 person-duplicate full_name"_s,
                               u"2 person-duplicate full_name"_s}
                << QList<qsizetype>{2, 2, 0};
        QTest::newRow("one person, one document twice")
                << QStringList{u"111111111"_s, u"222222222"_s, u"333333333"_s} << QStringList{u"1"_s, u"1"_s, u"3"_s}
                << QStringList{u"01.02.1980"_s, u"01.02.1980"_s, u"03.02.1980"_s} << QStringList()
                << QList<qsizetype>();
    }
    void findsRepeats()
    {
        QFETCH(QStringList, inns);
        QFETCH(QStringList, numbers);
        QFETCH(QStringList, birthdays);
        QFETCH(QStringList, found);
        QFETCH(QList<qsizetype>, others);
        ClientRecords records;
        for (qsizetype i = 0; i < inns.size(); ++i) {
            ClientFields f = Quiet();
            f.inn = inns[i];
            f.passportNumber = numbers[i].rightJustified(7, u'0');
            f.birthday = birthdays[i];
            records.append(Record(f));
        }
        const QList<Warning> w = ClientWarnings(records, kToday);
        QCOMPARE(Found(w), found);
        QList<qsizetype> named;
        for (const Warning &each : w)
            named << each.otherRow;
        QCOMPARE(named, others);
    }
};

QTEST_GUILESS_MAIN(TestClientWarnings)
#include "tst_clientwarnings.moc"
