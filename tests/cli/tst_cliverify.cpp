#include "support/ClientSamples.h"
#include "support/CliRun.h"
#include "support/SettingsFolder.h"
#include "common/Cp1251.h"
#include "payroll/PayrollFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void WriteBytes(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Line 2 (row 0) fails its check digit; line 3 (row 1) is a good card.
const QString kRows = u"Петров\t8600123412341008\t1 000,00\r\n"
                      u"Сидоров\t4111111111111111\t0,75\r\n"_s;
const QStringList kHeader{u"--number"_s, u"7"_s, u"--date"_s, u"08.12.2026"_s, u"--month"_s, u"3"_s,
                          u"--year"_s, u"2026"_s};
const QString kPath = u"Кардолист/2026/ZPSV001231234567803202600007"_s;

QJsonObject ParsedObject(const QString &out)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(out.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        qWarning("not one JSON object: %s", qPrintable(out));
    return doc.object();
}

} // namespace

class TestCliVerify : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = EnterSettingsFolder({u"12345678"_s, u"ООО Тест"_s, u"00123"_s});
        QVERIFY(m_dir);
        WriteBytes(u"rows.txt"_s, Cp1251::encode(kRows));
    }
    void cleanup() { LeaveFolder(m_dir); }

    void payrollWarnsAndSaves_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("refusal"); // the end of standard error when refused
        QTest::newRow("warnings only") << QStringList() << 0 << QString();
        QTest::newRow("strict") << QStringList{u"--strict"_s} << 1
                                << u"Есть предупреждения (1), а задан --strict: файл не записан.\n"_s;
        QTest::newRow("expected total") << QStringList{u"--expect-total"_s, u"1000.75"_s} << 0 << QString();
        QTest::newRow("expected total, = and a comma") << QStringList{u"--expect-total=1 000,75"_s} << 0 << QString();
        QTest::newRow("another total") << QStringList{u"--expect-total"_s, u"1000.00"_s} << 1
                                       << u"Итог ведомости 1 000.75 не равен ожидаемому 1 000.00: файл не записан.\n"_s;
        QTest::newRow("another total, strict") << QStringList{u"--strict"_s, u"--expect-total"_s, u"1"_s} << 1
                                               << u"Итог ведомости 1 000.75 не равен ожидаемому 1.00: файл не записан.\n"_s;
    }
    void payrollWarnsAndSaves()
    {
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QString, refusal);
        const CliRun run = RunCli(QStringList{u"payroll"_s, u"rows.txt"_s} + options + kHeader);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.startsWith(u"warning: line 2: "_s), qPrintable(run.err));
        QCOMPARE(run.err.count(u"warning: "_s), 1);
        if (exitCode == 0) {
            QCOMPARE(run.out, kPath + u"\n"_s);
        } else {
            QVERIFY2(run.err.endsWith(refusal), qPrintable(run.err));
            QCOMPARE(run.out, QString());
            QVERIFY(!QFileInfo::exists(kPath));
        }
    }

    void payrollOptionsWithoutValue_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("no amount") << QStringList{u"--expect-total"_s};
        QTest::newRow("not an amount") << QStringList{u"--expect-total"_s, u"много"_s};
    }
    void payrollOptionsWithoutValue()
    {
        QFETCH(QStringList, options);
        const CliRun run = RunCli(QStringList{u"payroll"_s, u"rows.txt"_s} + kHeader + options);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith(u"kardolist-cli payroll: --expect-total"_s), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(kPath));
    }

    void clientsWarnAndSave()
    {
        // Expired on 14.03.2026; no place of birth, tax office, mobile number or issuing authority.
        WriteBytes(u"clients.txt"_s, Cp1251::encode(ClientLineFields(1).join(u'\t') + u"\r\n"_s));
        CliRun run = RunCli({u"clients"_s, u"clients.txt"_s, u"--strict"_s});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(u"warning: line 2: "_s), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(u"Клиенты"_s) || QDir(u"Клиенты"_s).isEmpty());

        run = RunCli({u"clients"_s, u"clients.txt"_s, u"--birth-place"_s, u"Ташкент"_s, u"--tax-office"_s, u"ГНИ"_s,
                      u"--mobile"_s, u"901234567"_s, u"--issued-by"_s, u"ОВД"_s});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err.count(u"warning: line 2: "_s), QDate::currentDate() > QDate(2026, 3, 14) ? 1 : 0);
        QVERIFY(run.out.startsWith(u"Клиенты/CLSV"_s));
    }

    void verifyReportsInJson()
    {
        QCOMPARE(RunCli(QStringList{u"payroll"_s, u"rows.txt"_s} + kHeader).exitCode, 0);

        CliRun run = RunCli({u"verify"_s, u"--json"_s, kPath});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        const QJsonObject json = ParsedObject(run.out);
        QCOMPARE(json.value(u"kind"_s).toString(), u"payroll"_s);
        QCOMPARE(json.value(u"file"_s).toString(), kPath);
        QCOMPARE(json.value(u"ok"_s).toBool(), true);
        QCOMPARE(json.value(u"rows"_s).toInt(), 2);
        QCOMPARE(json.value(u"total"_s).toString(), u"1000.75"_s);
        const QJsonObject crc = json.value(u"crc"_s).toObject();
        QCOMPARE(crc.value(u"stored"_s).toString().size(), 8);
        QCOMPARE(crc.value(u"stored"_s), crc.value(u"computed"_s));
        QCOMPARE(json.value(u"errors"_s).toArray(), QJsonArray());
        const QJsonArray warnings = json.value(u"warnings"_s).toArray();
        QCOMPARE(warnings.size(), 1);
        const QJsonObject w = warnings.first().toObject();
        QCOMPARE(w.value(u"line"_s).toInt(), 2);
        QCOMPARE(w.value(u"field"_s).toString(), u"card"_s);
        QCOMPARE(w.value(u"code"_s).toString(), u"card-check-digit"_s);
        QVERIFY(!w.value(u"message"_s).toString().isEmpty());

        // Warnings alone pass, unless --strict.
        run = RunCli({u"verify"_s, kPath});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.endsWith(u"\n1 warning(s)\nOK\n"_s), qPrintable(run.out));
        run = RunCli({u"verify"_s, u"--strict"_s, kPath});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.endsWith(u"\nRefused: warnings under --strict\n"_s), qPrintable(run.out));
        run = RunCli({u"verify"_s, u"--strict"_s, u"--json"_s, kPath});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(ParsedObject(run.out).value(u"ok"_s).toBool(), false);

        // Errors with their codes; their texts as the plain report gives them.
        QFile file(kPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        bytes.replace("1000.00", "1000,00");
        WriteBytes(kPath, bytes);
        run = RunCli({u"verify"_s, u"--json"_s, kPath});
        QCOMPARE(run.exitCode, 1);
        const QJsonObject broken = ParsedObject(run.out);
        QCOMPARE(broken.value(u"ok"_s).toBool(), false);
        QCOMPARE(broken.value(u"total"_s).toString(), u"0.75"_s);
        const QJsonArray errors = broken.value(u"errors"_s).toArray();
        QStringList found;
        for (const QJsonValue &e : errors) {
            const QJsonObject o = e.toObject();
            found << u"%1 %2 %3"_s.arg(o.value(u"line"_s).toInt()).arg(o.value(u"code"_s).toString(),
                                                                        o.value(u"field"_s).toString());
        }
        QCOMPARE(found, (QStringList{u"2 amount-format amount"_s, u"4 crc-mismatch crc"_s}));
        const CliRun plain = RunCli({u"verify"_s, kPath});
        QCOMPARE(plain.exitCode, 1);
        QVERIFY(plain.out.startsWith(u"line 2: "_s + errors.first().toObject().value(u"message"_s).toString()));
    }

    void verifyReportsAClientListInJson()
    {
        WriteBytes(u"clients.txt"_s, Cp1251::encode(ClientLineFields(1).join(u'\t') + u"\r\n"_s));
        const CliRun saved = RunCli({u"clients"_s, u"clients.txt"_s});
        QCOMPARE(saved.exitCode, 0);
        const QString path = saved.out.trimmed();
        const CliRun run = RunCli({u"verify"_s, u"--json"_s, path});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject json = ParsedObject(run.out);
        QCOMPARE(json.value(u"kind"_s).toString(), u"clients"_s);
        QCOMPARE(json.value(u"rows"_s).toInt(), 1);
        QVERIFY(!json.contains(u"total"_s));
        QStringList codes;
        for (const QJsonValue &w : json.value(u"warnings"_s).toArray())
            codes << w.toObject().value(u"field"_s).toString();
        QVERIFY2(codes.contains(u"place_of_birth"_s) && codes.contains(u"issued_by"_s), qPrintable(codes.join(u' ')));
    }

    void verifyUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown option") << QStringList{u"verify"_s, u"--yaml"_s, u"x"_s};
        QTest::newRow("two files") << QStringList{u"verify"_s, u"x"_s, u"y"_s};
        QTest::newRow("json alone") << QStringList{u"verify"_s, u"--json"_s};
    }
    void verifyUsage()
    {
        QFETCH(QStringList, args);
        const CliRun run = RunCli(args);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith(u"kardolist-cli verify: "_s), qPrintable(run.err));
    }

    // A file name with a line break is named on one line.
    void namesAPathOnOneLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("folder"); // made first
        QTest::addColumn<QString>("shown");
        QTest::newRow("missing file") << QStringList{u"verify"_s, u"two\nlines"_s} << QString() << u"two\\x0alines"_s;
        QTest::newRow("a folder") << QStringList{u"verify"_s, u"two\nlines"_s} << u"two\nlines"_s
                                  << u"two\\x0alines"_s;
        QTest::newRow("PDF into a missing folder")
            << QStringList{u"print"_s, u"rows.txt"_s, u"--pdf"_s, u"no\tsuch\n/out.pdf"_s} << QString()
            << u"no\\x09such\\x0a/out.pdf"_s;
    }
    void namesAPathOnOneLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, folder);
        QFETCH(QString, shown);
        if (!folder.isEmpty())
            QVERIFY(QDir().mkdir(folder));
        if (args.first() == u"print"_s) {
            QCOMPARE(RunCli(QStringList{u"payroll"_s, u"rows.txt"_s} + kHeader).exitCode, 0);
            args[1] = kPath;
        }
        const CliRun run = RunCli(args);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.count(u'\n'), 1);
        QVERIFY2(run.err.contains(shown), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestCliVerify)
#include "tst_cliverify.moc"
