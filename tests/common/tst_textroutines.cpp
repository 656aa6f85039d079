#include "common/ByteLines.h"
#include "common/Cp1251.h"
#include "common/Crc32Calculator.h"
#include "common/Digits.h"
#include "common/Money.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollVerify.h"
#include "support/UserErrorText.h"

#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;

class TestTextRoutines : public QObject
{
    Q_OBJECT
private slots:
    void codecRoundTripsEveryByte();
    void codecMatchesIcu();
    void codecRefusesWhatItCannotHold();
    void encodesEveryPlace_data();
    void encodesEveryPlace();
    void asciiDigits_data();
    void asciiDigits();
    void replaceAll_data();
    void replaceAll();
    void splitLines_data();
    void splitLines();
    void splitFieldsKeepsEmptyFields();
    void formatLineNumber();
    void fullStop_data();
    void fullStop();
    void crc_data();
    void crc();
    void crcInPartsMatchesWhole();
    void excerpt_data();
    void excerpt();
    void messagesQuoteAnExcerpt_data();
    void messagesQuoteAnExcerpt();
};

void TestTextRoutines::codecRoundTripsEveryByte()
{
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = Cp1251::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(Cp1251::encode(text), all);
    for (int i = 0; i < 256; ++i)
        QCOMPARE(Cp1251::code(text[i]), i);
    QCOMPARE(text[0xC0], QChar(u'А'));
    QCOMPARE(text[0xFF], QChar(u'я'));
    QCOMPARE(text[0xA8], QChar(u'Ё'));
    QCOMPARE(text[0xB8], QChar(u'ё'));
    QCOMPARE(text[0xB9], QChar(u'№'));
    QCOMPARE(text[0x98], QChar(0x98));
}

void TestTextRoutines::codecMatchesIcu()
{
    QStringDecoder icu("windows-1251");
    if (!icu.isValid())
        QSKIP("no windows-1251 decoder in this Qt build");
    for (int i = 0; i < 256; ++i) {
        if (i == 0x98)
            continue; // undefined in the code page; ours keeps it as U+0098
        const char b = char(i);
        const QString expected = icu.decode(QByteArrayView(&b, 1));
        QCOMPARE(Cp1251::decode(QByteArrayView(&b, 1)), expected);
    }
}

void TestTextRoutines::codecRefusesWhatItCannotHold()
{
    QVERIFY(Cp1251::canEncode(QStringLiteral("Иванов Пётр №5")));
    QVERIFY(!Cp1251::canEncode(QStringLiteral("日本")));
    QVERIFY(!Cp1251::canEncode(QStringLiteral("Ә")));
    QCOMPARE(Cp1251::code(QChar(u'€')), 0x88);
}

// Texts are encoded eight characters at a time while all are ASCII or А..я:
// a rarer character at every place of a longer text, and the tail.
void TestTextRoutines::encodesEveryPlace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("rare");
    QTest::addColumn<int>("code");
    QTest::newRow("Ё in Latin") << u"abcdefghijklmnopqrs"_s << QChar(u'Ё') << 0xA8;
    QTest::newRow("ё in Cyrillic") << u"АБВГДЕЖЗИЙКЛМНОПРСТ"_s << QChar(u'ё') << 0xB8;
    QTest::newRow("№ beside я") << u"яяяяяяяяяяяяяяяяяяя"_s << QChar(u'№') << 0xB9;
    QTest::newRow("Ѐ just below А") << u"Иван Иванович 12345"_s << QChar(0x0400) << int('?');
    QTest::newRow("ѐ just above я") << u"Иван Иванович 12345"_s << QChar(0x0450) << int('?');
    QTest::newRow("DEL") << u"Иван Иванович 12345"_s << QChar(0x7F) << 0x7F;
    QTest::newRow("U+0080") << u"Иван Иванович 12345"_s << QChar(0x80) << int('?');
    QTest::newRow("CJK") << u"Иван Иванович 12345"_s << QChar(u'日') << int('?');
}

void TestTextRoutines::encodesEveryPlace()
{
    QFETCH(QString, text);
    QFETCH(QChar, rare);
    QFETCH(int, code);
    for (qsizetype at = 0; at < text.size(); ++at) {
        QString changed = text;
        changed[at] = rare;
        const QByteArray bytes = Cp1251::encode(changed);
        QCOMPARE(bytes.size(), changed.size());
        for (qsizetype i = 0; i < changed.size(); ++i)
            QCOMPARE(int(uchar(bytes[i])), i == at ? code : Cp1251::code(changed[i]));
    }
}

void TestTextRoutines::asciiDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("digits");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("card") << u"8600123456789012"_s << true;
    QTest::newRow("slash before 0, eighth") << u"8600123/"_s << false;
    QTest::newRow("colon after 9, ninth") << u"86001234:"_s << false;
    QTest::newRow("letter, sixteenth") << u"860012345678901x"_s << false;
    QTest::newRow("letter in the tail") << u"86001234567890123x"_s << false;
    QTest::newRow("Arabic-Indic three") << u"8600123456٣89012"_s << false;
    QTest::newRow("fullwidth one") << u"１600123456789012"_s << false;
    QTest::newRow("digit plus 0x8000") << QString(8, QChar(0x8030)) << false;
}

void TestTextRoutines::asciiDigits()
{
    QFETCH(QString, text);
    QFETCH(bool, digits);
    QCOMPARE(AllAsciiDigits(text), digits);
}

void TestTextRoutines::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("result");
    QTest::newRow("remove blanks") << "a  b c" << " " << "" << "abc";
    QTest::newRow("no overlap") << "aaa" << "aa" << "b" << "ba";
    QTest::newRow("no rescan") << "ab" << "a" << "aa" << "aab";
    QTest::newRow("empty what") << "abc" << "" << "x" << "abc";
    QTest::newRow("absent") << "abc" << "z" << "x" << "abc";
    QTest::newRow("comma to point") << "1 000,00" << "," << "." << "1 000.00";
    QTest::newRow("slash to backslash") << "a/b/c" << "/" << "\\" << "a\\b\\c";
}

void TestTextRoutines::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(QString, with);
    QFETCH(QString, result);
    QCOMPARE(ReplaceAll(text, what, with), result);
}

void TestTextRoutines::splitLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    QTest::newRow("empty lines kept") << QByteArray("a\n\nb\n") << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("cr then lf separately") << QByteArray("a\r\rb") << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("nul ends the text") << QByteArray("a\nb\0c\nd", 7) << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("only line end") << QByteArray("\r\n") << QStringList{u""_s};
    QTest::newRow("cyrillic") << QByteArray("\xC8\xE2\xE0\xED\r\n") << QStringList{u"Иван"_s};
    QTest::newRow("lf then cr") << QByteArray("a\n\rb") << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("lone cr then crlf") << QByteArray("a\rb\r\nc\r") << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("crlf after lf only lines") << QByteArray("a\nb\nc\r\nd") << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
}

void TestTextRoutines::splitLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QStringList walked;
    ByteLines walker(bytes);
    for (QByteArrayView line; walker.next(line);)
        walked << Cp1251::decode(line);
    QCOMPARE(walked, lines);
}

void TestTextRoutines::splitFieldsKeepsEmptyFields()
{
    QCOMPARE(SplitFields(u"D\t0000000002\t\tx\t"), (QStringList{u"D"_s, u"0000000002"_s, u""_s, u"x"_s, u""_s}));
    QCOMPARE(SplitFields(u""), QStringList{QString()});
}

void TestTextRoutines::formatLineNumber()
{
    QCOMPARE(FormatLineNumber(1), QStringLiteral("0000000001"));
    QCOMPARE(FormatLineNumber(12), QStringLiteral("0000000012"));
    QCOMPARE(FormatLineNumber(999999999), QStringLiteral("0999999999"));
}

void TestTextRoutines::fullStop_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "File access denied" << "File access denied.";
    QTest::newRow("exclamation") << "Таблица не заполнена!" << "Таблица не заполнена!";
    QTest::newRow("quote") << "'x' is not a valid floating point value" << "'x' is not a valid floating point value.";
    QTest::newRow("full stop") << "Done." << "Done.";
    QTest::newRow("digit") << "I/O error 5" << "I/O error 5.";
    QTest::newRow("cyrillic") << "Ошибка" << "Ошибка.";
    QTest::newRow("empty") << "" << "";
}

void TestTextRoutines::fullStop()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(WithFullStop(text), shown);
}

void TestTextRoutines::crc_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("hex");
    QTest::newRow("check value") << QByteArray("123456789") << "CBF43926";
    QTest::newRow("empty") << QByteArray() << "00000000";
    QTest::newRow("a") << QByteArray("a") << "E8B7BE43";
    QTest::newRow("windows-1251 bytes") << Cp1251::encode(u"Иван") << "B81E7012";
}

void TestTextRoutines::crc()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, hex);
    QCOMPARE(FormatCRC32(CalcStringCRC32(bytes)), hex);
}

void TestTextRoutines::crcInPartsMatchesWhole()
{
    QByteArray data(20000, Qt::Uninitialized);
    quint32 seed = 12345;
    for (char &c : data) {
        seed = seed * 1103515245 + 12345;
        c = char(seed >> 16);
    }
    const quint32 whole = CalcStringCRC32(data);
    // Taken in parts, as the writer takes a file line by line.
    // Cuts around the 8 KiB the running CRC gathers before libdeflate takes them.
    for (qsizetype cut : {0, 1, 345, 8191, 8192, 8193, 16385, 19999, 20000}) {
        Crc32 parts;
        parts.update(data.first(cut));
        parts.update(QByteArrayView());
        const quint32 head = parts.value(); // read midway, as the trailer reads it
        QCOMPARE(head, CalcStringCRC32(data.first(cut)));
        parts.update(data.sliced(cut));
        QCOMPARE(parts.value(), whole);
        quint32 reg = 0xFFFFFFFF;
        UpdateCRC32(data.constData(), cut, reg);
        UpdateCRC32(data.constData() + cut, data.size() - cut, reg);
        QCOMPARE(~reg, whole);
    }
    Crc32 lines;
    for (qsizetype at = 0; at < data.size(); at += 57)
        lines.update(data.sliced(at, std::min<qsizetype>(57, data.size() - at)));
    QCOMPARE(lines.value(), whole);
}

void TestTextRoutines::excerpt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quoted");
    const QString hundred(100, u'я');
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("short") << u"12a"_s << u"12a"_s;
    QTest::newRow("exactly the limit") << hundred << hundred;
    QTest::newRow("one more") << hundred + u'!' << hundred + u'…';
    QTest::newRow("10 MB") << QString(10'000'000, u'9') << QString(100, u'9') + u'…';
    // A pair of surrogates is never split: the cut falls before it.
    QTest::newRow("pair at the cut") << QString(99, u'a') + u"😀bc"_s << QString(99, u'a') + u'…';
}

void TestTextRoutines::excerpt()
{
    QFETCH(QString, text);
    QFETCH(QString, quoted);
    QCOMPARE(Excerpt(text), quoted);
}

// Every message that quotes a text from a cell or a file stays short.
void TestTextRoutines::messagesQuoteAnExcerpt_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("start");
    QTest::newRow("amount not a number") << 0 << u"'xxxxxxxx"_s;
    QTest::newRow("amount out of range") << 1 << u"Сумма '9999999"_s;
    QTest::newRow("month field") << 2 << u"'xxxxxxxx"_s;
    QTest::newRow("verify: a field") << 3 << u"line 1: branch code \"xxxx"_s;
}

void TestTextRoutines::messagesQuoteAnExcerpt()
{
    QFETCH(int, which);
    QFETCH(QString, start);
    const QString huge(1'000'000, u'x');
    QString message;
    const QString error = UserErrorText([&] {
        switch (which) {
        case 0: Money::fromAmountText(huge); break;
        case 1: Money::fromAmountText(QString(1'000'000, u'9')); break;
        case 2: MonthIndexFromField(huge); break;
        case 3: {
            const QByteArray file = "H\t0000000001\t08.12.2026 14:05:09\t" + QByteArray(1'000'000, 'x')
                    + "\t12345678\t08.12.2026\t12\t2026\t00007\t\r\nT\t0000000002\t00000000\t\r\n";
            message = FormatVerifyReport(VerifyBankFile(file, PayrollFileRules())).value(0);
            break;
        }
        }
    });
    if (!error.isEmpty())
        message = error;
    QVERIFY2(message.startsWith(start), qPrintable(message.left(200)));
    QVERIFY2(message.size() < 250 && message.contains(u'…'), qPrintable(message.left(300)));
}

QTEST_APPLESS_MAIN(TestTextRoutines)
#include "tst_textroutines.moc"
