#include "payroll/PayrollFile.h"
#include "payroll/PayrollVerify.h"
#include "common/Crc32Calculator.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray CleanFile()
{
    SettingsRecord settings;
    settings.filialCode = u"00123"_s;
    settings.organisationCode = u"12345678"_s;
    const PayrollHeader header{u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s};
    const QList<PayrollRow> rows{{u"Иванов Иван"_s, u"8600123412341234"_s, u"1500000.00"_s},
                                 {u"Петров"_s, u"8600000000000002"_s, u"0.00"_s},
                                 {u"Сидоров"_s, u"8600000000000003"_s, u"0.75"_s}};
    return BuildPayrollFile(settings, header, rows, QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)));
}

// The lines' numbers that a report names, to tell where it found problems.
QList<qsizetype> ProblemLines(const VerifyReport &r)
{
    QList<qsizetype> lines;
    for (const VerifyProblem &p : r.problems)
        lines << p.line;
    return lines;
}

} // namespace

class TestPayrollVerify : public QObject
{
    Q_OBJECT

private slots:
    void acceptsAWrittenFile()
    {
        const VerifyReport r = VerifyBankFile(u"Кардолист/2026/ZPSV001231234567812202600007"_s, CleanFile(), {&PayrollFileRules()});
        QVERIFY2(r.clean(), qPrintable(FormatVerifyReport(r).join(u'\n')));
        QCOMPARE(r.kind, u"payroll register (ZPSV)"_s);
        QCOMPARE(r.detailLines, 2);
        QCOMPARE(r.total->toDisplay(), u"1 500 000.75"_s);
        QCOMPARE(r.storedCrc, r.computedCrc);
    }

    void reportsEachProblemWithItsLine_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QList<qsizetype>>("lines");
        QTest::addColumn<QString>("text");
        // Line 2 is Иванов's detail line, line 3 Сидоров's, line 4 the trailer.
        QTest::newRow("wrong CRC") << QByteArray("\t0000000005\t") << QByteArray("\t0000000005\t0")
                                   << QList<qsizetype>{4} << u"checksum"_s;
        QTest::newRow("missing CR") << QByteArray("1500000.00\t\r\n") << QByteArray("1500000.00\t\n")
                                    << QList<qsizetype>{2} << u"without CR"_s;
        QTest::newRow("letter in card") << QByteArray("8600000000000003") << QByteArray("860000000000000Z")
                                        << QList<qsizetype>{3, 4} << u"other than a digit"_s;
        QTest::newRow("comma amount") << QByteArray("0.75") << QByteArray("0,75") << QList<qsizetype>{3, 4}
                                      << u"plain form"_s;
        QTest::newRow("amount without hundredths") << QByteArray("1500000.00") << QByteArray("1500000")
                                                   << QList<qsizetype>{2, 4} << u"plain form"_s;
        QTest::newRow("amount with one decimal") << QByteArray("0.75") << QByteArray("1.5") << QList<qsizetype>{3, 4}
                                                 << u"plain form"_s;
        QTest::newRow("display amount") << QByteArray("1500000.00") << QByteArray("1 500 000.00")
                                        << QList<qsizetype>{2, 4} << u"plain form"_s;
        QTest::newRow("numbers out of order") << QByteArray("0000000004") << QByteArray("0000000002")
                                              << QList<qsizetype>{3, 4} << u"does not follow"_s;
        QTest::newRow("extra field") << QByteArray("0.75\t") << QByteArray("0.75\tx\t") << QList<qsizetype>{3, 4}
                                     << u"6 fields instead of 5"_s;
        QTest::newRow("bad month") << QByteArray("\t12\t2026") << QByteArray("\t13\t2026")
                                   << QList<qsizetype>{1, 4} << u"month"_s;
        QTest::newRow("no trailer") << QByteArray("T\t0000000005\t") << QByteArray("D\t0000000005\t")
                                    << QList<qsizetype>{4, 4, 4, 4} << u"no trailer"_s;
    }
    void reportsEachProblemWithItsLine()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QList<qsizetype>, lines);
        QFETCH(QString, text);
        QByteArray bytes = CleanFile();
        QVERIFY(bytes.contains(from));
        bytes.replace(from, to);
        const VerifyReport r = VerifyBankFile(bytes, PayrollFileRules());
        const QString all = FormatVerifyReport(r).join(u'\n');
        QVERIFY2(all.contains(text), qPrintable(all));
        QCOMPARE(ProblemLines(r), lines);
    }

    void judgesTheWholeFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem"); // empty: clean
        QTest::addColumn<QString>("summary");
        const QByteArray clean = CleanFile();
        QTest::newRow("header only") << clean.left(clean.indexOf('\n') + 1) << u"no trailer (T) line at the end"_s
                                     << u"Detail lines: 0"_s;
        // Every amount in range, their sum beyond it: written by payroll, so valid.
        SettingsRecord settings;
        settings.filialCode = u"00123"_s;
        settings.organisationCode = u"12345678"_s;
        const QList<PayrollRow> huge{{u"А"_s, u"1"_s, u"600000000000000.00"_s}, {u"Б"_s, u"2"_s, u"600000000000000.00"_s}};
        QTest::newRow("total beyond the range")
                << BuildPayrollFile(settings, {u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s}, huge,
                                    QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)))
                << QString() << u"Total: beyond the range of amounts"_s;
    }
    void judgesTheWholeFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QFETCH(QString, summary);
        const VerifyReport r = VerifyBankFile(bytes, PayrollFileRules());
        const QStringList out = FormatVerifyReport(r);
        QVERIFY2(out.contains(summary), qPrintable(out.join(u'\n')));
        if (problem.isEmpty()) {
            QVERIFY2(r.clean(), qPrintable(out.join(u'\n')));
        } else {
            QCOMPARE(r.problems.size(), 1);
            QCOMPARE(r.problems.first().text, problem);
        }
    }

    // Each problem has a code of its own, whatever its text.
    void codesEachProblem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("codes"); // "line code field"
        const QByteArray clean = CleanFile();
        const qsizetype headerEnd = clean.indexOf('\n') + 1;
        QByteArray moment = clean;
        moment.replace("08.12.2026 14:05:09", "08.12.2026T14:05:09");
        QTest::newRow("moment joined by T") << moment
                                            << QStringList{u"1 moment-format moment"_s, u"4 crc-mismatch crc"_s};
        moment = clean;
        moment.replace("08.12.2026 14:05:09", "08.12.2026\xA0" "14:05:09");
        QTest::newRow("moment joined by a no-break space")
                << moment << QStringList{u"1 moment-format moment"_s, u"4 crc-mismatch crc"_s};
        moment = clean;
        moment.replace("08.12.2026 14:05:09", "08.12.2026-14:05:09");
        QTest::newRow("moment joined by a dash") << moment
                                                 << QStringList{u"1 moment-format moment"_s, u"4 crc-mismatch crc"_s};
        moment = clean;
        moment.replace("08.12.2026 14:05:09", "08.12.2026 14.05.09");
        QTest::newRow("time with dots") << moment
                                        << QStringList{u"1 moment-format moment"_s, u"4 crc-mismatch crc"_s};
        QTest::newRow("header on line 2") << clean.left(headerEnd) + clean
                                          << QStringList{u"2 header-not-first line_type"_s,
                                                         u"5 crc-mismatch crc"_s};
        QTest::newRow("a trailer alone") << QByteArray("T\t0000000001\t00000000\t\r\n")
                                         << QStringList{u"1 no-header line_type"_s};
        QTest::newRow("a trailer alone, its CRC over itself")
                << QByteArray("T\t0000000001\t") + FormatCRC32(CalcStringCRC32("T\t0000000001\t")).toLatin1()
                           + "\t\r\n"
                << QStringList{u"1 no-header line_type"_s, u"1 crc-mismatch crc"_s};
        QByteArray card = clean;
        card.replace("8600000000000003", "860000000000000Z");
        QTest::newRow("card") << card << QStringList{u"3 card-not-digits card"_s, u"4 crc-mismatch crc"_s};
        QTest::newRow("empty") << QByteArray() << QStringList{u"0 empty-file file"_s};
    }
    void codesEachProblem()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, codes);
        const VerifyReport r = VerifyBankFile(bytes, PayrollFileRules());
        QStringList found;
        for (const VerifyProblem &p : r.problems)
            found << u"%1 %2 %3"_s.arg(p.line).arg(p.code, p.field);
        QCOMPARE(found, codes);
    }

    // Warnings name the file's lines and leave the file clean.
    void warnsApart()
    {
        SettingsRecord settings;
        settings.filialCode = u"00123"_s;
        settings.organisationCode = u"12345678"_s;
        const QList<PayrollRow> rows{{u"А"_s, u"4111111111111111"_s, u"1.00"_s},
                                     {u"Б"_s, u"4111111111111112"_s, u"0.00"_s}, // left out of the file
                                     {u"В"_s, u"4111111111111111"_s, u"2.00"_s},
                                     {u"Г"_s, u"411111111111111"_s, u"-3.00"_s}};
        const QByteArray bytes = BuildPayrollFile(settings, {u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s}, rows,
                                                  QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)));
        const VerifyReport r = VerifyBankFile(bytes, PayrollFileRules());
        QVERIFY(r.clean());
        QStringList found;
        for (const VerifyProblem &w : r.warnings)
            found << u"%1 %2 %3"_s.arg(w.line).arg(w.code, w.field);
        QCOMPARE(found, (QStringList{u"2 card-duplicate card"_s, u"3 card-duplicate card"_s, u"4 card-length card"_s,
                                     u"4 amount-negative amount"_s}));
        QVERIFY2(r.warnings[1].text.endsWith(u" 2"_s), qPrintable(r.warnings[1].text)); // names line 2
        const QStringList out = FormatVerifyReport(r);
        QVERIFY(out.contains(u"line 4: warning: "_s + r.warnings[2].text));
        QCOMPARE(out.last(), u"OK"_s);
        QCOMPARE(out[out.size() - 2], u"4 warning(s)"_s);
    }

    void choosesTheKind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("clean");
        QTest::newRow("by name") << u"ZPSV1"_s << QByteArray("x") << u"payroll register (ZPSV)"_s << false;
        QTest::newRow("by header") << u"upload.txt"_s << CleanFile() << u"payroll register (ZPSV)"_s << true;
        QTest::newRow("neither") << u"upload.txt"_s << QByteArray("H\t1\t\r\n") << u"unknown"_s << false;
        QTest::newRow("empty") << u"upload.txt"_s << QByteArray() << u"unknown"_s << false;
    }
    void choosesTheKind()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kind);
        QFETCH(bool, clean);
        const VerifyReport r = VerifyBankFile(name, bytes, {&PayrollFileRules()});
        QCOMPARE(r.kind, kind);
        QCOMPARE(r.clean(), clean);
    }

    void checksTheNameAgainstTheHeader()
    {
        const VerifyReport r = VerifyBankFile(u"ZPSV001231234567811202600007"_s, CleanFile(), {&PayrollFileRules()});
        QCOMPARE(ProblemLines(r), QList<qsizetype>{1});
        QVERIFY(r.problems.first().text.contains(u"ZPSV001231234567812202600007"_s));
    }
};

QTEST_GUILESS_MAIN(TestPayrollVerify)
#include "tst_payrollverify.moc"
