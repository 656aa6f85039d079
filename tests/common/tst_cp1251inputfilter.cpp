#include "common/ui/Cp1251InputFilter.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCp1251InputFilter : public QObject
{
    Q_OBJECT
private slots:
    void typed_data();
    void typed();
};

namespace {

// A field of Cyrillic capitals only, "Ё" outside it as in the name fields.
bool Capitals(QChar c)
{
    return c.unicode() >= 0x0410 && c.unicode() <= 0x042F;
}

} // namespace

void TestCp1251InputFilter::typed_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("capitalsOnly");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("note"); // a piece of the note; empty for none

    QTest::newRow("held, every character") << u"Abc ё"_s << false << u"Abc ё"_s << QString();
    QTest::newRow("Uzbek capitals") << u"ҚҒҲ"_s << false << u"КГХ"_s << u"«Ҳ» на «Х»"_s;
    QTest::newRow("Uzbek small letters") << u"қғҳ"_s << false << u"кгх"_s << u"«ҳ» на «х»"_s;
    QTest::newRow("Ё where refused") << u"Ё"_s << true << u"Е"_s << u"«Ё» на «Е»"_s;
    QTest::newRow("ё where its spelling is refused too") << u"ё"_s << true << QString() << QString();
    QTest::newRow("held but refused, silently") << u"1a"_s << true << QString() << QString();
    QTest::newRow("no spelling") << u"Ω"_s << false << QString() << u"U+03A9"_s;
    QTest::newRow("a surrogate pair whole") << u"A\U0001F600B"_s << false << u"AB"_s << u"U+1F600"_s;
    QTest::newRow("spelling the field refuses") << u"қ"_s << true << QString() << u"U+049B"_s;
}

void TestCp1251InputFilter::typed()
{
    QFETCH(QString, typed);
    QFETCH(bool, capitalsOnly);
    QFETCH(QString, text);
    QFETCH(QString, note);

    const Cp1251InputFilter::Typed fit =
            Cp1251InputFilter::fitTyped(typed, capitalsOnly ? Cp1251InputFilter::Accepts(Capitals) : nullptr);
    QCOMPARE(fit.text, text);
    QCOMPARE(fit.note.isEmpty(), note.isEmpty());
    QVERIFY2(fit.note.contains(note), qPrintable(fit.note));
}

QTEST_APPLESS_MAIN(TestCp1251InputFilter)
#include "tst_cp1251inputfilter.moc"
