#include "common/BankFileReader.h"
#include "common/BankFileWriter.h"
#include "common/Cp1251.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "support/UserErrorText.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A client list shaped file: header of five fields, detail lines of 20
// fields numbered 2.., trailer N + 2. The CRCs come from zlib.
QByteArray ClientListShape(int details)
{
    BankFileWriter out;
    out.field(u"H");
    out.lineNumberField(1);
    out.field(u"00123");
    out.field(u"12345678");
    out.field(u"08.12.2026 14:05:09");
    out.endLine();
    for (int d = 0; d < details; ++d) {
        out.field(u"D");
        out.lineNumberField(d + 2);
        for (int f = 3; f <= 20; ++f)
            out.field((d == 0 ? u"f"_s : u"Ж"_s) + QString::number(f));
        out.endLine();
    }
    out.trailer(details + 2);
    return out.take();
}

// Takes the first `room` bytes, then refuses, as a full disk does.
class FillingDevice : public QIODevice
{
public:
    explicit FillingDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 n = std::min(size, m_room - written.size());
        if (n <= 0)
            return -1;
        written.append(data, n);
        return n;
    }

private:
    qint64 m_room;
};

void WriteDetails(BankFileWriter &out, int details)
{
    out.field(u"H");
    out.endLine();
    for (int d = 0; d < details; ++d) {
        out.field(u"D");
        out.lineNumberField(d + 2);
        out.field(u"Жанна %1"_s.arg(d));
        out.endLine();
    }
    out.trailer(details + 2);
}

QStringList Walk(const QByteArray &bytes, QString *trailer = nullptr)
{
    BankFileReader reader(bytes, [](QStringView first) { return first.startsWith(u'H'); }, u"bad"_s);
    QStringList lines{reader.headerLine().toString()};
    for (QStringView line; reader.nextDetail(line);)
        lines << line.toString();
    if (trailer)
        *trailer = reader.trailerLine().toString();
    return lines;
}

} // namespace

class TestBankFile : public QObject
{
    Q_OBJECT

private slots:
    void writesLinesAndTrailer_data()
    {
        QTest::addColumn<int>("details");
        QTest::addColumn<QByteArray>("trailer");
        QTest::newRow("header only") << 0 << QByteArray("T\t0000000002\tF47E0FDD\t\r\n");
        QTest::newRow("two lines") << 2 << QByteArray("T\t0000000004\t478803CC\t\r\n");
    }
    void writesLinesAndTrailer()
    {
        QFETCH(int, details);
        QFETCH(QByteArray, trailer);
        const QByteArray bytes = ClientListShape(details);
        QVERIFY(bytes.startsWith("H\t0000000001\t00123\t12345678\t08.12.2026 14:05:09\t\r\n"));
        QVERIFY2(bytes.endsWith(trailer), bytes.right(30).constData());
        QCOMPARE(bytes.count("\r\n"), details + 2);
        if (details == 2)
            QVERIFY(bytes.contains(Cp1251::encode(u"\r\nD\t0000000003\tЖ3\tЖ4\t"_s)));
    }

    // A small starting buffer grows; the bytes are the same.
    // Each number written is the one asked for, in order, after a gap or
    // backwards too, over every carry.
    void numbersLines_data()
    {
        QTest::addColumn<QList<qint64>>("numbers");
        QTest::newRow("carries") << QList<qint64>{8, 9, 10, 11, 99, 100, 101, 999, 1000};
        QTest::newRow("gaps") << QList<qint64>{2, 3, 5, 6, 20, 21};
        QTest::newRow("backwards") << QList<qint64>{5, 4, 5, 6, 1};
        QTest::newRow("ten digits") << QList<qint64>{9999999998, 9999999999, 1};
    }
    void numbersLines()
    {
        QFETCH(QList<qint64>, numbers);
        BankFileWriter out;
        QString expected;
        for (const qint64 n : numbers) {
            out.lineNumberField(n);
            expected += FormatLineNumber(n) + u'\t';
        }
        QCOMPARE(Cp1251::decode(out.take()), expected);
    }

    void growsBeyondItsCapacity()
    {
        BankFileWriter small(1);
        BankFileWriter large(1 << 16);
        const QString longText(5000, u'я');
        for (BankFileWriter *w : {&small, &large}) {
            w->field(longText);
            w->fieldWithoutBlanks(u"1 234 567.50");
            w->endLine();
            w->trailer(3);
        }
        QCOMPARE(small.crc(), large.crc());
        const QByteArray bytes = small.take();
        QCOMPARE(bytes, large.take());
        QVERIFY(bytes.contains("\t1234567.50\t\r\nT\t0000000003\t"));
    }

    // Handed to a device a piece at a time, the file is the same bytes; a
    // device that stops taking them makes the writer say so.
    void writesToDeviceInPieces_data()
    {
        QTest::addColumn<qsizetype>("chunk");
        QTest::addColumn<qint64>("room");
        QTest::newRow("a line at a time") << qsizetype(1) << qint64(1 << 30);
        QTest::newRow("some lines at a time") << qsizetype(1000) << qint64(1 << 30);
        QTest::newRow("all at the end") << qsizetype(1 << 20) << qint64(1 << 30);
        QTest::newRow("full early") << qsizetype(1000) << qint64(5000);
        QTest::newRow("full at the end") << qsizetype(1 << 20) << qint64(5000);
    }
    void writesToDeviceInPieces()
    {
        QFETCH(qsizetype, chunk);
        QFETCH(qint64, room);
        BankFileWriter whole;
        WriteDetails(whole, 500);
        const QByteArray expected = whole.take();

        FillingDevice device(room);
        BankFileWriter pieces(device, chunk);
        WriteDetails(pieces, 500);
        const bool fits = room >= expected.size();
        QCOMPARE(pieces.finish(), fits);
        if (fits)
            QCOMPARE(device.written, expected);
    }

    void walksLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("trailer");
        QTest::newRow("CR LF") << QByteArray("H\r\nD1\r\nT\t3\r\n") << QStringList{u"H"_s, u"D1"_s} << u"T\t3"_s;
        QTest::newRow("LF and CR") << QByteArray("H\nD1\rD2\nT") << QStringList{u"H"_s, u"D1"_s, u"D2"_s} << u"T"_s;
        QTest::newRow("empty lines kept") << QByteArray("H\r\n\r\nD1\r\n\r\nT\t\r\n")
                                          << QStringList{u"H"_s, QString(), u"D1"_s, QString()} << u"T\t"_s;
        QTest::newRow("no trailer") << QByteArray("H\r\nD1\r\nD2\r\n") << QStringList{u"H"_s, u"D1"_s, u"D2"_s}
                                    << QString();
        QTest::newRow("T inside") << QByteArray("H\r\nT\t2\r\nD3\r\n") << QStringList{u"H"_s, u"T\t2"_s, u"D3"_s}
                                  << QString();
        QTest::newRow("TT last") << QByteArray("H\r\nTT\t2\r\n") << QStringList{u"H"_s, u"TT\t2"_s} << QString();
        QTest::newRow("zero byte ends") << QByteArray("H\r\nD1\r\nT\0D9\r\n", 13) << QStringList{u"H"_s, u"D1"_s}
                                        << u"T"_s;
        QTest::newRow("header only") << QByteArray("H\r\n") << QStringList{u"H"_s} << QString();
    }
    void walksLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(QString, trailer);
        QString read;
        QCOMPARE(Walk(bytes, &read), lines);
        QCOMPARE(read, trailer);
    }

    void fieldByIndex_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("field");
        QTest::newRow("first") << u"T\t0000000004\tCRC\t"_s << 0 << u"T"_s;
        QTest::newRow("middle") << u"T\t0000000004\tCRC\t"_s << 2 << u"CRC"_s;
        QTest::newRow("empty last") << u"T\t0000000004\tCRC\t"_s << 3 << QString();
        QTest::newRow("beyond") << u"T\t0000000004"_s << 2 << QString();
        QTest::newRow("many TABs after") << u"H\tx\t"_s + QString(1'000'000, u'\t') << 1 << u"x"_s;
    }
    void fieldByIndex()
    {
        QFETCH(QString, line);
        QFETCH(int, index);
        QFETCH(QString, field);
        QCOMPARE(BankFileReader::field(line, index).toString(), field);
    }

    void refusesFirstLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("empty first line") << QByteArray("\r\nH\r\n");
        QTest::newRow("check fails") << QByteArray("X\r\nH\r\n");
    }
    void refusesFirstLine()
    {
        QFETCH(QByteArray, bytes);
        QCOMPARE(UserErrorText([&] { Walk(bytes); }), u"bad"_s);
    }
};

QTEST_GUILESS_MAIN(TestBankFile)
#include "tst_bankfile.moc"
