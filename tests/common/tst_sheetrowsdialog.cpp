#include "common/sheet/ImportTable.h"
#include "common/ui/SheetRowsDialog.h"
#include "common/ui/SheetRowsImport.h"
#include "support/FileBytes.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

TableLayout PayrollLayout()
{
    TableLayout layout;
    layout.fieldCount = 3;
    layout.cardField = 1;
    layout.amountField = 2;
    return layout;
}

} // namespace

// The preview as the user sees it, and what choosing a column changes.
class TestSheetRowsDialog : public QObject
{
    Q_OBJECT
private slots:
    void showsAndRemaps()
    {
        SheetRowsImport rows(ReadImportTable(FileBytes(QStringLiteral(KARDOLIST_TEST_DATA "/sheets/payroll.xlsx"))),
                             PayrollLayout(), {u"ФИО"_s, u"Номер карты"_s, u"Сумма"_s});
        SheetRowsDialog dialog(rows);
        const auto *format = dialog.findChild<QLabel *>(u"formatLabel"_s);
        QVERIFY(format->text().endsWith(u"; строк: 4"_s));
        QVERIFY(dialog.findChild<QLabel *>(u"headerLabel"_s)->text().contains(u"ФИО | Карта | Сумма"_s));
        const auto *table = dialog.findChild<QTableWidget *>(u"previewTable"_s);
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(table->item(1, 0)->text(), u"Ли, Ольга"_s);
        QCOMPARE(table->item(1, 2)->text(), u"0.3"_s);
        QVERIFY(dialog.findChild<QPlainTextEdit *>(u"replacementsText"_s)->toPlainText().contains(u"«Ғ» → «Г»"_s));
        QVERIFY(dialog.findChild<QLabel *>(u"refusalLabel"_s)->isHidden());

        // The amount from the date column: the header row is still found, the dates are no amounts.
        auto *amount = dialog.findChild<QComboBox *>(u"columnBox2"_s);
        QCOMPARE(amount->count(), 4);
        amount->setCurrentIndex(3);
        QCOMPARE(rows.columns(), (QList<int>{0, 1, 3}));
        QCOMPARE(table->item(1, 2)->text(), u"01.02.2026"_s);
        QVERIFY(!dialog.findChild<QLabel *>(u"refusalLabel"_s)->isHidden());
        QVERIFY(dialog.findChild<QLabel *>(u"refusalLabel"_s)->text().startsWith(u"Строка 2, столбец D"_s));
    }
};

QTEST_MAIN(TestSheetRowsDialog)
#include "tst_sheetrowsdialog.moc"
