#include "common/EditMask.h"
#include "common/ui/MaskedEdit.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The stored text computed without a widget must be what a real masked edit
// holds after a program sets the same value.
class TestEditMask : public QObject
{
    Q_OBJECT
private slots:
    void sameAsWidget_data();
    void sameAsWidget();
    void knownForms_data();
    void knownForms();
};

namespace {

struct NamedMask
{
    const char *name;
    QString notation;
};

const QList<NamedMask> &masks()
{
    static const QList<NamedMask> list{
        {"inn", u"000000000;1;_"_s},
        {"date", u"!99/99/0000;1;"_s},
        {"phone", u"!9999999;1;_"_s},
        {"mobile", u"!\\(99\\)000-00-00;1;_"_s},
        {"expiry", u"!99/99/9999;1;"_s},
        {"register number", u"!99999;1;_"_s},
        {"year", u"9999;1;_"_s},
        {"client code", u"!99999999;1;_"_s},
        {"letters upper", u">LL-99;1;_"_s},
        {"letters lower", u"<ll ca;1;*"_s},
    };
    return list;
}

const QStringList &values()
{
    static const QStringList list{
        u""_s, u"1"_s, u"12"_s, u"123"_s, u"1234567"_s, u"12345678"_s, u"123456789"_s,
        u"1234567890123"_s, u"1.2.1980"_s, u"01021980"_s, u"01.02.1980"_s, u"1/2/1980"_s,
        u"31.12.99"_s, u"..1980"_s, u"1..1980"_s, u"12."_s, u"."_s, u".5"_s, u"-"_s, u"("_s,
        u")"_s, u"(90)123-45-67"_s, u"901234567"_s, u"(90)1234567"_s, u"90-123"_s,
        u"(  )   -  -  "_s, u"  .  .    "_s, u"         "_s, u" 1"_s, u"1 "_s, u"12 34"_s,
        u"_"_s, u"1_2"_s, u"__1"_s, u"*"_s, u"a"_s, u"ab12"_s, u"AB12"_s, u"xY-34"_s,
        u"Ким"_s, u"Ёж 7"_s, u"12ab34cd56"_s, u"+7"_s, u"1\t2"_s, u"\u0663\u0664"_s,
        u"1\u00012"_s, u"x\u2028y"_s,
    };
    return list;
}

} // namespace

void TestEditMask::sameAsWidget_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("value");
    for (const NamedMask &m : masks())
        for (const QString &v : values())
            QTest::addRow("%s [%s]", m.name, qUtf8Printable(v)) << m.notation << v;
}

void TestEditMask::sameAsWidget()
{
    QFETCH(QString, mask);
    QFETCH(QString, value);
    MaskedEdit edit;
    edit.setEditMask(mask);
    edit.setStoredText(value);
    QCOMPARE(EditMask::parse(mask).storedFromProgramText(value), edit.storedText());
}

// A few forms spelled out, so that a change in the widget's rules shows up
// here as well as in the comparison above.
void TestEditMask::knownForms_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    const QString date = u"!99/99/0000;1;"_s;
    QTest::newRow("full date") << date << u"01.02.1980"_s << u"01.02.1980"_s;
    // Right-aligned over all ten places, literals included: digits alone
    // slide past the first separator.
    QTest::newRow("date digits only") << date << u"01021980"_s << u"  .01.0219"_s;
    QTest::newRow("short date right-aligned") << date << u"1.2.1980"_s << u"  .1 .2198"_s;
    QTest::newRow("empty date") << date << u""_s << u"  .  .    "_s;
    QTest::newRow("inn short fills from left") << u"000000000;1;_"_s << u"1234"_s << u"1234     "_s;
    QTest::newRow("inn letters skipped") << u"000000000;1;_"_s << u"12ab34"_s << u"1234     "_s;
    QTest::newRow("phone short") << u"!9999999;1;_"_s << u"12345"_s << u"  12345"_s;
    QTest::newRow("phone too long") << u"!9999999;1;_"_s << u"123456789"_s << u"1234567"_s;
    QTest::newRow("mobile full") << u"!\\(99\\)000-00-00;1;_"_s << u"(90)123-45-67"_s << u"(90)123-45-67"_s;
    QTest::newRow("mobile digits only") << u"!\\(99\\)000-00-00;1;_"_s << u"901234567"_s << u"(  )901-23-45"_s;
}

void TestEditMask::knownForms()
{
    QFETCH(QString, mask);
    QFETCH(QString, value);
    QFETCH(QString, stored);
    QCOMPARE(EditMask::parse(mask).storedFromProgramText(value), stored);
}

QTEST_MAIN(TestEditMask)
#include "tst_editmask.moc"
