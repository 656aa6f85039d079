#include "clients/ClientListVerify.h"
#include "common/Cp1251.h"
#include "common/Crc32Calculator.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollVerify.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList kLines{
    u"H\t0000000001\t00123\t12345678\t08.12.2026 14:05:09"_s,
    u"D\t0000000002\tКаримов\tАзиз\tРустамович\tM\t05.06.1980\t123456789\tТашкент, ул. Навои, 1\tAA\t1000001\t"
    u"Юнусабадский РОВД\t15.03.2016\t14.03.2026\t1234567\t1\tТашкент\tГНИ\t(90)123-45-67\tОВД"_s,
    u"D\t0000000003\tКимЛи\tАнна\tСергеевна\tF\t  .  .    \t987654321\tСамарканд\tAB\t7654321\t\t02.03.2015\t\t"
    u"       \t\t\t\t(  )   -  -  \t"_s,
    u"T\t0000000004"_s,
};

// The file with one field of one line replaced, and its checksum made anew
// so that only the field can be at fault.
QByteArray FileWith(int line, int field, const QString &value)
{
    QStringList lines = kLines;
    if (line >= 0) {
        QStringList fields = lines[line].split(u'\t');
        fields[field] = value;
        lines[line] = fields.join(u'\t');
    }
    QByteArray covered;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        covered += Cp1251::encode(lines[i] + u'\t');
    lines.last() += u'\t' + FormatCRC32(CalcStringCRC32(covered));
    QByteArray bytes;
    for (const QString &l : lines)
        bytes += Cp1251::encode(l + u'\t') + "\r\n";
    return bytes;
}

QStringList Problems(const VerifyReport &r)
{
    QStringList out;
    for (const VerifyProblem &p : r.problems)
        out << u"%1: %2"_s.arg(p.line).arg(p.text);
    return out;
}

QByteArray PayrollBytes()
{
    SettingsRecord settings{u"12345678"_s, u"ООО Тест"_s, u"00123"_s};
    return BuildPayrollFile(settings, {u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s},
                            {{u"Иванов"_s, u"8600000000000001"_s, u"1.00"_s}},
                            QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)));
}

} // namespace

class TestClientListVerify : public QObject
{
    Q_OBJECT

private slots:
    void checksTheFields_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("as written") << -1 << 0 << QString() << QStringList();
        QTest::newRow("midnight: the date alone") << 0 << 4 << u"08.12.2026"_s << QStringList();
        QTest::newRow("no such hour") << 0 << 4 << u"08.12.2026 24:00:00"_s
                                      << QStringList{u"1: moment of saving \"08.12.2026 24:00:00\" is not "
                                                     u"dd.mm.yyyy hh:mm:ss or a date alone"_s};
        QTest::newRow("branch code empty") << 0 << 2 << QString()
                                           << QStringList{u"1: branch code \"\" is not 1 to 5 digits"_s};
        QTest::newRow("client code with a letter") << 0 << 3 << u"1234567O"_s
                                                   << QStringList{u"1: client code \"1234567O\" is not 1 to 8 digits"_s};
        QTest::newRow("short codes as stored") << 0 << 3 << u"123"_s << QStringList();
        QTest::newRow("sex in small letters") << 1 << 5 << u"m"_s
                                              << QStringList{u"2: sex code \"m\" is not M or F"_s};
        QTest::newRow("sex empty") << 2 << 5 << QString() << QStringList{u"3: sex code \"\" is not M or F"_s};
        QTest::newRow("30 February") << 1 << 6 << u"30.02.1980"_s
                                     << QStringList{u"2: date of birth \"30.02.1980\" is not a real date"_s};
        QTest::newRow("blanks before the numbers") << 1 << 6 << u" 5. 6.1980"_s << QStringList();
        QTest::newRow("month 13 of issue") << 1 << 12 << u"15.13.2016"_s
                                           << QStringList{u"2: date of issue \"15.13.2016\" is not a real date"_s};
        QTest::newRow("expiry unfilled, as typed") << 1 << 13 << u"  .  .    "_s << QStringList();
        QTest::newRow("expiry 29 February") << 1 << 13 << u"29.02.2027"_s
                                            << QStringList{u"2: expiry date \"29.02.2027\" is not a real date"_s};
        QTest::newRow("leap day") << 1 << 13 << u"29.02.2028"_s << QStringList();
        QTest::newRow("taxpayer number short") << 1 << 7 << u"12345678 "_s
                                               << QStringList{u"2: taxpayer number \"12345678 \" is not nine digits"_s};
        QTest::newRow("taxpayer number of 8 digits") << 1 << 7 << u"12345678"_s
                                                     << QStringList{u"2: taxpayer number \"12345678\" is not nine digits"_s};
        QTest::newRow("taxpayer number of 10 digits") << 1 << 7 << u"1234567890"_s
                                                      << QStringList{u"2: taxpayer number \"1234567890\" is not nine digits"_s};
        QTest::newRow("moment joined by T") << 0 << 4 << u"08.12.2026T14:05:09"_s
                                            << QStringList{u"1: moment of saving \"08.12.2026T14:05:09\" is not "
                                                           u"dd.mm.yyyy hh:mm:ss or a date alone"_s};
        QTest::newRow("moment joined by a no-break space") << 0 << 4 << u"08.12.2026\u00A014:05:09"_s
                                            << QStringList{u"1: moment of saving \"08.12.2026\u00A014:05:09\" is not "
                                                           u"dd.mm.yyyy hh:mm:ss or a date alone"_s};
        QTest::newRow("taxpayer number unfilled") << 2 << 7 << u"         "_s
                                                  << QStringList{u"3: taxpayer number \"         \" is not nine digits"_s};
        QTest::newRow("no code 8") << 1 << 15 << u"8"_s
                                   << QStringList{u"2: document code \"8\" is not 1 to 7, 9 or empty"_s};
        QTest::newRow("no code 0") << 1 << 15 << u"0"_s
                                   << QStringList{u"2: document code \"0\" is not 1 to 7, 9 or empty"_s};
        QTest::newRow("other is 9") << 1 << 15 << u"9"_s << QStringList();
        QTest::newRow("a number left out") << 2 << 1 << u"0000000004"_s
                                           << QStringList{u"3: line number 0000000004 is not 0000000003"_s,
                                                          u"4: line number 0000000004 is not 0000000005"_s};
        QTest::newRow("trailer not N + 2") << 3 << 1 << u"0000000005"_s
                                           << QStringList{u"4: line number 0000000005 is not 0000000004"_s};
    }
    void checksTheFields()
    {
        QFETCH(int, line);
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QStringList, problems);
        const ClientListRules rules(2026);
        const VerifyReport r = VerifyBankFile(FileWith(line, field, value), rules);
        QCOMPARE(Problems(r), problems);
        QCOMPARE(r.detailLines, 2);
        QCOMPARE(r.storedCrc, r.computedCrc);
    }

    // By the header line first, whatever the name; the name only when the
    // first line tells nothing.
    void choosesTheKind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("kind"); // empty: none
        QTest::newRow("client list") << u"CLSV001231234567808122026140509"_s << FileWith(-1, 0, {})
                                     << u"client list (CLSV)"_s;
        QTest::newRow("client list named as a register") << u"ZPSV1"_s << FileWith(-1, 0, {})
                                                         << u"client list (CLSV)"_s;
        QTest::newRow("register named as a client list") << u"CLSV1"_s << PayrollBytes()
                                                         << u"payroll register (ZPSV)"_s;
        QTest::newRow("broken header, client name") << u"Клиенты/CLSV1"_s << QByteArray("H\t1\r\n")
                                                    << u"client list (CLSV)"_s;
        QTest::newRow("neither") << u"upload.txt"_s << QByteArray("H\t1\r\n") << QString();
    }
    void choosesTheKind()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kind);
        const ClientListRules clients(2026);
        const BankFileRules *rules = RulesForFile(name, bytes, {&PayrollFileRules(), &clients});
        QCOMPARE(rules ? rules->kind() : QString(), kind);
    }

    void checksTheNameAgainstTheHeader_data()
    {
        QTest::addColumn<QString>("moment");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        QTest::newRow("moment") << u"08.12.2026 14:05:09"_s << u"CLSV001231234567808122026140509"_s << true;
        QTest::newRow("midnight") << u"08.12.2026"_s << u"CLSV001231234567808122026"_s << true;
        // A list saved over keeps its name and takes a new moment.
        QTest::newRow("saved over later") << u"09.12.2026 10:00:00"_s << u"CLSV001231234567808122026140509"_s << true;
        QTest::newRow("other client code") << u"08.12.2026 14:05:09"_s << u"CLSV001231234567908122026140509"_s << false;
        QTest::newRow("other branch code") << u"08.12.2026 14:05:09"_s << u"CLSV001241234567808122026140509"_s << false;
        QTest::newRow("no stamp") << u"08.12.2026 14:05:09"_s << u"CLSV0012312345678"_s << false;
        QTest::newRow("a stamp with a letter") << u"08.12.2026 14:05:09"_s << u"CLSV001231234567808122026x40509"_s
                                               << false;
    }
    void checksTheNameAgainstTheHeader()
    {
        QFETCH(QString, moment);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        const ClientListRules rules(2026);
        const VerifyReport r = VerifyBankFile(FileWith(0, 4, moment), rules, u"Клиенты/"_s + name);
        QCOMPARE(r.clean(), matches);
        if (!matches)
            QCOMPARE(r.problems.first().code, u"file-name"_s);
    }

    void refusesAHeaderOnLine2()
    {
        QByteArray bytes = FileWith(-1, 0, {});
        bytes.prepend(bytes.left(bytes.indexOf('\n') + 1));
        const ClientListRules rules(2026);
        QStringList codes;
        for (const VerifyProblem &p : VerifyBankFile(bytes, rules).problems)
            codes << u"%1 %2"_s.arg(p.line).arg(p.code);
        QVERIFY2(codes.contains(u"2 header-not-first"_s), qPrintable(codes.join(u", "_s)));
    }

    // As of a day, the client list's warnings by line; none without a day.
    void warnsApart()
    {
        QByteArray bytes = FileWith(1, 13, u"08.12.2026"_s);
        const VerifyReport r = VerifyBankFile(bytes, ClientListRules(QDate(2026, 12, 9)));
        QVERIFY(r.clean());
        QStringList found;
        for (const VerifyProblem &w : r.warnings)
            found << u"%1 %2 %3"_s.arg(w.line).arg(w.code, w.field);
        QCOMPARE(found, (QStringList{u"2 passport-expired passport_end"_s, u"3 field-empty place_of_birth"_s,
                                     u"3 field-empty tax_office"_s, u"3 field-empty mobile_number"_s,
                                     u"3 field-empty issued_by"_s}));
        QVERIFY(VerifyBankFile(bytes, ClientListRules(2026)).warnings.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestClientListVerify)
#include "tst_clientlistverify.moc"
