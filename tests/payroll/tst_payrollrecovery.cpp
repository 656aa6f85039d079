#include "payroll/PayrollRecovery.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A text of these UTF-16 units, unpaired surrogates too.
QString Units(std::initializer_list<char16_t> units)
{
    return QString(reinterpret_cast<const QChar *>(units.begin()), qsizetype(units.size()));
}

const QDateTime kTaken(QDate(2026, 12, 8), QTime(14, 5, 9));

PayrollRows NumberedRows(int count)
{
    PayrollRows rows;
    for (int i = 0; i < count; ++i)
        rows.append(u"Иванов Иван %1"_s.arg(i), u"8600123400%1"_s.arg(i, 6, 10, QLatin1Char('0')),
                    u"1 %1.50"_s.arg(i % 1000, 3, 10, QLatin1Char('0')));
    return rows;
}

PayrollRecovery Opened()
{
    return {{u"00007"_s, u"08.12.2026"_s, 11, u"2026"_s},
            {{u"Петров Пётр"_s, u"8600123412345678"_s, u"1 234.50"_s}, {u""_s, u""_s, u""_s}},
            u"Кардолист/2026/ZPSV0012312345678122026 00007"_s,
            u"H\t0000000001\t00123\t12345678\t08.12.2026\t12\t2026\t00007\t"_s,
            kTaken};
}

} // namespace

Q_DECLARE_METATYPE(PayrollRecovery)

class TestPayrollRecovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
        m_work.emplace();
    }

    void roundTrip_data()
    {
        QTest::addColumn<PayrollRecovery>("copy");
        QTest::newRow("blank register") << PayrollRecovery{{}, {}, {}, {}, kTaken};
        QTest::newRow("opened from a file") << Opened();
        PayrollRecovery odd = Opened();
        odd.header = {u"  7"_s, u"  .  .    "_s, 0, u"    "_s};
        odd.rows = {{u"tab\there\r\n"_s, Units({0xD800}), u"-0.01"_s}, {u"Ёжик 😀"_s, u"&"_s, u"x"_s}};
        QTest::newRow("odd texts") << odd;
        PayrollRecovery many = Opened();
        many.rows = NumberedRows(1000); // across many blocks
        QTest::newRow("many rows") << many;
    }
    void roundTrip()
    {
        QFETCH(PayrollRecovery, copy);
        QCOMPARE(DecodeRecovery<PayrollRecovery>(EncodeRecovery(copy)), copy);

        const RecoveryStore store = RecoveryStoreFor<PayrollRecovery>(m_work->path());
        QVERIFY(WriteRecovery<PayrollRecovery>(store, copy));
        const RecoveryRead<PayrollRecovery> read = ReadRecovery<PayrollRecovery>(store);
        QVERIFY(read.note.isEmpty());
        QVERIFY(read.copy.has_value());
        const PayrollRecovery &back = *read.copy;
        QCOMPARE(back.header, copy.header);
        QCOMPARE(back.rows, copy.rows);
        QCOMPARE(back.openedFile, copy.openedFile);
        QCOMPARE(back.openedHeaderLine, copy.openedHeaderLine);
        QCOMPARE(back.takenAt, copy.takenAt);
    }

    void workingFoldersNeverMeet()
    {
        QTemporaryDir other;
        PayrollRecovery first = Opened();
        PayrollRecovery second = Opened();
        second.header.registerNumber = u"00008"_s;
        QVERIFY(WriteRecovery<PayrollRecovery>(RecoveryStoreFor<PayrollRecovery>(m_work->path()), first));
        QVERIFY(!ReadRecovery<PayrollRecovery>(RecoveryStoreFor<PayrollRecovery>(other.path())).copy);
        QVERIFY(WriteRecovery<PayrollRecovery>(RecoveryStoreFor<PayrollRecovery>(other.path()), second));
        QCOMPARE(ReadRecovery<PayrollRecovery>(RecoveryStoreFor<PayrollRecovery>(m_work->path())).copy, first);
        QCOMPARE(ReadRecovery<PayrollRecovery>(RecoveryStoreFor<PayrollRecovery>(other.path())).copy, second);
    }

    // Bytes the store keeps whole but that are no register copy of this
    // format: nothing restored, the copy set aside and told.
    void foreignBodyIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("body");
        const QByteArray good = EncodeRecovery(Opened());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other format") << QByteArray(1, '\x02') + good.mid(1);
        QTest::newRow("rows cut") << good.left(good.size() - 3);
        QTest::newRow("bytes after the rows") << good + '\0';
        PayrollRecovery month = Opened();
        month.header.monthIndex = 12;
        QTest::newRow("month out of range") << EncodeRecovery(month);
    }
    void foreignBodyIsSetAside()
    {
        QFETCH(QByteArray, body);
        QVERIFY(!DecodeRecovery<PayrollRecovery>(body));
        const RecoveryStore store = RecoveryStoreFor<PayrollRecovery>(m_work->path());
        QVERIFY(store.write(body));
        const RecoveryRead<PayrollRecovery> read = ReadRecovery<PayrollRecovery>(store);
        QVERIFY(!read.copy);
        QVERIFY(read.note.startsWith(u"Копия несохранённых данных не читается"_s));
        QVERIFY(!store.exists());
        QCOMPARE(QDir(QFileInfo(store.path()).path()).entryList(QDir::Files).size(), 1);
    }

    void truncatedCopyIsSetAside()
    {
        const RecoveryStore store = RecoveryStoreFor<PayrollRecovery>(m_work->path());
        PayrollRecovery copy = Opened();
        copy.rows = NumberedRows(100);
        QVERIFY(WriteRecovery<PayrollRecovery>(store, copy));
        QVERIFY(QFile::resize(store.path(), QFileInfo(store.path()).size() / 2));
        const RecoveryRead<PayrollRecovery> read = ReadRecovery<PayrollRecovery>(store);
        QVERIFY(!read.copy);
        QVERIFY(!read.note.isEmpty());
        QVERIFY(!store.exists());
        QVERIFY(!ReadRecovery<PayrollRecovery>(store).copy);
        QVERIFY(ReadRecovery<PayrollRecovery>(store).note.isEmpty()); // told once
    }

    void question_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("expected");
        const QString start = u"Найдены несохранённые данные от 08.12.2026 14:05 ("_s;
        QTest::newRow("one") << u"00007"_s << 1 << start + u"ведомость № 00007, 1 строка). Восстановить?"_s;
        QTest::newRow("few") << u"00007"_s << 3 << start + u"ведомость № 00007, 3 строки). Восстановить?"_s;
        QTest::newRow("many") << u"12345"_s << 5 << start + u"ведомость № 12345, 5 строк). Восстановить?"_s;
        QTest::newRow("teens") << u"1"_s << 12 << start + u"ведомость № 1, 12 строк). Восстановить?"_s;
        QTest::newRow("twenty one") << u"1"_s << 21 << start + u"ведомость № 1, 21 строка). Восстановить?"_s;
        QTest::newRow("none") << u"1"_s << 0 << start + u"ведомость № 1, 0 строк). Восстановить?"_s;
        QTest::newRow("no number") << u"     "_s << 2 << start + u"ведомость без номера, 2 строки). Восстановить?"_s;
    }
    void question()
    {
        QFETCH(QString, number);
        QFETCH(int, rows);
        QFETCH(QString, expected);
        PayrollRecovery copy = Opened();
        copy.header.registerNumber = number;
        copy.rows = NumberedRows(rows);
        QCOMPARE(PayrollRecoveryQuestion(copy), expected);
    }

private:
    std::optional<QTemporaryDir> m_work;
};

QTEST_GUILESS_MAIN(TestPayrollRecovery)
#include "tst_payrollrecovery.moc"
