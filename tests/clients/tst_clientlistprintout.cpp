#include "clients/ClientListPrintout.h"
#include "clients/ui/ClientListPrinting.h"
#include "common/print/PrintoutRenderer.h"
#include "settings/SettingsRecord.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kRule(97, u'-');
const QString kColumns =
    u"|№   |    Фамилия Имя Отчество                  | Дата рождения  |    Паспорт    |     ИНН     |"_s;

SettingsRecord Settings()
{
    return {u"12345678"_s, u"ООО «Ромашка»"_s, u"00450"_s};
}

QList<PrintItem> Header()
{
    return {
        {0, 350, 400, u"Филиал : 00450"_s},
        {0, 350, 500, u"Клиент : [12345678] ООО «Ромашка»"_s},
        {0, 1800, 600, u"Данные о сотрудниках"_s},
        {0, 350, 700, kRule},
        {0, 350, 800, kColumns},
        {0, 350, 900, kRule},
    };
}

ClientRecord Client(const QString &fullName, const QString &birthday, const QString &document, const QString &inn)
{
    ClientRecord c;
    c[ClientColumn::FullName] = fullName;
    c[ClientColumn::Birthday] = birthday;
    c[ClientColumn::Document] = document;
    c[ClientColumn::Inn] = inn;
    c[ClientColumn::Sex] = u"Мужской"_s;
    return c;
}

QList<ClientRecord> Clients(int n)
{
    QList<ClientRecord> clients;
    for (int i = 1; i <= n; ++i)
        clients.append(Client(u"Клиент %1"_s.arg(i), u"01.02.1990"_s, u"AA 1234567"_s, u"123456789"_s));
    return clients;
}

QString ClientLine(int number)
{
    return u"|%1| %2|01.02.1990      |AA 1234567     |123456789    |"_s.arg(
        QString::number(number).leftJustified(4), u"Клиент %1"_s.arg(number).leftJustified(41));
}

QString Run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The pages of a PDF as pdftotext -layout reads them, each a list of its
// non-empty lines with blank runs collapsed (pdftotext guesses their width).
QList<QStringList> PdfPages(const QString &file)
{
    QList<QStringList> pages;
    for (const QString &page : Run(QStandardPaths::findExecutable(u"pdftotext"_s), {u"-layout"_s, file, u"-"_s}).split(u'\f')) {
        QStringList lines;
        for (const QString &line : page.split(u'\n'))
            if (!line.simplified().isEmpty())
                lines << line.simplified();
        pages << lines;
    }
    while (!pages.isEmpty() && pages.last().isEmpty())
        pages.removeLast();
    return pages;
}

bool HavePoppler()
{
    return !QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty();
}

} // namespace

class TestClientListPrintout : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void wholeList_data();
    void wholeList();
    void paging_data();
    void paging();
    void pagesStandAlone();
    void rowColumns_data();
    void rowColumns();
    void pdfReadsBack();
    void printing_data();
    void printing();

private:
    QTemporaryDir m_dir;
};

void TestClientListPrintout::init()
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
    WriteSettingsRecord(Settings());
}

void TestClientListPrintout::wholeList_data()
{
    QTest::addColumn<QList<ClientRecord>>("clients");
    QTest::addColumn<QList<PrintItem>>("table");

    QTest::newRow("one client")
        << QList<ClientRecord>{Client(u"Иванов Иван Иванович"_s, u"05.03.1985"_s, u"AB 7654321"_s, u"301234567"_s)}
        << QList<PrintItem>{
               {0, 350, 1000, u"|1   | Иванов Иван Иванович                     |05.03.1985      |AB 7654321     |301234567    |"_s},
               {0, 350, 1100, kRule}};
    QTest::newRow("empty table")
        << QList<ClientRecord>{}
        << QList<PrintItem>{
               {0, 350, 1000, u"|1   |                                          |                |               |             |"_s},
               {0, 350, 1100, kRule}};
}

void TestClientListPrintout::wholeList()
{
    QFETCH(QList<ClientRecord>, clients);
    QFETCH(QList<PrintItem>, table);

    const Printout printout = LayOutClientList(clients, Settings());
    QCOMPARE(printout.items(), Header() + table);
    QCOMPARE(printout.pageCount, 1);
}

void TestClientListPrintout::paging_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("rulePage");
    QTest::addColumn<int>("ruleY");

    QTest::newRow("1") << 1 << 1 << 0 << 1100;
    QTest::newRow("51") << 51 << 1 << 0 << 6100;
    // The last row at 6100 leaves the closing rule alone on a new page.
    QTest::newRow("52") << 52 << 2 << 1 << 200;
    QTest::newRow("53") << 53 << 2 << 1 << 300;
    QTest::newRow("112") << 112 << 3 << 2 << 200;
    QTest::newRow("113") << 113 << 3 << 2 << 300;
}

void TestClientListPrintout::paging()
{
    QFETCH(int, count);
    QFETCH(int, pages);
    QFETCH(int, rulePage);
    QFETCH(int, ruleY);

    // 52 rows on page 1 from y 1000, then 60 a page from y 200; the header
    // only on page 1.
    QList<PrintItem> expected = Header();
    for (int k = 1; k <= count; ++k) {
        const int page = k <= 52 ? 0 : 1 + (k - 53) / 60;
        const int y = k <= 52 ? 1000 + (k - 1) * 100 : 200 + (k - 53) % 60 * 100;
        expected.append({page, 350, y, ClientLine(k)});
    }
    expected.append({rulePage, 350, ruleY, kRule});

    const Printout printout = LayOutClientList(Clients(count), Settings());
    QCOMPARE(printout.pageCount, pages);
    const QList<PrintItem> items = printout.items();
    QCOMPARE(items.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(items[i], expected[i]);
}

void TestClientListPrintout::pagesStandAlone()
{
    QList<ClientRecord> clients = Clients(112);
    const Printout printout = LayOutClientList(clients, Settings());
    const QList<PrintItem> inOrder = printout.items();
    clients.clear(); // the printout keeps its own rows

    QCOMPARE(printout.pageCount, 3);
    QCOMPARE(printout.pageItems(2), (QList<PrintItem>{{2, 350, 200, kRule}}));
    QCOMPARE(printout.pageItems(1) + printout.pageItems(2), inOrder.mid(6 + 52));
    QCOMPARE(printout.pageItems(0), inOrder.first(6 + 52));
    QVERIFY(printout.pageItems(3).isEmpty());
}

void TestClientListPrintout::rowColumns_data()
{
    QTest::addColumn<ClientRecord>("client");
    QTest::addColumn<QString>("line");

    const QString name40 = u"Абдуллаева-Константинопольская Александр"_s;
    QTest::newRow("name of 40")
        << Client(name40, u"01.02.1990"_s, u"AA 1234567"_s, u"123456789"_s)
        << u"|1   | Абдуллаева-Константинопольская Александр |01.02.1990      |AA 1234567     |123456789    |"_s;
    QTest::newRow("name of 45 is cut")
        << Client(name40 + u"овичъ"_s, u"01.02.1990"_s, u"AA 1234567"_s, u"123456789"_s)
        << u"|1   | Абдуллаева-Константинопольская Александр |01.02.1990      |AA 1234567     |123456789    |"_s;
    QTest::newRow("document of 14 fits")
        << Client(u"А"_s, u"01.02.1990"_s, u"ABCDEF 1234567"_s, u"1"_s)
        << u"|1   | А                                        |01.02.1990      |ABCDEF 1234567 |1            |"_s;
    QTest::newRow("document of 15 is cut")
        << Client(u"А"_s, u"01.02.1990"_s, u"ABCDEFG 1234567"_s, u"1"_s)
        << u"|1   | А                                        |01.02.1990      |ABCDEFG 123456 |1            |"_s;
    QTest::newRow("series of 10 and number of 20")
        << Client(u"А"_s, u"01.02.1990"_s, u"ABCDEFGHIJ 12345678901234567890"_s, u"1"_s)
        << u"|1   | А                                        |01.02.1990      |ABCDEFGHIJ 123 |1            |"_s;
    QTest::newRow("unfilled date")
        << Client(u"А"_s, u"  .  .    "_s, u"AA 1234567"_s, u"         "_s)
        << u"|1   | А                                        |  .  .          |AA 1234567     |             |"_s;
    QTest::newRow("date of 16 is cut")
        << Client(u"А"_s, u"01.02.1990 12:00"_s, u""_s, u"1"_s)
        << u"|1   | А                                        |01.02.1990 12:0 |               |1            |"_s;
    QTest::newRow("taxpayer number of 13 is cut")
        << Client(u"А"_s, u""_s, u""_s, u"1234567890123"_s)
        << u"|1   | А                                        |                |               |123456789012 |"_s;

    ClientRecord numbered = Client(u"Б"_s, u""_s, u""_s, u""_s);
    numbered[ClientColumn::Number] = u"77"_s;
    QTest::newRow("number is the position")
        << numbered << u"|1   | Б                                        |                |               |             |"_s;
}

void TestClientListPrintout::rowColumns()
{
    QFETCH(ClientRecord, client);
    QFETCH(QString, line);

    QCOMPARE(line.size(), 96);
    const Printout printout = LayOutClientList({client}, Settings());
    QCOMPARE(printout.items().value(6), (PrintItem{0, 350, 1000, line}));
}

void TestClientListPrintout::pdfReadsBack()
{
    if (!HavePoppler())
        QSKIP("poppler-utils not installed");

    QList<ClientRecord> clients = Clients(60);
    clients[0] = Client(u"Ёлкина Фёкла Юрьевна"_s, u"31.12.1999"_s, u"АБ 1234567"_s, u"987654321"_s);
    const QByteArray pdf = RenderPrintoutPdf(LayOutClientList(clients, Settings()));
    QFile file(u"clients.pdf"_s);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();

    const QList<QStringList> pages = PdfPages(file.fileName());
    QCOMPARE(pages.size(), 2);
    // Every line of the layout, top to bottom, as its own line of text.
    QStringList first = {u"Филиал : 00450"_s, u"Клиент : [12345678] ООО «Ромашка»"_s, u"Данные о сотрудниках"_s,
                         kRule, kColumns.simplified(), kRule,
                         u"|1 | Ёлкина Фёкла Юрьевна |31.12.1999 |АБ 1234567 |987654321 |"_s};
    for (int k = 2; k <= 52; ++k)
        first << ClientLine(k).simplified();
    QCOMPARE(pages[0], first);
    QStringList second;
    for (int k = 53; k <= 60; ++k)
        second << ClientLine(k).simplified();
    second << kRule;
    QCOMPARE(pages[1], second);
}

void TestClientListPrintout::printing_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<ScriptedDialogs::Kind>("kind");

    QTest::newRow("printer dialog cancelled") << false << false << ScriptedDialogs::Kind::PrintSetup;
    QTest::newRow("printed to PDF") << false << true << ScriptedDialogs::Kind::PrintSetup;
    QTest::newRow("preview") << true << true << ScriptedDialogs::Kind::PrintPreview;
}

void TestClientListPrintout::printing()
{
    QFETCH(bool, preview);
    QFETCH(bool, accept);
    QFETCH(ScriptedDialogs::Kind, kind);

    // The bank details are read when printing, not before.
    SettingsRecord settings = Settings();
    settings.organisationCode = u"87654321"_s;
    WriteSettingsRecord(settings);

    const QString pdf = QDir::current().absoluteFilePath(u"out.pdf"_s);
    ScriptedDialogs dialogs;
    dialogs.setNextPrintSetup(accept);
    dialogs.setPrintPdf(pdf);
    dialogs.setPreviewPdf(pdf);
    if (preview)
        PreviewClientList(nullptr, dialogs, Clients(53));
    else
        QCOMPARE(PrintClientList(nullptr, dialogs, Clients(53)), accept);

    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].kind, kind);
    QCOMPARE(QFile::exists(pdf), accept);
    if (!accept || !HavePoppler())
        return;
    const QList<QStringList> pages = PdfPages(pdf);
    QCOMPARE(pages.size(), 2);
    QVERIFY(pages[0].contains(u"Клиент : [87654321] ООО «Ромашка»"_s));
    QCOMPARE(pages[1].first(), ClientLine(53).simplified());
}

QTEST_MAIN(TestClientListPrintout)
#include "tst_clientlistprintout.moc"
