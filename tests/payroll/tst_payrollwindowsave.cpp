#include "support/SettingsFolder.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowDriver.h"
#include "common/Clock.h"
#include "common/Cp1251.h"
#include "common/Crc32Calculator.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollHeaderPanel.h"
#include "payroll/ui/PayrollWindow.h"
#include "settings/SettingsRecord.h"
#include "support/FileBytes.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QComboBox>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

using Kind = ScriptedDialogs::Kind;
using Answer = Dialogs::Answer;
Q_DECLARE_METATYPE(Dialogs::Answer)
Q_DECLARE_METATYPE(PayrollHeader)
Q_DECLARE_METATYPE(ScriptedDialogs::Kind)

namespace {

const QDateTime kMoment(QDate(2026, 12, 8), QTime(14, 5, 9));
const QString kPath = u"Кардолист/2026/ZPSV001231234567812202600007"_s;
const PayrollHeader kHeader{u"7"_s, u"08.12.2026"_s, 11, u"2026"_s};

QList<PayrollRow> threeRows()
{
    return {{u"Иванов Иван Иванович"_s, u"8600123412341234"_s, u"1 500 000.00"_s},
            {u"Петров Пётр"_s, u"8600000000000002"_s, u"0"_s},
            {u"Сёмина Анна"_s, u"8600000000000003"_s, u".75"_s}};
}

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

// Makes every write beyond a few bytes fail, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

} // namespace

class TestPayrollSave : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void goldenBytes();
    void refusedSave_data();
    void refusedSave();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void failedWrite_data();
    void failedWrite();
    void failureReasons_data();
    void failureReasons();

private:
    void save() { m_driver.trigger(u"saveAction"_s); }
    PayrollHeaderPanel *panel() const { return m_driver.child<PayrollHeaderPanel>(u"headerGroup"_s); }
    // In and out of the grid: a change that leaves every text as it was.
    // A change that leaves the register as it was: another month and back.
    void touch() const
    {
        auto *months = m_driver.child<QComboBox>(u"months"_s);
        const int month = months->currentIndex();
        months->setCurrentIndex((month + 1) % 12);
        months->setCurrentIndex(month);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{kMoment};
    std::unique_ptr<PayrollWindow> m_form;
    WindowDriver m_driver;
};

void TestPayrollSave::init()
{
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    m_dialogs = ScriptedDialogs();
    m_form = std::make_unique<PayrollWindow>(m_dialogs, m_clock);
    m_driver.setWindow(m_form.get());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    panel()->setHeader(kHeader);
    m_form->model()->setRows(threeRows());
    m_form->model()->formatAmounts();
    QVERIFY(m_form->isModified());
}

void TestPayrollSave::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

void TestPayrollSave::goldenBytes()
{
    save();
    const QByteArray bytes = FileBytes(kPath);

    const QByteArray body = Cp1251::encode(
            u"H\t0000000001\t08.12.2026 14:05:09\t00123\t12345678\t08.12.2026\t12\t2026\t00007\t\r\n"
            u"D\t0000000002\tИванов Иван Иванович\t8600123412341234\t1500000.00\t\r\n"
            u"D\t0000000004\tСёмина Анна\t8600000000000003\t0.75\t\r\n"_s);
    QVERIFY(bytes.startsWith(body));
    QVERIFY(body.contains("\xD1\xB8\xEC\xE8\xED\xE0")); // "Сёмина" in Windows-1251

    // The trailer's CRC covers the header and detail lines without their line ends.
    QByteArray crcInput = body;
    crcInput.replace("\r\n", "");
    QCOMPARE(bytes.mid(body.size()), "T\t0000000005\t" + FormatCRC32(CalcStringCRC32(crcInput)).toLatin1() + "\t\r\n");

    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].kind, Kind::Information);
    QCOMPARE(m_dialogs.shown[0].text, u"Файл успешно сохранён как "_s + QDir::currentPath() + u'/' + kPath);
    // One kind of separator: the platform's, as after opening the same file.
    const QString caption = m_form->windowTitle();
    QCOMPARE(caption, u"Кардолист - "_s + QDir::toNativeSeparators(QDir::current().absoluteFilePath(kPath)));
    QVERIFY(!m_form->isModified());
    QCOMPARE(m_form->model()->cell(0, PayrollModel::AmountColumn), u"1 500 000.00"_s);
    QCOMPARE(panel()->header().registerNumber, u"00007"_s);
    m_form->loadPayrollFile(QDir::current().absoluteFilePath(kPath));
    QCOMPARE(m_form->windowTitle(), caption);
}

void TestPayrollSave::refusedSave_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("cellText");
    QTest::addColumn<PayrollHeader>("header");
    QTest::addColumn<QString>("message");
    const QString notFilled =
            u"Таблица не заполнена! Заполните поля в таблице, затем повторно нажмите \"Сохранить\""_s;
    const QString incomplete = u"Заполните все поля данных ведомостей!"_s;
    QTest::newRow("row without card") << 2 << 2 << QString() << kHeader << notFilled;
    QTest::newRow("no register number") << 0 << 0 << QString() << PayrollHeader{u""_s, u"08.12.2026"_s, 11, u"2026"_s}
                                        << incomplete;
    QTest::newRow("year unfilled") << 0 << 0 << QString() << PayrollHeader{u"7"_s, u"08.12.2026"_s, 11, u"20"_s}
                                   << incomplete;
    QTest::newRow("no month") << 0 << 0 << QString() << PayrollHeader{u"7"_s, u"08.12.2026"_s, -1, u"2026"_s}
                              << incomplete;
    QTest::newRow("card with a blank") << 1 << 2 << u"8600 1234"_s << kHeader << u"Введены неверные данные!"_s;
    QTest::newRow("amount not a number") << 1 << 3 << u"12x"_s << kHeader
                                         << u"'12x' is not a valid floating point value."_s;
}

void TestPayrollSave::refusedSave()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, cellText);
    QFETCH(PayrollHeader, header);
    QFETCH(QString, message);
    if (row > 0)
        m_form->model()->setCell(row - 1, col, cellText);
    panel()->setHeader(header);
    save();
    QCOMPARE(m_dialogs.texts(), QStringList{message});
    QVERIFY(filesUnder(u"."_s).filter(u"ZPSV"_s).isEmpty());
    QVERIFY(m_form->isModified());
    QCOMPARE(m_form->windowTitle(), u"Кардолист"_s);
}

void TestPayrollSave::overwriteQuestion_data()
{
    QTest::addColumn<QString>("newDate");
    QTest::addColumn<Answer>("answer"); // Ok: no question expected
    QTest::addColumn<bool>("replaced");
    QTest::newRow("yes") << QString() << Answer::Yes << true;
    QTest::newRow("no") << QString() << Answer::No << false;
    QTest::newRow("other date: no question") << u"09.12.2026"_s << Answer::Ok << true;
}

void TestPayrollSave::overwriteQuestion()
{
    QFETCH(QString, newDate);
    QFETCH(Answer, answer);
    QFETCH(bool, replaced);
    // Saving again without a file opened replaces it silently.
    save();
    save();
    QCOMPARE(m_dialogs.shown.size(), 2);
    const QByteArray first = FileBytes(kPath);
    m_dialogs.setNextFileName(QDir::current().absoluteFilePath(kPath));
    m_driver.trigger(u"openAction"_s);

    m_form->model()->setCell(0, PayrollModel::AmountColumn, u"99"_s);
    if (!newDate.isEmpty())
        panel()->setHeader({u"00007"_s, newDate, 11, u"2026"_s});
    m_dialogs.clear();
    if (answer != Answer::Ok)
        m_dialogs.setNextAnswer(answer);
    save();
    if (answer != Answer::Ok) {
        QCOMPARE(m_dialogs.shown[0].kind, Kind::Question);
        QCOMPARE(m_dialogs.shown[0].caption, u"Сохранение файла"_s);
        QCOMPARE(m_dialogs.shown[0].text, u"Вы действительно хотите перезаписать данный файл?"_s);
        QCOMPARE(m_dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
    }
    QCOMPARE(m_dialogs.shown.size(), answer == Answer::No ? 1 : answer == Answer::Ok ? 1 : 2);
    QCOMPARE(FileBytes(kPath) != first, replaced);
}

void TestPayrollSave::failedWrite_data()
{
    QTest::addColumn<bool>("fileExisted");
    QTest::newRow("replacing a file") << true;
    QTest::newRow("creating a file") << false;
}

void TestPayrollSave::failedWrite()
{
    QFETCH(bool, fileExisted);
    if (fileExisted) {
        m_form->model()->setRows({{u"А"_s, u"1"_s, u"1"_s}});
        save();
        m_dialogs.clear();
        m_form->model()->setRows(threeRows());
        m_form->model()->formatAmounts();
        touch();
    }
    const QByteArray old = FileBytes(kPath);
    QCOMPARE(old.isEmpty(), !fileExisted);
    m_form->setWindowTitle(u"Кардолист"_s);
    QVERIFY(m_form->isModified());
    {
        FileSizeLimit limit(old.size() + 10);
        save();
        // The close question keeps the window open after such a save.
        m_dialogs.setNextAnswer(Answer::Yes);
        QVERIFY(!m_form->close());
    }
    QCOMPARE(m_dialogs.shown.size(), 3);
    if (fileExisted) {
        QCOMPARE(m_dialogs.shown[0].kind, Kind::Information);
        // The text, and the system's reason as a first-time save gives it.
        QCOMPARE(m_dialogs.shown[0].text,
                 u"Не смог перезаписать файл. Может быть файл занят другим приложением. "
                 u"Закройте все приложения, использующие этот файл и повторите процедуру! Файл слишком велик"_s);
    } else {
        QCOMPARE(m_dialogs.shown[0].kind, Kind::Error);
        QVERIFY2(m_dialogs.shown[0].text.startsWith(u"Cannot create file \""_s + kPath + u"\". "_s),
                 qPrintable(m_dialogs.shown[0].text));
    }
    QCOMPARE(FileBytes(kPath), old);
    QCOMPARE(filesUnder(u"Кардолист"_s), fileExisted ? QStringList{u"Кардолист/2026/ZPSV001231234567812202600007"_s}
                                                      : QStringList());
    QCOMPARE(m_form->windowTitle(), u"Кардолист"_s);
    QVERIFY(m_form->isModified());
    QCOMPARE(m_form->model()->cell(0, PayrollModel::AmountColumn), u"1 500 000.00"_s);
}

void TestPayrollSave::failureReasons_data()
{
    QTest::addColumn<QString>("folders"); // made first
    QTest::addColumn<QString>("file");    // then a regular file here
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("text");
    const QString cannotReplace = u"Не смог перезаписать файл. Может быть файл занят другим приложением. "
                                  u"Закройте все приложения, использующие этот файл и повторите процедуру! "_s;
    QTest::newRow("save folder is a file") << QString() << u"Кардолист"_s << Kind::Error
                                           << u"Не могу создать папку \"Кардолист\". Файл уже существует."_s;
    QTest::newRow("year folder is a file") << u"Кардолист"_s << u"Кардолист/2026"_s << Kind::Error
                                           << u"Не могу создать папку \"Кардолист/2026\". Файл уже существует."_s;
    QTest::newRow("register is a folder") << kPath << QString() << Kind::Information
                                          << cannotReplace + u"Это папка"_s;
}

void TestPayrollSave::failureReasons()
{
    QFETCH(QString, folders);
    QFETCH(QString, file);
    QFETCH(Kind, kind);
    QFETCH(QString, text);
    if (!folders.isEmpty())
        QVERIFY(QDir().mkpath(folders));
    if (!file.isEmpty()) {
        QFile blocker(file);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    save();
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].kind, kind);
    QCOMPARE(m_dialogs.shown[0].text, text);
    QVERIFY(m_form->isModified());
}

QTEST_MAIN(TestPayrollSave)
#include "tst_payrollwindowsave.moc"
