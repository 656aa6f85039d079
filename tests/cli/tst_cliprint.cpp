#include "support/CliRun.h"
#include "support/FileBytes.h"
#include "support/SettingsFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

// The print command's arguments and errors, and the help of every command.
class TestCliPrint : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = EnterSettingsFolder();
        QVERIFY(m_dir);
        QVERIFY(QFile::copy(QStringLiteral(KARDOLIST_TEST_DATA "/payroll/ZPSV001231234567812202600007"), u"reg"_s));
        QVERIFY(QFile::copy(QStringLiteral(KARDOLIST_TEST_DATA "/clients/one-client.clsv"), u"list"_s));
    }
    void cleanup() { LeaveFolder(m_dir); }

    void everyCommandHelps_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("usage");
        for (const QString &command : {u"payroll"_s, u"clients"_s, u"verify"_s, u"print"_s, u"words"_s}) {
            QTest::newRow(qPrintable(command)) << QStringList{command, u"--help"_s} << command;
            QTest::newRow(qPrintable(command + u" -h"_s)) << QStringList{command, u"x"_s, u"-h"_s} << command;
        }
    }
    void everyCommandHelps()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, usage);
        const CliRun run = RunCli(args);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QVERIFY2(run.out.startsWith(u"Usage: kardolist-cli "_s + usage), qPrintable(run.out));
    }

    // Each option a saving or checking command takes is in its usage line and explained below it.
    void helpNamesTheWarningOptions_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("payroll") << u"payroll"_s << QStringList{u"--strict"_s, u"--expect-total"_s};
        QTest::newRow("clients") << u"clients"_s << QStringList{u"--strict"_s};
        QTest::newRow("verify") << u"verify"_s << QStringList{u"--strict"_s, u"--json"_s};
    }
    void helpNamesTheWarningOptions()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, options);
        const CliRun run = RunCli({command, u"--help"_s});
        const qsizetype usageEnd = run.out.indexOf(u'\n');
        for (const QString &option : options) {
            QVERIFY2(run.out.left(usageEnd).contains(option), qPrintable(option));
            QVERIFY2(run.out.indexOf(option, usageEnd) > 0, qPrintable(option));
        }
    }

    void printErrorsTakeTheCommonForm_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("settings");
        QTest::addColumn<QString>("message");
        QTest::newRow("no --pdf") << QStringList{u"print"_s, u"reg"_s} << true
                                  << u"kardolist-cli print: FILE and --pdf OUT.pdf are needed; see --help.\n"_s;
        QTest::newRow("--pdf without value") << QStringList{u"print"_s, u"reg"_s, u"--pdf"_s} << true
                                             << u"kardolist-cli print: --pdf needs a value; see --help.\n"_s;
        QTest::newRow("unknown option") << QStringList{u"print"_s, u"reg"_s, u"--pdf=a.pdf"_s, u"--x"_s} << true
                                        << u"kardolist-cli print: unknown option --x; see --help.\n"_s;
        QTest::newRow("two files") << QStringList{u"print"_s, u"reg"_s, u"list"_s, u"--pdf"_s, u"a.pdf"_s} << true
                                   << u"kardolist-cli print: unexpected argument \"list\"; see --help.\n"_s;
        QTest::newRow("no settings.ini")
                << QStringList{u"print"_s, u"reg"_s, u"--pdf"_s, u"a.pdf"_s} << false
                << u"Нет файла \"settings.ini\" в рабочей папке: сохраните банковские реквизиты в окне \"Настройки\"\n"_s;
        QTest::newRow("over its input") << QStringList{u"print"_s, u"reg"_s, u"--pdf"_s, u"./reg"_s} << true
                                        << u"OUT.pdf \"./reg\" is FILE itself; the PDF would replace it.\n"_s;
    }
    void printErrorsTakeTheCommonForm()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, settings);
        QFETCH(QString, message);
        if (!settings)
            QVERIFY(QFile::remove(u"settings.ini"_s));
        const CliRun run = RunCli(args);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, message);
        QVERIFY(!QFile::exists(u"a.pdf"_s));
        QCOMPARE(QFile::exists(u"settings.ini"_s), settings);
    }

    // OUT.pdf never replaces what is no PDF of its own.
    void pdfTargetRefused_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("what");
        QTest::newRow("link") << u"link.pdf"_s << u"символическая ссылка"_s;
        QTest::newRow("folder") << u"folder"_s << u"папка"_s;
        QTest::newRow("device") << u"/dev/null"_s << u"не обычный файл"_s;
        QTest::newRow("settings") << u"settings.ini"_s << u"файл банковских реквизитов"_s;
        QTest::newRow("register") << u"other-reg"_s << u"ведомость"_s;
        QTest::newRow("client list") << u"list"_s << u"список клиентов"_s;
    }
    void pdfTargetRefused()
    {
        QFETCH(QString, target);
        QFETCH(QString, what);
        QVERIFY(QFile::link(u"old.pdf"_s, u"link.pdf"_s));
        QVERIFY(QDir().mkdir(u"folder"_s));
        QVERIFY(QFile::copy(u"reg"_s, u"other-reg"_s));
        const QByteArray before = FileBytes(target);
        const CliRun run = RunCli({u"print"_s, u"reg"_s, u"--pdf"_s, target});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, u"\"%1\" — %2: PDF на его место не записывается.\n"_s.arg(target, what));
        QCOMPARE(FileBytes(target), before);
        QVERIFY(!QFile::exists(u"old.pdf"_s));
    }

    void unwritableOutputFails()
    {
        QProcess cli;
        cli.setStandardOutputFile(u"/dev/full"_s);
        cli.start(QStringLiteral(KARDOLIST_BINARY_DIR "/cli/kardolist-cli"), {u"words"_s, u"1"_s});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(cli.readAllStandardError()),
                 u"kardolist-cli: не смог записать в стандартный вывод. Нет места на диске.\n"_s);
    }

    void settingsFolderNamed()
    {
        QVERIFY(QFile::remove(u"settings.ini"_s));
        QVERIFY(QDir().mkdir(u"settings.ini"_s));
        const CliRun run = RunCli({u"print"_s, u"reg"_s, u"--pdf"_s, u"a.pdf"_s});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, u"\"settings.ini\" — папка, а не файл с данными. Открыть его нельзя.\n"_s);
    }

    // The client list's PDF is titled as the window titles it.
    void clientListTitle()
    {
        const QString pdfinfo = QStandardPaths::findExecutable(u"pdfinfo"_s);
        if (pdfinfo.isEmpty())
            QSKIP("pdfinfo is not installed");
        const CliRun run = RunCli({u"print"_s, u"list"_s, u"--pdf"_s, u"list.pdf"_s});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QProcess info;
        info.start(pdfinfo, {u"list.pdf"_s});
        QVERIFY(info.waitForFinished(30000));
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(text.contains(QRegularExpression(u"Title: +Данные о сотрудниках\n"_s)), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestCliPrint)
#include "tst_cliprint.moc"
