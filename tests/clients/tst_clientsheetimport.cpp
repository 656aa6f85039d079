#include "support/ClientSamples.h"
#include "clients/ClientTextImport.h"
#include "common/Cp1251.h"
#include "common/sheet/ImportTable.h"
#include "common/sheet/TableTabText.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int kYear = 2026;
const QString kPath = u"клиенты.csv"_s;

TableLayout ClientLayout()
{
    TableLayout layout;
    layout.fieldCount = kClientLineFields;
    layout.dateField = 5;
    return layout;
}

QString Header()
{
    return u"Фамилия;Имя;Отчество;Пол;ИНН;Дата рождения;Телефон;Серия;Номер;Выдан;Кем;Срок;Адрес"_s;
}

} // namespace

// A client sheet reaches the client text import with the sheet's row
// numbers as its line numbers, the header row left out.
class TestClientSheetImport : public QObject
{
    Q_OBJECT
private slots:
    void sameClientsAsTyped();
    void errorNamesTheSheetRow();
};

void TestClientSheetImport::sameClientsAsTyped()
{
    const QString csv = Header() + u"\n"_s + ClientLineFields(1).join(u';') + u"\n\n"_s
                        + ClientLineFields(2).join(u';') + u"\n"_s;
    const TableTabText tab = ToTabText(ReadImportTable(csv.toUtf8()), ClientLayout());
    QVERIFY(tab.ok());
    QCOMPARE(tab.headerRow, 1);
    const QString typed = ClientLineFields(1).join(u'\t') + u"\n"_s + ClientLineFields(2).join(u'\t');
    const ClientImportResult fromSheet = ImportClientText(tab.bytes, kPath, ClientFields(), kYear);
    const ClientImportResult fromText = ImportClientText(Cp1251::encode(typed), kPath, ClientFields(), kYear);
    QVERIFY(fromSheet.ok());
    QCOMPARE(fromSheet.records.size(), 2);
    QCOMPARE(fromSheet.fields, fromText.fields);
}

void TestClientSheetImport::errorNamesTheSheetRow()
{
    const QString csv = Header() + u"\n"_s + ClientLineFields(1).join(u';') + u"\n;;\n"_s
                        + ClientLineFields(1).join(u';') + u"\n"_s;
    const TableTabText tab = ToTabText(ReadImportTable(csv.toUtf8()), ClientLayout());
    const ClientImportResult result = ImportClientText(tab.bytes, kPath, ClientFields(), kYear);
    QVERIFY(result.failure);
    QCOMPARE(result.failure->line, 4);
}

QTEST_APPLESS_MAIN(TestClientSheetImport)
#include "tst_clientsheetimport.moc"
