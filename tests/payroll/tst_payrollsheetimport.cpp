#include "common/sheet/ImportTable.h"
#include "common/sheet/TableTabText.h"
#include "payroll/PayrollAmounts.h"
#include "payroll/PayrollTextImport.h"
#include "support/FileBytes.h"

#include <QTest>

using namespace Qt::StringLiterals;

// A register saved as a workbook or a text export reaches the payroll text
// import as the rows typed by hand would.
class TestPayrollSheetImport : public QObject
{
    Q_OBJECT
private slots:
    void sameRowsAsTyped_data();
    void sameRowsAsTyped();
};

void TestPayrollSheetImport::sameRowsAsTyped_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &file : {u"payroll.xlsx"_s, u"payroll.ods"_s, u"payroll_values.xls"_s, u"payroll_utf8bom.csv"_s,
                                u"payroll_cp1251.csv"_s, u"payroll_utf16.txt"_s, u"payroll_comma.csv"_s})
        QTest::newRow(qPrintable(file)) << file;
}

void TestPayrollSheetImport::sameRowsAsTyped()
{
    QFETCH(QString, file);
    const QString folder = QStringLiteral(KARDOLIST_TEST_DATA "/sheets/");
    TableLayout layout;
    layout.fieldCount = 3;
    layout.amountField = 2;
    layout.cardField = 1;
    const TableTabText tab = ToTabText(ReadImportTable(FileBytes(folder + file)), layout);
    QVERIFY(tab.ok());

    const PayrollRows rows = ImportPayrollText(tab.bytes);
    QCOMPARE(rows, ImportPayrollText(FileBytes(folder + u"payroll_typed.txt"_s)));
    const PayrollRows expected = {
        {u"Гайратов Алишер"_s, u"8600123456789012"_s, u"1500000.50"_s},
        {u"Ли, Ольга"_s, u"8600123456789013"_s, u"0.30"_s},
        {u"Петров Пётр"_s, u"8600000000000001"_s, u"100000.00"_s},
        {u"Ким Ли"_s, u"8600000000000002"_s, u"1500000.80"_s},
    };
    QCOMPARE(ToPlainAmounts(rows), expected);
}

QTEST_APPLESS_MAIN(TestPayrollSheetImport)
#include "tst_payrollsheetimport.moc"
