#include "support/CliRun.h"
#include "support/SettingsFolder.h"

#include <QFile>
#include <QProcess>
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
        for (const QString command : {u"payroll"_s, u"clients"_s, u"verify"_s, u"print"_s, u"words"_s}) {
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
                << u"Нет файла \"settings.ini\" в рабочей папке: сохраните банковские реквизиты в окне \"Настройки\".\n"_s;
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
        QVERIFY2(text.contains(u"Title:          Данные о сотрудниках\n"_s), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestCliPrint)
#include "tst_cliprint.moc"
