#include "support/SettingsFolder.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowDriver.h"
#include "common/Clock.h"
#include "common/Cp1251.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollWindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStatusBar>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Kind = ScriptedDialogs::Kind;

namespace {

QString Sheets(const QString &name)
{
    return QStringLiteral(KARDOLIST_TEST_DATA "/sheets/") + name;
}

QStringList RowTexts(const PayrollRows &rows)
{
    QStringList out;
    for (const PayrollRow &r : rows)
        out << r.name + u'|' + r.card + u'|' + r.amount;
    return out;
}

const QStringList kTyped{u"Гайратов Алишер|8600123456789012|1 500 000.50"_s, u"Ли, Ольга|8600123456789013|0.30"_s,
                         u"Петров Пётр|8600000000000001|100 000.00"_s, u"Ким Ли|8600000000000002|1 500 000.80"_s};
const QStringList kBefore{u"Старый|8600000000000009|10.00"_s};

} // namespace

// "Загрузить из txt" with a spreadsheet or an export: the preview first.
class TestPayrollSheetWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = EnterSettingsFolder();
        QVERIFY(m_dir);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
        QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
        m_driver.setWindow(m_form.get());
        writeFile(u"before.txt"_s, Cp1251::encode(u"Старый\t8600000000000009\t10"_s));
        importFile(u"before.txt"_s);
        QCOMPARE(RowTexts(m_form->model()->rows()), kBefore);
        m_dialogs.clear();
    }
    void cleanup()
    {
        m_form.reset();
        LeaveFolder(m_dir);
    }

    void previewThenImport_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("note");
        QTest::newRow("xlsx") << u"payroll.xlsx"_s << u"Книга .xlsx, лист «Лист1»"_s << u"Строка 2, столбец A: «Ғ» → «Г»"_s;
        QTest::newRow("ods") << u"payroll.ods"_s << u"Книга .ods, лист «Лист1»"_s << u"Строка 2, столбец A: «Ғ» → «Г»"_s;
        QTest::newRow("xls") << u"payroll_values.xls"_s << u"Книга .xls, лист «Лист1»"_s
                             << u"Строка 2, столбец A: «Ғ» → «Г»"_s;
        QTest::newRow("UTF-8 CSV") << u"payroll_utf8bom.csv"_s << u"Текст UTF-8 с меткой BOM, разделитель «;»"_s
                                   << u"Строка 2, столбец 1: «Ғ» → «Г»"_s;
        QTest::newRow("UTF-16") << u"payroll_utf16.txt"_s << u"Текст UTF-16 LE, разделитель табуляция"_s
                                << u"Строка 2, столбец 1: «Ғ» → «Г»"_s;
        QTest::newRow("Windows-1251 CSV") << u"payroll_cp1251.csv"_s << u"Текст Windows-1251, разделитель «;»"_s
                                          << QString();
    }
    void previewThenImport()
    {
        QFETCH(QString, file);
        QFETCH(QString, format);
        QFETCH(QString, note);
        m_dialogs.setNextSheetRows(true);
        importFile(Sheets(file));
        QCOMPARE(m_dialogs.sheetRowsSeen.size(), 1);
        const ScriptedDialogs::SheetRowsSeen &seen = m_dialogs.sheetRowsSeen.first();
        QVERIFY2(seen.format.startsWith(format.section(u'«', 0, 0)), qPrintable(seen.format));
        if (!format.contains(u"лист"_s))
            QCOMPARE(seen.format, format);
        QCOMPARE(seen.header, (QStringList{u"ФИО"_s, u"Карта"_s, u"Сумма"_s}));
        QCOMPARE(seen.rowCount, 4);
        QCOMPARE(seen.rows.first().first(), (note.isEmpty() ? u"Г"_s : u"Ғ"_s) + u"айратов Алишер"_s);
        QCOMPARE(seen.replacements, note.isEmpty() ? QStringList() : QStringList{note});
        QCOMPARE(seen.columns, (QList<int>{0, 1, 2}));
        QCOMPARE(RowTexts(m_form->model()->rows()), kTyped);
        QVERIFY(!m_form->isModified());
    }

    // The import's own text goes through without a preview.
    void ownTextWithoutPreview()
    {
        importFile(Sheets(u"payroll_typed.txt"_s));
        QVERIFY(m_dialogs.sheetRowsSeen.isEmpty());
        QCOMPARE(RowTexts(m_form->model()->rows()), kTyped);
    }

    // Cancel changes nothing; a refusal puts nothing in either.
    void cancelOrRefusalKeepsTheRows_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("sheet");        // -1: no sheet asked
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancel") << u"payroll.xlsx"_s << -1 << false << QString();
        QTest::newRow("amount not a number") << u"refusals.xlsx"_s << 2 << true
                                             << u"Строка 2, столбец C: сумма «сто» не число"_s;
        QTest::newRow("character with no spelling") << u"refusals.xlsx"_s << 0 << true
                                                    << u"Строка 2, столбец A: Символ «王»"_s;
        QTest::newRow("xls formula") << u"payroll.xls"_s << -1 << true << u"Строка 6, столбец C: сумма пуста"_s;
    }
    void cancelOrRefusalKeepsTheRows()
    {
        QFETCH(QString, file);
        QFETCH(int, sheet);
        QFETCH(bool, accept);
        QFETCH(QString, message);
        if (sheet >= 0)
            m_dialogs.setNextSheet(sheet);
        m_dialogs.setNextSheetRows(accept);
        importFile(Sheets(file));
        const QStringList offered = sheet >= 0 ? QStringList{u"Символ"_s, u"Карта"_s, u"Сумма"_s} : QStringList();
        QCOMPARE(m_dialogs.sheetsOffered, offered);
        QCOMPARE(m_dialogs.sheetRowsSeen.size(), 1);
        QCOMPARE(m_dialogs.sheetRowsSeen.first().refusal.isEmpty(), message.isEmpty());
        QVERIFY2(m_dialogs.lastText().startsWith(message), qPrintable(m_dialogs.lastText()));
        QCOMPARE(RowTexts(m_form->model()->rows()), kBefore);
        QVERIFY(!m_form->isModified());
    }

    // Columns chosen once are offered for the next file of the register.
    void columnsRemembered()
    {
        writeFile(u"turned.csv"_s, u"Сумма;ФИО;Карта\r\n12,5;Ли Ан;8600000000000001\r\n"_s.toUtf8());
        m_dialogs.setNextSheetRows(true, {1, 2, 0});
        importFile(u"turned.csv"_s);
        QCOMPARE(RowTexts(m_form->model()->rows()), QStringList{u"Ли Ан|8600000000000001|12.50"_s});

        m_dialogs.setNextSheetRows(false);
        importFile(u"turned.csv"_s);
        QCOMPARE(m_dialogs.sheetRowsSeen.last().columns, (QList<int>{1, 2, 0}));
        QCOMPARE(m_dialogs.sheetRowsSeen.last().header, (QStringList{u"ФИО"_s, u"Карта"_s, u"Сумма"_s}));
    }

    // A header row in the import's own text is shown and left out.
    void ownTextWithHeader()
    {
        writeFile(u"header.txt"_s, Cp1251::encode(u"ФИО\tКарта\tСумма\r\nЛи\t8600000000000001\t5\r\n"_s));
        m_dialogs.setNextSheetRows(true);
        importFile(u"header.txt"_s);
        QCOMPARE(m_dialogs.sheetRowsSeen.size(), 1);
        QCOMPARE(RowTexts(m_form->model()->rows()), QStringList{u"Ли|8600000000000001|5.00"_s});
    }

    // Rows copied from a spreadsheet fill the grid from the current cell
    // down in one change, or not at all.
    void pasteRows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("note");
        QTest::newRow("two rows from the name, rows added")
                << u"Ли Ан\t8600 0000 0000 0001\t1 500,5\r\nКим\t8600000000000002\t3\r\n"_s << QString() << 1
                << QStringList{u"Ли Ан|8600000000000001|1500.5"_s, u"Ким|8600000000000002|3"_s} << QString();
        QTest::newRow("from the card, cells past the amount dropped")
                << u"1\t2\tлишнее\n3\t4"_s << QString() << 2
                << QStringList{u"Старый|1|2"_s, u"|3|4"_s} << QString();
        QTest::newRow("letter in a card refuses it all")
                << u"Ли\t8600\t1\nКим\t86O0\t2"_s << QString() << 1 << kBefore
                << u"Строка 2, столбец «№ карты»: "_s;
        QTest::newRow("second point in an amount") << u"1.5\n2.5.1"_s << QString() << 3 << kBefore
                                                   << u"Строка 2, столбец «Сумма»"_s;
        QTest::newRow("HTML table only, letters replaced")
                << QString() << u"<table><tr><td>Ғани</td><td>1</td></tr><tr><td>Бек</td><td>2</td></tr></table>"_s
                << 1 << QStringList{u"Гани|1|10.00"_s, u"Бек|2|"_s} << u"«Ғ» на «Г»"_s;
    }
    void pasteRows()
    {
        QFETCH(QString, text);
        QFETCH(QString, html);
        QFETCH(int, column);
        QFETCH(QStringList, rows);
        QFETCH(QString, note);
        auto *data = new QMimeData;
        if (!text.isEmpty())
            data->setText(text);
        if (!html.isEmpty())
            data->setHtml(html);
        QGuiApplication::clipboard()->setMimeData(data);
        auto *grid = m_driver.child<PayrollGrid>(u"mainGrid"_s);
        WindowDriver::clickCell(grid, 0, column);
        WindowDriver::key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(RowTexts(m_form->model()->rows()), rows);
        QCOMPARE(m_form->isModified(), rows != kBefore);
        const QString message = m_driver.child<QStatusBar>(u"statusBar"_s)->currentMessage();
        QVERIFY2(note.isEmpty() ? !message.contains(u"Строка"_s) : message.contains(note), qPrintable(message));
        QCOMPARE(m_driver.text(u"StatusPanel0"_s), u"Всего записей :"_s + QString::number(rows.size()));
    }

private:
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(m_dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void importFile(const QString &name)
    {
        // Out of the grid as to another program: leaving it for a field would be a change.
        if (QWidget *focus = WindowDriver::focus())
            focus->clearFocus();
        m_dialogs.setNextFileName(QFileInfo(name).isAbsolute() ? name : m_dir->filePath(name));
        m_driver.trigger(u"importTextAction"_s);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))};
    std::unique_ptr<PayrollWindow> m_form;
    WindowDriver m_driver;
};

QTEST_MAIN(TestPayrollSheetWindow)
#include "tst_payrollwindowsheet.moc"
