#include "common/Money.h"
#include "common/UserError.h"
#include "payroll/AmountInWords.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestAmountInWords : public QObject
{
    Q_OBJECT
private slots:
    void words_data();
    void words();
    void group_data();
    void group();
    void upCaseFirst_data();
    void upCaseFirst();
    void refusesTrillions_data();
    void refusesTrillions();
};

void TestAmountInWords::words_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("expected");

    // Worked examples.
    QTest::newRow("1234567.89") << u"1234567.89"_s << u"Один миллион двести тридцать четыре тысячи пятьсот шестьдесят семь сум 89 тийин"_s;
    QTest::newRow("2021000.05") << u"2021000.05"_s << u"Два миллиона двадцать одна тысяча сум 05 тийин"_s;
    QTest::newRow("15000") << u"15000.00"_s << u"Пятнадцать тысяч сум 00 тийин"_s;
    QTest::newRow("3002001.10") << u"3002001.10"_s << u"Три миллиона две тысячи один сум 10 тийин"_s;
    QTest::newRow("0.50") << u"0.50"_s << u"Сум 50 тийин"_s;
    QTest::newRow("0") << u"0"_s << u"Сум 00 тийин"_s;
    QTest::newRow("0.05") << u"0.05"_s << u"Сум 05 тийин"_s;
    QTest::newRow("0.09") << u"0.09"_s << u"Сум 09 тийин"_s;
    QTest::newRow("display form") << u"1 500 000.00"_s << u"Один миллион пятьсот тысяч сум 00 тийин"_s;
    QTest::newRow("exact hundredths") << u"1.005"_s << u"Один сум 01 тийин"_s;

    // Units, tens and hundreds boundaries.
    QTest::newRow("1") << u"1"_s << u"Один сум 00 тийин"_s;
    QTest::newRow("10") << u"10"_s << u"Десять сум 00 тийин"_s;
    QTest::newRow("20") << u"20"_s << u"Двадцать сум 00 тийин"_s;
    QTest::newRow("21") << u"21"_s << u"Двадцать один сум 00 тийин"_s;
    QTest::newRow("100") << u"100"_s << u"Сто сум 00 тийин"_s;
    QTest::newRow("101") << u"101"_s << u"Сто один сум 00 тийин"_s;
    QTest::newRow("110") << u"110"_s << u"Сто десять сум 00 тийин"_s;
    QTest::newRow("115") << u"115"_s << u"Сто пятнадцать сум 00 тийин"_s;
    QTest::newRow("512") << u"512"_s << u"Пятьсот двенадцать сум 00 тийин"_s;
    QTest::newRow("999") << u"999"_s << u"Девятьсот девяносто девять сум 00 тийин"_s;

    // Teens in every group.
    QTest::newRow("11") << u"11"_s << u"Одиннадцать сум 00 тийин"_s;
    QTest::newRow("19") << u"19"_s << u"Девятнадцать сум 00 тийин"_s;
    QTest::newRow("11 000") << u"11000"_s << u"Одиннадцать тысяч сум 00 тийин"_s;
    QTest::newRow("114 000") << u"114000"_s << u"Сто четырнадцать тысяч сум 00 тийин"_s;
    QTest::newRow("11 000 000") << u"11000000"_s << u"Одиннадцать миллионов сум 00 тийин"_s;
    QTest::newRow("212 000 000") << u"212000000"_s << u"Двести двенадцать миллионов сум 00 тийин"_s;
    QTest::newRow("13 000 000 000") << u"13000000000"_s << u"Тринадцать миллиардов сум 00 тийин"_s;
    QTest::newRow("919 000 000 000") << u"919000000000"_s << u"Девятьсот девятнадцать миллиардов сум 00 тийин"_s;

    // Thousands: feminine units and their endings.
    QTest::newRow("1000") << u"1000"_s << u"Одна тысяча сум 00 тийин"_s;
    QTest::newRow("1001") << u"1001"_s << u"Одна тысяча один сум 00 тийин"_s;
    QTest::newRow("2000") << u"2000"_s << u"Две тысячи сум 00 тийин"_s;
    QTest::newRow("5000") << u"5000"_s << u"Пять тысяч сум 00 тийин"_s;
    QTest::newRow("10 000") << u"10000"_s << u"Десять тысяч сум 00 тийин"_s;
    QTest::newRow("21 000") << u"21000"_s << u"Двадцать одна тысяча сум 00 тийин"_s;
    QTest::newRow("22 000") << u"22000"_s << u"Двадцать две тысячи сум 00 тийин"_s;
    QTest::newRow("23 000") << u"23000"_s << u"Двадцать три тысячи сум 00 тийин"_s;
    QTest::newRow("24 000") << u"24000"_s << u"Двадцать четыре тысячи сум 00 тийин"_s;
    QTest::newRow("31 000") << u"31000"_s << u"Тридцать одна тысяча сум 00 тийин"_s;
    QTest::newRow("32 000") << u"32000"_s << u"Тридцать две тысячи сум 00 тийин"_s;
    QTest::newRow("33 000") << u"33000"_s << u"Тридцать три тысячи сум 00 тийин"_s;
    QTest::newRow("34 000") << u"34000"_s << u"Тридцать четыре тысячи сум 00 тийин"_s;
    QTest::newRow("35 000") << u"35000"_s << u"Тридцать пять тысяч сум 00 тийин"_s;
    QTest::newRow("100 000") << u"100000"_s << u"Сто тысяч сум 00 тийин"_s;

    // Millions and billions with their three endings.
    QTest::newRow("1 000 000") << u"1000000"_s << u"Один миллион сум 00 тийин"_s;
    QTest::newRow("3 000 000") << u"3000000"_s << u"Три миллиона сум 00 тийин"_s;
    QTest::newRow("5 000 000") << u"5000000"_s << u"Пять миллионов сум 00 тийин"_s;
    QTest::newRow("21 000 000") << u"21000000"_s << u"Двадцать один миллион сум 00 тийин"_s;
    QTest::newRow("1 000 000 000") << u"1000000000"_s << u"Один миллиард сум 00 тийин"_s;
    QTest::newRow("2 000 000 000") << u"2000000000"_s << u"Два миллиарда сум 00 тийин"_s;
    QTest::newRow("5 000 000 000") << u"5000000000"_s << u"Пять миллиардов сум 00 тийин"_s;
    QTest::newRow("12345678901") << u"12345678901"_s
        << u"Двенадцать миллиардов триста сорок пять миллионов шестьсот семьдесят восемь тысяч девятьсот один сум 00 тийин"_s;
    QTest::newRow("largest") << u"999999999999.99"_s
        << u"Девятьсот девяносто девять миллиардов девятьсот девяносто девять миллионов "
           u"девятьсот девяносто девять тысяч девятьсот девяносто девять сум 99 тийин"_s;

    // Negative amounts.
    QTest::newRow("minus thousand") << u"-1000"_s << u"Минус одна тысяча сум 00 тийин"_s;
    QTest::newRow("minus below one") << u"-0.5"_s << u"Минус сум 50 тийин"_s;
}

void TestAmountInWords::words()
{
    QFETCH(QString, amount);
    QFETCH(QString, expected);
    QCOMPARE(AmountInWords(Money::fromAmountText(amount)), expected);
}

void TestAmountInWords::group_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("feminine");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0 << false << QString();
    QTest::newRow("one masculine") << 1 << false << u"один "_s;
    QTest::newRow("one feminine") << 1 << true << u"одна "_s;
    QTest::newRow("two feminine") << 2 << true << u"две "_s;
    QTest::newRow("three feminine") << 3 << true << u"три "_s;
    QTest::newRow("ten") << 10 << false << u"десять "_s;
    QTest::newRow("hundred teen") << 211 << true << u"двести одиннадцать "_s;
    QTest::newRow("full") << 342 << true << u"триста сорок две "_s;
}

void TestAmountInWords::group()
{
    QFETCH(int, n);
    QFETCH(bool, feminine);
    QFETCH(QString, expected);
    QCOMPARE(GroupInWords(n, feminine ? Gender::Feminine : Gender::Masculine), expected);
}

void TestAmountInWords::upCaseFirst_data()
{
    QTest::addColumn<QChar>("in");
    QTest::addColumn<QChar>("out");

    QTest::newRow("a") << QChar(u'a') << QChar(u'A');
    QTest::newRow("z") << QChar(u'z') << QChar(u'Z');
    QTest::newRow("а") << QChar(u'а') << QChar(u'А');
    QTest::newRow("я") << QChar(u'я') << QChar(u'Я');
    QTest::newRow("ё stays") << QChar(u'ё') << QChar(u'ё');
    QTest::newRow("upper stays") << QChar(u'Д') << QChar(u'Д');
    QTest::newRow("digit") << QChar(u'7') << QChar(u'7');
    QTest::newRow("brace") << QChar(u'{') << QChar(u'{');
}

void TestAmountInWords::upCaseFirst()
{
    QFETCH(QChar, in);
    QFETCH(QChar, out);
    QCOMPARE(UpCaseFirst(in), out);
}

void TestAmountInWords::refusesTrillions_data()
{
    QTest::addColumn<QString>("amount");
    QTest::newRow("10^12") << u"1000000000000"_s;
    QTest::newRow("-10^12") << u"-1000000000000"_s;
    QTest::newRow("largest money") << u"999999999999999.99"_s;
}

void TestAmountInWords::refusesTrillions()
{
    QFETCH(QString, amount);
    try {
        AmountInWords(Money::fromAmountText(amount));
        QFAIL("no range error");
    } catch (const UserError &e) {
        QVERIFY(e.text().contains(u"999 999 999 999.99"_s));
    }
}

QTEST_APPLESS_MAIN(TestAmountInWords)
#include "tst_amountinwords.moc"
