#include "common/ui/ClipboardRows.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Rows = QList<QStringList>;

// Rows as a spreadsheet puts them on the clipboard.
class TestClipboardRows : public QObject
{
    Q_OBJECT
private slots:
    void tabText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Rows>("rows");
        QTest::newRow("final line end adds no row") << u"a\tb\r\nc\td\r\n"_s << Rows{{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}};
        QTest::newRow("blank row kept in place") << u"a\n\nb"_s << Rows{{u"a"_s}, {}, {u"b"_s}};
        QTest::newRow("quoted cell with a line end") << u"\"x\ny\"\t1"_s << Rows{{u"x\ny"_s, u"1"_s}};
        QTest::newRow("empty cells") << u"\t\t5"_s << Rows{{QString(), QString(), u"5"_s}};
    }
    void tabText()
    {
        QFETCH(QString, text);
        QFETCH(Rows, rows);
        QCOMPARE(TabTextRows(text), rows);
    }

    void htmlTable()
    {
        const QString html = u"<html><body><p>x</p><table><tr><td>Ли <b>Ан</b></td><td>1</td></tr>"
                             u"<tr><td></td><td>2,5</td></tr></table></body></html>"_s;
        QCOMPARE(HtmlTableRows(html), (Rows{{u"Ли Ан"_s, u"1"_s}, {QString(), u"2,5"_s}}));
        QCOMPARE(HtmlTableRows(u"<p>no table</p>"_s), Rows());
    }
};

QTEST_MAIN(TestClipboardRows)
#include "tst_clipboardrows.moc"
