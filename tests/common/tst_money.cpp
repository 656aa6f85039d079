#include "common/Money.h"
#include "common/UserError.h"
#include "support/UserErrorText.h"

#include <QTest>

class TestMoney : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void forms_data();
    void forms();
    void sumIsExactAndChecked();
    void conversionMessageNamesBlankFreeText();
};

void TestMoney::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("tiyin");

    QTest::newRow("integer") << "1500000" << true << 150000000LL;
    QTest::newRow("display with blanks") << "1 234 567.5" << true << 123456750LL;
    QTest::newRow("half rounds up") << "1.005" << true << 101LL;
    QTest::newRow("just below half") << "1.00499999" << true << 100LL;
    QTest::newRow("negative half away from zero") << "-0.005" << true << -1LL;
    QTest::newRow("negative") << "-0.5" << true << -50LL;
    QTest::newRow("plus sign") << "+2" << true << 200LL;
    QTest::newRow("exponent") << "1E3" << true << 100000LL;
    QTest::newRow("negative exponent") << "12345e-2" << true << 12345LL;
    QTest::newRow("exponent rounds") << "5e-3" << true << 1LL;
    QTest::newRow("tiny") << "0.0001" << true << 0LL;
    QTest::newRow("leading point") << ".5" << true << 50LL;
    QTest::newRow("trailing point") << "7." << true << 700LL;
    QTest::newRow("leading zeros") << "000012.30" << true << 1230LL;
    QTest::newRow("carry through nines") << "9.999" << true << 1000LL;
    QTest::newRow("largest") << "999999999999999.99" << true << Money::kMaxTiyin;
    QTest::newRow("fifteen digits") << "123456789012345" << true << 12345678901234500LL;
    QTest::newRow("one decimal") << "12.5" << true << 1250LL;
    QTest::newRow("third decimal rounds") << "12.345" << true << 1235LL;
    QTest::newRow("point then letter") << "12.a" << false << 0LL;
    QTest::newRow("decimal then letter") << "12.3a" << false << 0LL;
    QTest::newRow("sixteen digits with decimals") << "1234567890123456.5" << false << 0LL;
    QTest::newRow("point only") << "." << false << 0LL;
    QTest::newRow("empty") << "" << false << 0LL;
    QTest::newRow("sign only") << "-" << false << 0LL;
    QTest::newRow("two points") << "1.2.3" << false << 0LL;
    QTest::newRow("comma") << "1,5" << false << 0LL;
    QTest::newRow("letter") << "12a" << false << 0LL;
    QTest::newRow("exponent without digits") << "1E" << false << 0LL;
    QTest::newRow("exponent alone") << "E3" << false << 0LL;
    QTest::newRow("too large") << "1000000000000000" << false << 0LL;
    QTest::newRow("huge exponent") << "1E400" << false << 0LL;
    QTest::newRow("huge negative exponent") << "1E-400" << true << 0LL;
    QTest::newRow("long mantissa scaled into range") << "123456789012345678901234567890e-20" << true << 123456789012LL;
    QTest::newRow("long mantissa rounds on its first dropped digit")
            << "99999999999999999999999999e-12" << true << 10000000000000000LL;
    QTest::newRow("half after many decimals") << "1.00500000000000000000000001" << true << 101LL;
    QTest::newRow("long mantissa too large") << "1234567890123456789012345" << false << 0LL;
}

void TestMoney::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, tiyin);
    const auto m = Money::parseAmountText(text);
    QCOMPARE(m.has_value(), ok);
    if (ok)
        QCOMPARE(m->tiyin(), tiyin);
}

void TestMoney::forms_data()
{
    QTest::addColumn<qint64>("tiyin");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("plain");

    QTest::newRow("zero") << 0LL << "0.00" << "0.00";
    QTest::newRow("below one") << 75LL << "0.75" << "0.75";
    QTest::newRow("three digits") << 99999LL << "999.99" << "999.99";
    QTest::newRow("four digits") << 100000LL << "1 000.00" << "1000.00";
    QTest::newRow("million") << 123456750LL << "1 234 567.50" << "1234567.50";
    QTest::newRow("negative") << -50LL << "-0.50" << "-0.50";
    QTest::newRow("negative grouped") << -123456789LL << "-1 234 567.89" << "-1234567.89";
    QTest::newRow("largest") << Money::kMaxTiyin << "999 999 999 999 999.99" << "999999999999999.99";
}

void TestMoney::forms()
{
    QFETCH(qint64, tiyin);
    QFETCH(QString, display);
    QFETCH(QString, plain);
    const Money m = Money::fromTiyin(tiyin);
    QCOMPARE(m.toDisplay(), display);
    QCOMPARE(m.toPlain(), plain);
    QCOMPARE(Money::parseAmountText(display)->tiyin(), tiyin);
    QVERIFY(m.isDisplayText(display));
    QCOMPARE(m.isDisplayText(plain), plain == display);
    QVERIFY(!m.isDisplayText(display + u'0'));
    QVERIFY(m.isPlainText(plain));
    QCOMPARE(m.isPlainText(display), plain == display);
    QVERIFY(!m.isPlainText(plain.mid(1)));
}

void TestMoney::sumIsExactAndChecked()
{
    Money sum;
    for (int i = 0; i < 10; ++i)
        sum += Money::fromTiyin(10); // 0.1 ten times is exactly 1.00
    QCOMPARE(sum.toPlain(), QStringLiteral("1.00"));

    Money big = Money::fromTiyin(Money::kMaxTiyin);
    QVERIFY_THROWS_EXCEPTION(UserError, big += Money::fromTiyin(1));
    QCOMPARE(big.tiyin(), Money::kMaxTiyin);
}

void TestMoney::conversionMessageNamesBlankFreeText()
{
    QCOMPARE(UserErrorText([] { Money::fromAmountText(QStringLiteral("1 2x")); }),
             QStringLiteral("'12x' is not a valid floating point value"));
}

QTEST_APPLESS_MAIN(TestMoney)
#include "tst_money.moc"
