#include "common/Cp1251Fit.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCp1251Fit : public QObject
{
    Q_OBJECT
private slots:
    void pasted_data();
    void pasted();
    void notes_data();
    void notes();
};

void TestCp1251Fit::pasted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fitted");
    QTest::addColumn<QString>("replaced");
    QTest::addColumn<QString>("refused");
    QTest::newRow("Uzbek letters take the usual spelling")
            << u"Қ қ Ғ ғ Ҳ ҳ"_s << u"К к Г г Х х"_s << u"ҚқҒғҲҳ"_s << QString();
    QTest::newRow("short u is in the code page") << u"Ўткир ўғли"_s << u"Ўткир ўгли"_s << u"ғ"_s << QString();
    QTest::newRow("Uzbek Latin apostrophes take quotes") << u"Oʻgʻil Maʼruf"_s << u"O‘g‘il Ma’ruf"_s << u"ʻʼ"_s
                                                         << QString();
    QTest::newRow("a letter replaced is named once") << u"ҚаҚа"_s << u"КаКа"_s << u"Қ"_s << QString();
    QTest::newRow("plain text untouched") << u"Иванов И.И. 1234.50"_s << u"Иванов И.И. 1234.50"_s << QString()
                                          << QString();
    QTest::newRow("other letter refuses the whole text") << u"Қодир中"_s << u"Қодир中"_s << u"Қ"_s << u"中"_s;
    QTest::newRow("a pair outside the plane is one character")
            << u"a\U0001F600b"_s << u"a\U0001F600b"_s << QString() << u"\U0001F600"_s;
    QTest::newRow("a lone surrogate") << QString(QChar(0xD800)) << QString(QChar(0xD800)) << QString()
                                      << QString(QChar(0xD800));
    QTest::newRow("undefined byte round-trips") << QString(QChar(0x98)) << QString(QChar(0x98)) << QString()
                                                << QString();
}

void TestCp1251Fit::pasted()
{
    QFETCH(QString, text);
    QFETCH(QString, fitted);
    QFETCH(QString, replaced);
    QFETCH(QString, refused);
    const Cp1251Fit fit = Cp1251Fit::of(text);
    QCOMPARE(fit.refused, refused);
    QCOMPARE(fit.accepted(), refused.isEmpty());
    QCOMPARE(fit.text, fitted);
    if (fit.accepted())
        QCOMPARE(fit.replaced, replaced);
    QCOMPARE(Cp1251Fit::firstUnheld(text).isEmpty(), replaced.isEmpty() && refused.isEmpty());
}

void TestCp1251Fit::notes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("nothing to say") << u"Иванов"_s << QStringList();
    QTest::newRow("replacements named")
            << u"Қодир Ғани"_s << QStringList{u"«Қ» на «К», «Ғ» на «Г»"_s, u"Windows-1251"_s};
    QTest::newRow("refusal names the character and its code")
            << u"Али\u200Bев"_s << QStringList{u"«\u200B»"_s, u"U+200B"_s, u"не принят"_s, u"Windows-1251"_s};
    QTest::newRow("a pair by its code point") << u"\U0001F600"_s << QStringList{u"U+1F600"_s};
}

void TestCp1251Fit::notes()
{
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    const QString note = Cp1251Fit::of(text).note();
    QCOMPARE(note.isEmpty(), parts.isEmpty());
    for (const QString &part : parts)
        QVERIFY2(note.contains(part), qPrintable(note));
    // A typed letter that has a usual spelling is refused, pointing to it.
    QVERIFY(RefusedCharacterNote(u"ҳ"_s).contains(u"«х»"_s));
}

QTEST_APPLESS_MAIN(TestCp1251Fit)
#include "tst_cp1251fit.moc"
