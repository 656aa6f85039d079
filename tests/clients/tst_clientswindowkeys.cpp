#include "support/ClientSamples.h"
#include "support/ScriptedDialogs.h"
#include "support/SettingsFolder.h"
#include "support/WindowDriver.h"
#include "clients/ClientTableModel.h"
#include "clients/ui/ClientEditPanel.h"
#include "clients/ui/ClientGrid.h"
#include "clients/ui/ClientsWindow.h"
#include "common/Clock.h"
#include "common/ui/ElidingComboBox.h"
#include "common/ui/MaskedEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime kNow(QDate(2026, 3, 8), QTime(14, 5, 9));

} // namespace

// The edit area and the table as the keyboard and the mouse meet them.
class TestClientsWindowKeys : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void datesTypedWithDots_data();
    void datesTypedWithDots();
    void mobileDropsCountryCode_data();
    void mobileDropsCountryCode();
    void halfFilledFieldSaysWhy();
    void tableKeys_data();
    void tableKeys();
    void docTypeChosenAgain_data();
    void docTypeChosenAgain();
    void nameHintFollowsType_data();
    void nameHintFollowsType();
    void changeMarksFit();
    void closedDocTypeListElides_data();
    void closedDocTypeListElides();

private:
    ClientTableModel *table() const { return m_driver.model<ClientTableModel>(u"mainGrid"_s); }
    ClientEditPanel *panel() const { return m_driver.child<ClientEditPanel>(u"editPanel"_s); }
    void chooseDocType(int index);

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{kNow};
    std::unique_ptr<ClientsWindow> m_form;
    WindowDriver m_driver;
};

void TestClientsWindowKeys::init()
{
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
    m_driver.setWindow(m_form.get());
}

void TestClientsWindowKeys::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

// A user's pick in the list, the same item included.
void TestClientsWindowKeys::chooseDocType(int index)
{
    auto *docType = m_driver.child<QComboBox>(u"docType"_s);
    docType->setCurrentIndex(index);
    emit docType->activated(index);
}

void TestClientsWindowKeys::datesTypedWithDots_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("birth date") << u"birthday"_s << u"1.2.1980"_s << u"01.02.1980"_s;
    QTest::newRow("issue date") << u"passportDate"_s << u"15.3.2016"_s << u"15.03.2016"_s;
    QTest::newRow("expiry date") << u"passportEnd"_s << u"1.12.2030"_s << u"01.12.2030"_s;
}

void TestClientsWindowKeys::datesTypedWithDots()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, stored);

    ClientFields f = ValidClientFields();
    f.birthday = f.passportDate = f.passportEnd = QString();
    panel()->setFields(f);
    auto *edit = m_driver.child<MaskedEdit>(field);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
    WindowDriver::type(typed);
    QCOMPARE(edit->storedText(), stored);
    WindowDriver::key(Qt::Key_Tab);
    QVERIFY(!edit->hasFocus());
    QCOMPARE(edit->storedText(), stored);
}

void TestClientsWindowKeys::mobileDropsCountryCode_data()
{
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");

    QTest::newRow("pasted with +998") << true << u"+998 90 123-45-67"_s << u"(90)123-45-67"_s;
    QTest::newRow("typed with +998") << false << u"+998901234567"_s << u"(90)123-45-67"_s;
    QTest::newRow("typed with operator code 99") << false << u"991234567"_s << u"(99)123-45-67"_s;
}

void TestClientsWindowKeys::mobileDropsCountryCode()
{
    QFETCH(bool, paste);
    QFETCH(QString, text);
    QFETCH(QString, stored);

    auto *edit = m_driver.child<MaskedEdit>(u"mobileNumber"_s);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
    if (paste) {
        QApplication::clipboard()->setText(text);
        WindowDriver::key(Qt::Key_V, Qt::ControlModifier);
    } else {
        WindowDriver::type(text);
    }
    QCOMPARE(panel()->fields().mobileNumber, stored);
}

// The block stays, but it says why, and Esc brings the last complete value back.
void TestClientsWindowKeys::halfFilledFieldSaysWhy()
{
    ClientFields f = ValidClientFields();
    panel()->showFields(f);
    auto *inn = m_driver.child<MaskedEdit>(u"inn"_s);
    inn->setFocus();
    inn->setCursorPosition(9);
    WindowDriver::type(u"\b\b"_s);
    WindowDriver::key(Qt::Key_Tab);
    QCOMPARE(WindowDriver::focus(), inn);
    m_driver.click(u"addButton"_s);
    QCOMPARE(m_dialogs.shown.size(), 0);
    QTRY_COMPARE(WindowDriver::focus(), inn);
    auto *note = m_driver.child<QLabel>(u"maskedEditNote"_s);
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(), u"Заполните поле полностью или очистите его — Esc"_s);

    WindowDriver::key(Qt::Key_Escape);
    QCOMPARE(inn->storedText(), f.inn);
    QVERIFY(!note->isVisible());
    WindowDriver::key(Qt::Key_Tab);
    QVERIFY(WindowDriver::focus() != inn);
}

void TestClientsWindowKeys::tableKeys_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("control");
    QTest::addColumn<int>("pages"); // rows in view moved, when not 0
    QTest::addColumn<int>("row");   // else the row reached

    QTest::newRow("PgDn from the first") << 0 << int(Qt::Key_PageDown) << false << 1 << 0;
    QTest::newRow("PgUp from row 51") << 50 << int(Qt::Key_PageUp) << false << -1 << 0;
    QTest::newRow("PgUp near the top") << 3 << int(Qt::Key_PageUp) << false << 0 << 0;
    QTest::newRow("PgDn near the end") << 97 << int(Qt::Key_PageDown) << false << 0 << 99;
    QTest::newRow("Ctrl+End") << 10 << int(Qt::Key_End) << true << 0 << 99;
    QTest::newRow("Ctrl+Home") << 60 << int(Qt::Key_Home) << true << 0 << 0;
    QTest::newRow("Down to a row below the view") << 14 << int(Qt::Key_Down) << false << 0 << 15;
}

void TestClientsWindowKeys::tableKeys()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(bool, control);
    QFETCH(int, pages);
    QFETCH(int, row);

    QList<ClientRecord> records;
    for (int n = 1; n <= 100; ++n)
        records.append(RecordFromFields(ValidClientFields(n), NameParts::Trimmed));
    table()->replaceAll(records);
    table()->renumber();
    auto *grid = m_driver.child<ClientGrid>(u"mainGrid"_s);
    auto *area = m_driver.child<QScrollArea>(u"gridScrollArea"_s);
    const int inView = area->viewport()->height() / ClientGrid::kRowHeight - 1;
    QVERIFY(grid->selectCell(start, 0));
    grid->setFocus();

    QTest::keyClick(grid, Qt::Key(key), control ? Qt::ControlModifier : Qt::NoModifier);
    const int expected = pages ? start + pages * inView : row;
    QCOMPARE(grid->currentRow(), expected);
    QCOMPARE(panel()->fields(), FieldsFromRecord(table()->record(expected)));
    // The current row is in view, whole.
    const QRect shown = grid->visualRect(grid->model()->index(expected, 0));
    const QRect inArea(grid->viewport()->mapTo(area->viewport(), shown.topLeft()), shown.size());
    QVERIFY2(area->viewport()->rect().contains(inArea), qPrintable(u"row at %1"_s.arg(inArea.y())));
}

void TestClientsWindowKeys::docTypeChosenAgain_data()
{
    QTest::addColumn<bool>("loaded"); // the first type set by loading a record
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<bool>("cleared");

    QTest::newRow("the same type chosen again") << false << 0 << 0 << false;
    QTest::newRow("another type") << false << 0 << 3 << true;
    QTest::newRow("the loaded type chosen") << true << 0 << 0 << false;
    QTest::newRow("another type than the loaded") << true << 0 << 5 << true;
}

void TestClientsWindowKeys::docTypeChosenAgain()
{
    QFETCH(bool, loaded);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(bool, cleared);

    if (loaded) {
        panel()->showFields(ValidClientFields(7, first));
    } else {
        chooseDocType(first);
        m_driver.typeInto(u"passportSerial"_s, u"AB"_s);
        m_driver.typeInto(u"passportNumber"_s, u"0000007"_s);
    }
    const ClientFields before = panel()->fields();
    chooseDocType(second);
    const ClientFields after = panel()->fields();
    QCOMPARE(after.passportSeries, cleared ? QString() : before.passportSeries);
    QCOMPARE(after.passportNumber, cleared ? QString() : before.passportNumber);
}

void TestClientsWindowKeys::nameHintFollowsType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("chosen"); // else set by loading a record
    QTest::addColumn<QString>("hint");

    const QString cyrillic = u"Ввод только кириллица"_s;
    QTest::newRow("national passport") << 0 << true << cyrillic;
    QTest::newRow("biometric passport") << 5 << true << u"Ввод только латиница"_s;
    QTest::newRow("biometric passport loaded") << 5 << false << u"Ввод только латиница"_s;
    QTest::newRow("back to another type") << 7 << true << cyrillic;
}

void TestClientsWindowKeys::nameHintFollowsType()
{
    QFETCH(int, type);
    QFETCH(bool, chosen);
    QFETCH(QString, hint);

    chooseDocType(5);
    if (chosen)
        chooseDocType(type);
    else
        panel()->showFields(ValidClientFields(1, type));
    for (const QString &name : {u"surname"_s, u"name"_s, u"patronymic"_s})
        QCOMPARE(m_driver.child<QWidget>(name)->toolTip(), hint);
}

// Every label shows its whole caption with the change mark.
void TestClientsWindowKeys::changeMarksFit()
{
    ClientFields f = ValidClientFields();
    f.phone = u"1234567"_s;
    panel()->setFields(f);
    m_driver.child<QComboBox>(u"sex"_s)->setFocus();
    WindowDriver::key(Qt::Key_Down);
    const QList<QLabel *> labels = panel()->findChildren<QLabel *>();
    int marked = 0;
    for (const QLabel *label : labels) {
        if (!label->text().endsWith(u" *"_s))
            continue;
        ++marked;
        QVERIFY2(label->sizeHint().width() <= label->width(),
                 qPrintable(u"%1: %2 of %3"_s.arg(label->text()).arg(label->sizeHint().width()).arg(label->width())));
    }
    QCOMPARE(marked, 12);
}

void TestClientsWindowKeys::closedDocTypeListElides_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("cut");

    QTest::newRow("short name whole") << 7 << false;
    QTest::newRow("long name with an ellipsis") << 5 << true;
}

void TestClientsWindowKeys::closedDocTypeListElides()
{
    QFETCH(int, type);
    QFETCH(bool, cut);

    auto *docType = m_driver.child<ElidingComboBox>(u"docType"_s);
    docType->setFocus();
    for (int i = 0; i <= type; ++i)
        WindowDriver::key(Qt::Key_Down);
    QCOMPARE(docType->currentIndex(), type);
    const QString shown = docType->shownText();
    QCOMPARE(shown.endsWith(QChar(0x2026)), cut);
    if (cut)
        QVERIFY(docType->currentText().startsWith(shown.chopped(1)));
    else
        QCOMPARE(shown, docType->currentText());
}

QTEST_MAIN(TestClientsWindowKeys)
#include "tst_clientswindowkeys.moc"
