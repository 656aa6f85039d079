#include "app/StartupOptions.h"
#include "app/Translations.h"
#include "common/Money.h"
#include "common/UserError.h"
#include "support/UserErrorText.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

QString Canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QTemporaryDir m_dir;
    QString m_oldDir;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void parse_data();
    void parse();
    void documentsPlaceholder_data();
    void documentsPlaceholder();
    void enterWorkDir_data();
    void enterWorkDir();

    void messageBoxButtons_data();
    void messageBoxButtons();
    void fileDialog();
    void printDialogTitles();
    void calendar();
    void amountsKeepTheirFormat_data();
    void amountsKeepTheirFormat();
};

void TestStartup::initTestCase()
{
    // The documents folder is looked up below a home of our own.
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(u".config"_s)));
    // That home is the one to read, not the test folders that tests write to.
    QStandardPaths::setTestModeEnabled(false);
    // The process runs under LC_ALL=C.UTF-8: the dialogs must not care.
    QVERIFY2(InstallRussianDialogs(*qApp), "Qt's Russian translation (qt6-translations-l10n) is missing");
}

void TestStartup::init()
{
    m_dir = QTemporaryDir();
    QVERIFY(m_dir.isValid());
    m_oldDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QFile::remove(m_home.filePath(u".config/user-dirs.dirs"_s));
}

void TestStartup::cleanup()
{
    QDir::setCurrent(m_oldDir);
}

void TestStartup::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("workDir");
    QTest::addColumn<bool>("refused");

    const QString dir = u"/srv/Мои документы/Кардолист"_s;
    QTest::newRow("none") << QStringList{} << QString() << false;
    QTest::newRow("separate value") << QStringList{u"--workdir"_s, dir} << dir << false;
    QTest::newRow("joined value") << QStringList{u"--workdir="_s + dir} << dir << false;
    QTest::newRow("last one counts") << QStringList{u"--workdir"_s, u"a"_s, u"--workdir=b"_s} << u"b"_s << false;
    QTest::newRow("value missing") << QStringList{u"--workdir"_s} << QString() << true;
    QTest::newRow("empty separate value") << QStringList{u"--workdir"_s, QString()} << QString() << true;
    QTest::newRow("empty joined value") << QStringList{u"--workdir="_s} << QString() << true;
    QTest::newRow("misspelt option") << QStringList{u"--work-dir"_s, dir} << QString() << true;
    QTest::newRow("stray file name") << QStringList{u"ZPSV0001"_s} << QString() << true;
}

void TestStartup::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, workDir);
    QFETCH(bool, refused);

    arguments.prepend(u"kardolist"_s);
    StartupOptions options;
    const QString error = UserErrorText([&] { options = ParseStartupOptions(arguments); });
    QVERIFY2(error.isEmpty() != refused, refused ? "accepted" : qPrintable(error));
    if (refused)
        QVERIFY(error.contains(u"--workdir"_s) || error.contains(arguments.last()));
    else
        QCOMPARE(options.workDir, workDir);
}

void TestStartup::documentsPlaceholder_data()
{
    QTest::addColumn<QByteArray>("userDirs");
    QTest::addColumn<QString>("workDir");
    QTest::addColumn<QString>("expected"); // below the home folder, or as given when it starts with "!"

    const QByteArray russian = "XDG_DOCUMENTS_DIR=\"$HOME/Документы\"\n";
    QTest::newRow("user-dirs names the folder") << russian << u"@DOCUMENTS/Кардолист"_s << u"Документы/Кардолист"_s;
    QTest::newRow("no user-dirs: ~/Documents") << QByteArray() << u"@DOCUMENTS/Кардолист"_s << u"Documents/Кардолист"_s;
    QTest::newRow("placeholder alone") << russian << u"@DOCUMENTS"_s << u"Документы"_s;
    QTest::newRow("longer word is a name") << russian << u"@DOCUMENTSX/a"_s << u"!@DOCUMENTSX/a"_s;
    QTest::newRow("not at the start") << russian << u"a/@DOCUMENTS"_s << u"!a/@DOCUMENTS"_s;
    QTest::newRow("plain folder") << russian << u"Кардолист"_s << u"!Кардолист"_s;
}

void TestStartup::documentsPlaceholder()
{
    QFETCH(QByteArray, userDirs);
    QFETCH(QString, workDir);
    QFETCH(QString, expected);

    if (!userDirs.isEmpty())
        WriteFile(m_home.filePath(u".config/user-dirs.dirs"_s), userDirs);
    const QString want = expected.startsWith(u'!') ? expected.mid(1) : m_home.filePath(expected);
    QCOMPARE(ResolveWorkDir(workDir), want);
}

void TestStartup::enterWorkDir_data()
{
    QTest::addColumn<QString>("existingFile");
    QTest::addColumn<QString>("workDir");
    QTest::addColumn<QString>("expected"); // the new working folder; empty when refused
    QTest::addColumn<QString>("reason");

    QTest::newRow("no --workdir stays") << QString() << QString() << u"."_s << QString();
    QTest::newRow("existing folder") << u"old/keep"_s << u"old"_s << u"old"_s << QString();
    QTest::newRow("missing folder is made") << QString() << u"new"_s << u"new"_s << QString();
    QTest::newRow("missing parents are made") << QString() << u"a/b/Кардолист/"_s << u"a/b/Кардолист"_s << QString();
    QTest::newRow("a file in the way") << u"taken"_s << u"taken"_s << QString() << u"taken"_s;
    QTest::newRow("a file as parent") << u"taken"_s << u"taken/sub"_s << QString() << u"Часть пути — не папка"_s;
}

void TestStartup::enterWorkDir()
{
    QFETCH(QString, existingFile);
    QFETCH(QString, workDir);
    QFETCH(QString, expected);
    QFETCH(QString, reason);

    const QString start = QDir::currentPath();
    if (!existingFile.isEmpty())
        WriteFile(existingFile, "x");
    const QString error = UserErrorText([&] { EnterWorkDir(StartupOptions{workDir}); });
    QVERIFY2(error.isEmpty() != expected.isEmpty(), expected.isEmpty() ? "accepted" : qPrintable(error));
    if (!expected.isEmpty()) {
        QCOMPARE(QDir::currentPath(), Canonical(QDir(start).filePath(expected)));
    } else {
        QCOMPARE(QDir::currentPath(), start);
        QVERIFY2(error.startsWith(u"Не могу создать папку \""_s + workDir + u'"'), qPrintable(error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }
}

void TestStartup::messageBoxButtons_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("button");
    QTest::addColumn<QString>("text");

    QTest::newRow("yes") << QMessageBox::Yes << u"&Да"_s;
    QTest::newRow("no") << QMessageBox::No << u"&Нет"_s;
    QTest::newRow("cancel") << QMessageBox::Cancel << u"Отмена"_s;
    QTest::newRow("ok, in Cyrillic letters") << QMessageBox::Ok << u"ОК"_s;
}

void TestStartup::messageBoxButtons()
{
    QFETCH(QMessageBox::StandardButton, button);
    QFETCH(QString, text);

    QMessageBox box(QMessageBox::Question, u"Выход"_s, u"Сохранить изменения?"_s,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
    QCOMPARE(box.button(button)->text(), text);
}

void TestStartup::fileDialog()
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto *buttons = dialog.findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Open)->text(), u"&Открыть"_s);
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), u"Отмена"_s);
}

void TestStartup::printDialogTitles()
{
    QPrinter printer;
    QPrintPreviewDialog preview(&printer);
    QCOMPARE(preview.windowTitle(), u"Просмотр печати"_s);
    QPrintDialog print(&printer);
    QCOMPARE(print.windowTitle(), u"Печать"_s);
}

void TestStartup::calendar()
{
    QCalendarWidget calendar;
    calendar.setLocale(RussianLocale());
    calendar.setCurrentPage(2026, 3);
    auto *month = calendar.findChild<QToolButton *>(u"qt_calendar_monthbutton"_s);
    QVERIFY(month);
    QCOMPARE(month->text(), u"март"_s);
    QCOMPARE(calendar.firstDayOfWeek(), Qt::Monday);
}

void TestStartup::amountsKeepTheirFormat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("plain");

    QTest::newRow("grouped with blanks") << u"1 234 567.5"_s << u"1 234 567.50"_s << u"1234567.50"_s;
    QTest::newRow("comma is not a decimal point") << u"1,5"_s << QString() << QString();
}

// The default locale is Russian now; amounts must still use "." and blanks.
void TestStartup::amountsKeepTheirFormat()
{
    QFETCH(QString, text);
    QFETCH(QString, display);
    QFETCH(QString, plain);

    const std::optional<Money> amount = Money::parseAmountText(text);
    QCOMPARE(amount.has_value(), !display.isEmpty());
    if (amount) {
        QCOMPARE(amount->toDisplay(), display);
        QCOMPARE(amount->toPlain(), plain);
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
