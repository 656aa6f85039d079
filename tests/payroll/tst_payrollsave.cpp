#include "support/SettingsFolder.h"
#include "common/BankFileReader.h"
#include "common/Clock.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollSave.h"
#include "payroll/PayrollTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(PayrollField)

namespace {

const PayrollHeader kHeader{u"    7"_s, u"08.12.2026"_s, 11, u"2026"_s};
const QString kPath = u"Кардолист/2026/ZPSV001231234567812202600007"_s;
const QList<PayrollRow> kRows{{u"Анна"_s, u"8600"_s, u"1 500.00"_s}, {u"Борис"_s, u"8601"_s, u"0.75"_s}};

} // namespace

class TestSavePayroll : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = EnterSettingsFolder();
        QVERIFY(m_dir);
    }
    void cleanup()
    {
        LeaveFolder(m_dir);
    }

    // A register the reader would refuse as too large is never written.
    void sizeLimit_data()
    {
        QTest::addColumn<qint64>("beyond");
        QTest::newRow("at the limit") << qint64(0);
        QTest::newRow("one byte over") << qint64(1);
    }
    void sizeLimit()
    {
        QFETCH(qint64, beyond);
        QList<PayrollRow> rows{{u"А"_s, u"1"_s, u"1.00"_s}};
        const qint64 base = PayrollFileSize(ReadSettingsRecord(), {u"00007"_s, kHeader.date, 11, u"2026"_s}, rows);
        rows[0].name = QString(BankFileReader::kMaxFileSize - base + 1 + beyond, u'Я');
        PayrollSaveRequest request{kHeader, rows, QString()};
        const PayrollSaveOutcome outcome = SavePayroll(request, FixedClock(QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))));
        QCOMPARE(outcome.kind, beyond ? PayrollSaveOutcome::Kind::StoppedByCheck : PayrollSaveOutcome::Kind::Saved);
        QCOMPARE(QFile::exists(kPath), !beyond);
        if (beyond)
            QVERIFY2(outcome.message.contains(u"не больше 64 МБ"_s), qPrintable(outcome.message));
        else
            QCOMPARE(ReadPayrollFile(ReadBankFileBytes(kPath)).rows.name(0).size(), rows[0].name.size());
    }

    // The checks in the order the user meets them, each naming its field
    // and, in the grid, the row.
    void stopsAtTheFirstCheck_data()
    {
        QTest::addColumn<QList<PayrollRow>>("rows");
        QTest::addColumn<PayrollHeader>("header");
        QTest::addColumn<QString>("message");
        QTest::addColumn<PayrollField>("field");
        QTest::addColumn<int>("row");
        PayrollHeader noNumber = kHeader;
        noNumber.registerNumber = u"     "_s;
        PayrollHeader noDate = kHeader;
        noDate.date.clear();
        PayrollHeader noMonth = kHeader;
        noMonth.monthIndex = -1;
        PayrollHeader shortYear = kHeader;
        shortYear.year = u"20 6"_s;
        const QList<PayrollRow> badCard{kRows[0], kRows[1], {u"Анна"_s, u"86 0"_s, u"1.00"_s}};
        const QList<PayrollRow> noCard{kRows[0], {u"Анна"_s, QString(), u"1.00"_s}};
        const QList<PayrollRow> noName{{QString(), QString(), u"1.00"_s}};
        QTest::newRow("card missing before header")
                << noCard << noNumber << TableNotFilledMessage() << PayrollField::Card << 1;
        QTest::newRow("name and card missing") << noName << kHeader << TableNotFilledMessage() << PayrollField::Name << 0;
        QTest::newRow("number before cards")
                << badCard << noNumber << HeaderIncompleteMessage() << PayrollField::RegisterNumber << -1;
        QTest::newRow("date") << kRows << noDate << HeaderIncompleteMessage() << PayrollField::Date << -1;
        QTest::newRow("month") << kRows << noMonth << HeaderIncompleteMessage() << PayrollField::Month << -1;
        QTest::newRow("year") << kRows << shortYear << HeaderIncompleteMessage() << PayrollField::Year << -1;
        QTest::newRow("card with a blank") << badCard << kHeader << BadDataMessage() << PayrollField::Card << 2;
    }
    void stopsAtTheFirstCheck()
    {
        QFETCH(QList<PayrollRow>, rows);
        QFETCH(PayrollHeader, header);
        QFETCH(QString, message);
        QFETCH(PayrollField, field);
        QFETCH(int, row);
        PayrollSaveRequest request{header, rows, QString()};
        const PayrollSaveOutcome outcome = SavePayroll(request, m_clock);
        QCOMPARE(outcome.kind, PayrollSaveOutcome::Kind::StoppedByCheck);
        QCOMPARE(outcome.message, message);
        QCOMPARE(outcome.field, field);
        QCOMPARE(outcome.row, row);
        QVERIFY(!QFileInfo::exists(u"Кардолист"_s));
    }

    // Bank codes that cannot name a file stop the save as a missing
    // "settings.ini" would, before any folder is made.
    void refusesMissingBankCodes_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("message");
        SettingsRecord noClient = SampleSettings();
        noClient.organisationCode.clear();
        SettingsRecord slash = SampleSettings();
        slash.filialCode = u"1/../"_s;
        QTest::newRow("empty file") << QByteArray() << NoBankCodesMessage();
        QTest::newRow("50 bytes") << QByteArray(50, 'x') << NoBankCodesMessage();
        QTest::newRow("codes empty") << SettingsRecord{}.toBytes() << NoBankCodesMessage();
        QTest::newRow("client code empty") << noClient.toBytes() << NoBankCodesMessage();
        QTest::newRow("slash in branch") << slash.toBytes() << u"Код филиала"_s;
    }
    void refusesMissingBankCodes()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, message);
        QFile file(SettingsFileName());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(settings), settings.size());
        file.close();
        PayrollSaveRequest request{kHeader, kRows, QString()};
        const PayrollSaveOutcome outcome = SavePayroll(request, m_clock);
        QCOMPARE(outcome.kind, PayrollSaveOutcome::Kind::StoppedByCheck);
        QVERIFY2(outcome.message.startsWith(message), qPrintable(outcome.message));
        QCOMPARE(outcome.field, PayrollField::BankCodes);
        QVERIFY(!QFileInfo::exists(u"Кардолист"_s));
    }

    // The question comes only for the register last opened; its answer decides.
    void asksBeforeOverwritingTheOpenedRegister_data()
    {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("written");
        const QString same = QString(33, u'x') + u"00123\t12345678\t08.12.2026\t12\t2026\t00007\t"_s;
        const QString other = QString(33, u'x') + u"00123\t12345678\t08.12.2026\t11\t2026\t00007\t"_s;
        QTest::newRow("nothing opened") << QString() << false << 0 << true;
        QTest::newRow("another register") << other << false << 0 << true;
        QTest::newRow("same, yes") << same << true << 1 << true;
        QTest::newRow("same, no") << same << false << 1 << false;
    }
    void asksBeforeOverwritingTheOpenedRegister()
    {
        QFETCH(QString, opened);
        QFETCH(bool, answer);
        QFETCH(int, asked);
        QFETCH(bool, written);
        int questions = 0;
        PayrollSaveRequest request{kHeader, kRows, opened};
        const PayrollSaveOutcome outcome = SavePayroll(request, m_clock, [&] {
            ++questions;
            return answer;
        });
        QCOMPARE(questions, asked);
        QCOMPARE(outcome.kind, written ? PayrollSaveOutcome::Kind::Saved : PayrollSaveOutcome::Kind::Cancelled);
        QCOMPARE(QFileInfo::exists(kPath), written);
        if (written)
            QCOMPARE(outcome.path, kPath);
        QCOMPARE(request.header.registerNumber, u"00007"_s);
    }

    // Tab from the last amount leaves an empty row: not a row of the register.
    // A row that is only partly empty is still refused, wherever it stands.
    void emptyRowsAtTheEnd_data()
    {
        QTest::addColumn<QList<PayrollRow>>("rows");
        QTest::addColumn<int>("refusedRow"); // -1: saved with kRows' two lines
        QTest::addColumn<PayrollField>("field");
        const PayrollRow blank{QString(), QString(), u"0.00"_s};
        QTest::newRow("last row empty") << (kRows + QList<PayrollRow>{blank}) << -1 << PayrollField::Rows;
        QTest::newRow("two empty, amount unformatted")
                << (kRows + QList<PayrollRow>{blank, {QString(), QString(), QString()}}) << -1 << PayrollField::Rows;
        QTest::newRow("amount only") << (kRows + QList<PayrollRow>{{QString(), QString(), u"5.00"_s}}) << 2
                                     << PayrollField::Name;
        QTest::newRow("name without card") << (kRows + QList<PayrollRow>{{u"Вера"_s, QString(), u"0.00"_s}}) << 2
                                           << PayrollField::Card;
        QTest::newRow("card without name") << (kRows + QList<PayrollRow>{{QString(), u"8602"_s, u"0.00"_s}}) << 2
                                           << PayrollField::Name;
        QTest::newRow("empty row between") << QList<PayrollRow>{kRows[0], blank, kRows[1]} << 1 << PayrollField::Name;
        QTest::newRow("the only row") << QList<PayrollRow>{blank} << 0 << PayrollField::Name;
    }
    void emptyRowsAtTheEnd()
    {
        QFETCH(QList<PayrollRow>, rows);
        QFETCH(int, refusedRow);
        QFETCH(PayrollField, field);
        PayrollSaveRequest request{kHeader, rows, QString()};
        const PayrollSaveOutcome outcome = SavePayroll(request, m_clock);
        if (refusedRow >= 0) {
            QCOMPARE(outcome.kind, PayrollSaveOutcome::Kind::StoppedByCheck);
            QCOMPARE(outcome.message, TableNotFilledMessage());
            QCOMPARE(outcome.field, field);
            QCOMPARE(outcome.row, refusedRow);
            return;
        }
        QCOMPARE(outcome.kind, PayrollSaveOutcome::Kind::Saved);
        QFile file(kPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 5); // H, two D, T and the empty rest after the last line end
        QVERIFY(lines[3].startsWith("T\t0000000004\t"));
        QCOMPARE(ReadPayrollFile(ReadBankFileBytes(kPath)).rows.size(), 2);
    }

    // A failed write is an outcome, not a success.
    void reportsAFailedWrite_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("year folder is a file") << false;
        QTest::newRow("target is a folder") << true;
    }
    void reportsAFailedWrite()
    {
        QFETCH(bool, existing);
        if (existing) {
            QVERIFY(QDir().mkpath(kPath));
        } else {
            QVERIFY(QDir().mkpath(u"Кардолист"_s));
            QFile year(u"Кардолист/2026"_s);
            QVERIFY(year.open(QIODevice::WriteOnly));
        }
        PayrollSaveRequest request{kHeader, kRows, QString()};
        const PayrollSaveOutcome outcome = SavePayroll(request, m_clock);
        QCOMPARE(outcome.kind, PayrollSaveOutcome::Kind::WriteFailed);
        QCOMPARE(outcome.replacing, existing);
        if (existing)
            QCOMPARE(outcome.message, CannotReplaceMessage() + u" Это папка"_s);
        else
            QCOMPARE(outcome.message, u"Не могу создать папку \"Кардолист/2026\". Файл уже существует"_s);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))};
};

QTEST_GUILESS_MAIN(TestSavePayroll)
#include "tst_payrollsave.moc"
