#include "support/SettingsFolder.h"
#include "support/ClientSamples.h"
#include "support/ScriptedDialogs.h"
#include "clients/ClientChecks.h"
#include "clients/ClientListFile.h"
#include "clients/ClientListSave.h"
#include "clients/ClientTableModel.h"
#include "clients/ui/ClientGrid.h"
#include "clients/ui/ClientsWindow.h"
#include "support/WindowDriver.h"
#include "clients/ui/ClientEditPanel.h"
#include "common/Clock.h"
#include "common/ui/MaskedEdit.h"
#include "settings/SettingsRecord.h"
#include "support/FileBytes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Answer = Dialogs::Answer;
using Kind = ScriptedDialogs::Kind;
Q_DECLARE_METATYPE(Dialogs::Answer)
Q_DECLARE_METATYPE(ScriptedDialogs::Kind)

namespace {

const QDateTime kNow(QDate(2026, 3, 8), QTime(14, 5, 9));
const QString kSaveQuestion = u"Сохранить данные?"_s;
const SettingsRecord kSettings = SampleSettings();
// The name a save at kNow gives.
const QString kSavedName = u"Клиенты/CLSV001231234567808032026140509"_s;

// A record as the table holds it, every cell distinct.
ClientRecord tableRecord(int n)
{
    ClientFields f = ValidClientFields(n, n % kDocTypeCount);
    f.surname = u"Фамилия%1"_s.arg(n);
    f.placeOfBirth = u"Место%1"_s.arg(n);
    f.taxOffice = u"ГНИ %1"_s.arg(n);
    f.passportIssuedBy = u"ОВД %1"_s.arg(n);
    ClientRecord r = RecordFromFields(f, NameParts::Trimmed);
    r[ClientColumn::Number] = QString::number(n);
    return r;
}

QList<ClientRecord> tableRecords(int count)
{
    QList<ClientRecord> records;
    for (int n = 1; n <= count; ++n)
        records.append(tableRecord(n));
    return records;
}

} // namespace

class TestClientsWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startState();
    void shortcuts_data();
    void shortcuts();
    void tabOrder();
    void checksFocusTheirField_data();
    void checksFocusTheirField();
    void addClient();
    void addTrimsNamesEditKeepsThem();
    void addAtLimit();
    void duplicates_data();
    void duplicates();
    void editOnEmptyTableAdds();
    void deleteClient_data();
    void deleteClient();
    void clearTable_data();
    void clearTable();
    void clickLoadsRow();
    void docTypeChoiceAndLoading();
    void keyFilters_data();
    void keyFilters();
    void pasteIsNotFiltered_data();
    void pasteIsNotFiltered();
    void paging_data();
    void paging();
    void saveQuestion_data();
    void saveQuestion();
    void closeQuestion_data();
    void closeQuestion();
    void printAndPreview();
    void about();
    void saveAndLoad();
    void saveInsideQuestion_data();
    void saveInsideQuestion();
    void loadAtLimit();
    void loadRefused();

private:
    ClientTableModel *table() const { return WindowDriver(m_form.get()).model<ClientTableModel>(u"mainGrid"_s); }
    ClientEditPanel *panel() const { return WindowDriver(m_form.get()).child<ClientEditPanel>(u"editPanel"_s); }
    // A change not yet saved that leaves the table as it was: the delete
    // command answered No, or on an empty table, asking nothing.
    void markModified()
    {
        WindowDriver(m_form.get()).clickAnswering(u"deleteButton"_s, m_dialogs, Dialogs::Answer::No, !table()->isEmpty());
    }
    template<typename T> T *child(const QString &name) const
    {
        T *found = m_form->findChild<T *>(name);
        if (!found)
            qWarning("no child %s", qPrintable(name));
        return found;
    }
    QWidget *focus() const { return QApplication::focusWidget(); }
    QString focusName() const { return focus() ? focus()->objectName() : QString(); }
    void click(const QString &button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void trigger(const QString &action) { child<QAction>(action)->trigger(); }
    void type(QWidget *widget, const QString &text);
    void chooseDocType(int index);
    void fillTable(int count);
    QString countText() const { return child<QLabel>(u"rowsCountLabel"_s)->text(); }
    int records() const { return table()->recordCount(); }
    QString cell(int row, int column) const { return table()->cell(row, column); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{kNow};
    std::unique_ptr<ClientsWindow> m_form;
};

void TestClientsWindow::init()
{
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
}

void TestClientsWindow::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

// One key event per character, as the keyboard sends them.
void TestClientsWindow::type(QWidget *widget, const QString &text)
{
    widget->setFocus();
    for (QChar c : text) {
        if (c == u'\b')
            QTest::keyClick(widget, Qt::Key_Backspace);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// What a user's pick in the list does; setting the index alone is the program's.
void TestClientsWindow::chooseDocType(int index)
{
    auto *docType = child<QComboBox>(u"docType"_s);
    docType->setCurrentIndex(index);
    emit docType->activated(index);
}

void TestClientsWindow::fillTable(int count)
{
    table()->replaceAll(tableRecords(count));
    table()->renumber();
}

// The payroll window's shortcuts, from any field of the window.
void TestClientsWindow::shortcuts_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<ScriptedDialogs::Kind>("shown");
    QTest::newRow("new asks about the changes") << QKeySequence(u"Ctrl+N"_s) << ScriptedDialogs::Kind::Question;
    QTest::newRow("open") << QKeySequence(u"Ctrl+O"_s) << ScriptedDialogs::Kind::OpenFile;
    QTest::newRow("print") << QKeySequence(u"Ctrl+P"_s) << ScriptedDialogs::Kind::PrintSetup;
}

void TestClientsWindow::shortcuts()
{
    QFETCH(QKeySequence, keys);
    QFETCH(ScriptedDialogs::Kind, shown);
    if (shown == ScriptedDialogs::Kind::Question) {
        markModified();
        m_dialogs.clear();
        m_dialogs.setNextAnswer(Answer::Cancel);
    }
    QWidget *field = child<QLineEdit>(u"surname"_s);
    field->setFocus();
    QTest::keySequence(field, keys);
    QVERIFY(!m_dialogs.shown.isEmpty());
    QCOMPARE(m_dialogs.shown.first().kind, shown);
}

void TestClientsWindow::startState()
{
    QCOMPARE(m_form->windowTitle(), u"Регистрация клиентов"_s);
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(countText(), u"Всего записей :0 (максимум 500)"_s);
    QVERIFY(!m_form->isModified());
    QCOMPARE(m_form->windowTitle(), u"Регистрация клиентов"_s);

    auto *docType = child<QComboBox>(u"docType"_s);
    QCOMPARE(docType->count(), 8);
    QCOMPARE(docType->currentIndex(), -1);
    QCOMPARE(docType->itemText(7), u"Другое"_s);
    QCOMPARE(child<QComboBox>(u"sex"_s)->currentText(), u"Мужской"_s);

    // The empty table shows its header alone; the edit area its unfilled forms.
    QCOMPARE(records(), 0);
    auto *grid = child<ClientGrid>(u"mainGrid"_s);
    QVERIFY(grid->isColumnHidden(9) && grid->isColumnHidden(20) && !grid->isColumnHidden(8));
    QCOMPARE(grid->model()->headerData(5, Qt::Horizontal).toString(), u"Серия и №"_s);
    QVERIFY(!(grid->focusPolicy() & Qt::TabFocus));
    QCOMPARE(panel()->fields(), ClientFields());

    const std::pair<const char16_t *, const char16_t *> masks[] = {
        {u"inn", u"000000000;1;_"}, {u"birthday", u"!99/99/0000;1;"}, {u"phone", u"!9999999;1;_"},
        {u"passportDate", u"!99/99/0000;1;"}, {u"passportEnd", u"!99/99/9999;1;"},
        {u"mobileNumber", u"!\\(99\\)000-00-00;1;_"},
    };
    for (const auto &[name, mask] : masks)
        QCOMPARE(child<MaskedEdit>(QString::fromUtf16(name))->editMask(), QString::fromUtf16(mask));
    const std::pair<const char16_t *, int> limits[] = {
        {u"surname", 30}, {u"name", 30}, {u"patronymic", 30}, {u"passportSerial", 10}, {u"passportNumber", 20},
        {u"passportPlace", 100}, {u"address", 100}, {u"placeOfBirth", 100}, {u"taxOffice", 32767},
    };
    for (const auto &[name, limit] : limits)
        QCOMPARE(child<QLineEdit>(QString::fromUtf16(name))->maxLength(), limit);
    QCOMPARE(child<QLineEdit>(u"surname"_s)->toolTip(), u"Ввод только кириллица"_s);
    QCOMPARE(child<QLineEdit>(u"passportSerial"_s)->toolTip(), u"Ввод только большие латинские буквы"_s);

    // The menus.
    const auto texts = [](const QList<QAction *> &actions) {
        QStringList out;
        for (QAction *a : actions)
            out << a->text().remove(u'&');
        return out;
    };
    QCOMPARE(texts(m_form->menuBar()->actions()),
             (QStringList{u"Файл"_s, u"Правка"_s, u"Сервис"_s, u"О программе"_s}));
    QCOMPARE(texts(child<QMenu>(u"fileMenu"_s)->actions()),
             (QStringList{u"Новый"_s, u"Сохранить"_s, u"Загрузить"_s, u"Загрузить из txt"_s,
                          u"Вставить из буфера"_s, u"Печать"_s, u"Предварительный просмотр"_s, u"Последние файлы"_s,
                          QString(), u"Выход"_s}));
    QCOMPARE(texts(child<QMenu>(u"serviceMenu"_s)->actions()), (QStringList{u"Кардолист"_s, u"Проверить"_s}));

    // A key the mask refuses marks nothing; a digit does.
    auto *inn = child<MaskedEdit>(u"inn"_s);
    type(inn, u"x"_s);
    QCOMPARE(child<QLabel>(u"innLabel"_s)->text(), u"Инн"_s);
    type(inn, u"1"_s);
    QCOMPARE(child<QLabel>(u"innLabel"_s)->text(), u"Инн *"_s);
}

void TestClientsWindow::tabOrder()
{
    const QStringList expected = {
        u"surname"_s, u"name"_s, u"patronymic"_s, u"sex"_s, u"inn"_s, u"birthday"_s, u"phone"_s,
        u"docType"_s, u"passportSerial"_s, u"passportNumber"_s, u"passportDate"_s, u"passportPlace"_s,
        u"passportEnd"_s, u"address"_s, u"addButton"_s, u"editButton"_s, u"deleteButton"_s, u"clearButton"_s,
        u"printButton"_s, u"placeOfBirth"_s, u"passportIssuedBy"_s, u"taxOffice"_s, u"mobileNumber"_s,
        u"surname"_s,
    };
    child<QWidget>(u"surname"_s)->setFocus();
    QStringList visited = {focusName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(focus(), Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, expected);
}

void TestClientsWindow::checksFocusTheirField_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("docType");
    QTest::addColumn<QString>("focused");

    QTest::newRow("no surname") << u"surname"_s << QString() << 0 << u"surname"_s;
    QTest::newRow("Cyrillic name, biometric") << u"name"_s << u"Азиз"_s << 5 << u"name"_s;
    QTest::newRow("no inn") << u"inn"_s << u"         "_s << 0 << u"inn"_s;
    QTest::newRow("31 February") << u"birthday"_s << u"31.02.1980"_s << 0 << u"birthday"_s;
    QTest::newRow("three-letter series") << u"passportSerial"_s << u"AAA"_s << 0 << u"passportSerial"_s;
    QTest::newRow("6-digit number") << u"passportNumber"_s << u"123456"_s << 0 << u"passportNumber"_s;
    QTest::newRow("no place of issue") << u"passportPlace"_s << QString() << 0 << u"passportPlace"_s;
    QTest::newRow("no expiry date") << u"passportEnd"_s << u"  .  .    "_s << 0 << u"passportEnd"_s;
    QTest::newRow("no mobile number") << u"mobileNumber"_s << u"(  )   -  -  "_s << 1 << u"mobileNumber"_s;
}

void TestClientsWindow::checksFocusTheirField()
{
    QFETCH(QString, member);
    QFETCH(QString, value);
    QFETCH(int, docType);
    QFETCH(QString, focused);

    ClientFields f = ValidClientFields(1, docType);
    if (docType == 5)
        f.surname = u"Karimov"_s, f.patronymic = u"Rustamovich"_s, f.name = u"Aziz"_s;
    QString ClientFields::*members[] = {&ClientFields::surname, &ClientFields::name, &ClientFields::inn,
                                        &ClientFields::birthday, &ClientFields::passportSeries, &ClientFields::passportNumber,
                                        &ClientFields::passportPlace, &ClientFields::passportEnd,
                                        &ClientFields::mobileNumber};
    const QStringList names = {u"surname"_s, u"name"_s, u"inn"_s, u"birthday"_s, u"passportSerial"_s, u"passportNumber"_s,
                               u"passportPlace"_s, u"passportEnd"_s, u"mobileNumber"_s};
    f.*members[names.indexOf(member)] = value;
    const ClientCheckResult expected = ValidateClientFields(f, kNow.date().year());
    QVERIFY(expected);

    for (const QString &button : {u"addButton"_s, u"editButton"_s}) {
        panel()->setFields(f);
        m_dialogs.clear();
        click(button);
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown[0].kind, Kind::Information);
        QCOMPARE(m_dialogs.lastText(), expected->message);
        QCOMPARE(focusName(), focused);
        QCOMPARE(records(), 0);
        QVERIFY(!m_form->isModified());
    }
}

void TestClientsWindow::addClient()
{
    ClientFields f = ValidClientFields();
    panel()->setFields(f);
    click(u"addButton"_s);

    QCOMPARE(m_dialogs.shown.size(), 0);
    QCOMPARE(records(), 1);
    QCOMPARE(countText(), u"Всего записей :1 (максимум 500)"_s);
    ClientRecord expected = RecordFromFields(f, NameParts::Trimmed);
    expected[ClientColumn::Number] = u"1"_s;
    QCOMPARE(table()->record(0), expected);
    QVERIFY(!!m_form->isModified());
    QCOMPARE(focusName(), u"mainGrid"_s);

    // The edit area is cleared, the document type kept; clearing marked the
    // labels of the fields it changed, and the edit button.
    ClientFields cleared;
    cleared.docType = f.docType;
    QCOMPARE(panel()->fields(), cleared);
    QCOMPARE(child<QLabel>(u"surnameLabel"_s)->text(), u"Фамилия *"_s);
    QCOMPARE(child<QLabel>(u"documentLabel"_s)->text(), u"Серия и № документа *"_s);
    QCOMPARE(child<QLabel>(u"birthdayLabel"_s)->text(), u"Дата рождения *"_s);
    QCOMPARE(child<QLabel>(u"phoneLabel"_s)->text(), u"Телефон"_s);
    QCOMPARE(child<QLabel>(u"sexLabel"_s)->text(), u"Пол"_s);
    auto *edit = child<QPushButton>(u"editButton"_s);
    QCOMPARE(edit->text(), u"Изменить текущую *"_s);
    QCOMPARE(edit->palette().color(QPalette::ButtonText), QColor(0x80, 0, 0));

    // A second client goes after the first.
    panel()->setFields(ValidClientFields(2));
    QCOMPARE(child<QLabel>(u"surnameLabel"_s)->text(), u"Фамилия *"_s);
    click(u"addButton"_s);
    QCOMPARE(records(), 2);
    QCOMPARE(cell(1, ClientColumn::Number), u"2"_s);
    QCOMPARE(cell(1, ClientColumn::Document), u"AA 0000002"_s);
}

void TestClientsWindow::addTrimsNamesEditKeepsThem()
{
    ClientFields f = ValidClientFields();
    f.patronymic = u"Рустамович "_s;
    panel()->setFields(f);
    click(u"addButton"_s);
    QCOMPARE(cell(0, ClientColumn::Patronymic), u"Рустамович"_s);
    QCOMPARE(cell(0, ClientColumn::FullName), u"Каримов Азиз Рустамович"_s);

    // The add emptied the edit area: what is typed there now is no loaded row.
    panel()->setFields(f);
    m_dialogs.setNextAnswer(Answer::Yes);
    click(u"editButton"_s);
    QCOMPARE(m_dialogs.texts(),
             QStringList{u"Поля ввода не загружены из текущей записи. Заменить ими запись 1 (Каримов Азиз Рустамович)?"_s});
    QCOMPARE(cell(0, ClientColumn::Patronymic), u"Рустамович "_s);
    QCOMPARE(cell(0, ClientColumn::FullName), u"Каримов Азиз Рустамович "_s);
    QCOMPARE(cell(0, ClientColumn::Number), u"1"_s);
    // Editing keeps the edit area and clears the marks.
    QCOMPARE(panel()->fields(), f);
    QCOMPARE(child<QPushButton>(u"editButton"_s)->text(), u"Изменить текущую"_s);
    QCOMPARE(child<QLabel>(u"surnameLabel"_s)->text(), u"Фамилия"_s);
}

void TestClientsWindow::addAtLimit()
{
    fillTable(kMaxClientRecords);
    panel()->setFields(ValidClientFields(9999));
    click(u"addButton"_s);
    QCOMPARE(m_dialogs.texts(), QStringList{u"Достигнуто максимальное количество записей(500)"_s});
    QCOMPARE(records(), kMaxClientRecords);
    QVERIFY(!m_form->isModified());

    // A full table can still be edited and deleted from.
    auto *grid = child<ClientGrid>(u"mainGrid"_s);
    QVERIFY(grid->selectCell(499, 0));
    ClientFields f = ValidClientFields(9999);
    panel()->setFields(f);
    click(u"editButton"_s);
    QCOMPARE(cell(499, ClientColumn::PassportNumber), u"0009999"_s);
    m_dialogs.setNextAnswer(Answer::Yes);
    click(u"deleteButton"_s);
    QCOMPARE(records(), kMaxClientRecords - 1);
    QCOMPARE(countText(), u"Всего записей :499 (максимум 500)"_s);
}

void TestClientsWindow::duplicates_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<QString>("series");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("message");

    const QString message = u"Паспортные данные %1 0000003 уже существуют в строке 3"_s;
    QTest::newRow("add") << u"addButton"_s << 0 << u"AA"_s << Kind::Information << message.arg(u"AA"_s);
    // Series and number are compared trimmed, shown as typed.
    QTest::newRow("add, blank before the series")
        << u"addButton"_s << 0 << u" AA"_s << Kind::Information << message.arg(u" AA"_s);
    QTest::newRow("edit another row") << u"editButton"_s << 3 << u"AA"_s << Kind::Error
                                      << message.arg(u"AA"_s) + u'.';
    QTest::newRow("edit the row itself") << u"editButton"_s << 2 << u"AA"_s << Kind::Error << QString();
}

void TestClientsWindow::duplicates()
{
    QFETCH(QString, button);
    QFETCH(int, currentRow);
    QFETCH(QString, series);
    QFETCH(Kind, kind);
    QFETCH(QString, message);

    fillTable(5);
    QVERIFY(child<ClientGrid>(u"mainGrid"_s)->selectCell(currentRow, 0));
    const ClientRecords before = table()->records();
    ClientFields f = ValidClientFields(3, 1);
    f.passportSeries = series;
    panel()->setFields(f);
    click(button);

    if (message.isEmpty()) {
        QCOMPARE(m_dialogs.shown.size(), 0);
        QCOMPARE(cell(2, ClientColumn::DocType), u"1"_s);
        return;
    }
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].kind, kind);
    QCOMPARE(m_dialogs.lastText(), message);
    QCOMPARE(table()->records(), before);
    QCOMPARE(panel()->fields(), f);
    QVERIFY(!m_form->isModified());
}

void TestClientsWindow::editOnEmptyTableAdds()
{
    const ClientFields f = ValidClientFields();
    panel()->setFields(f);
    click(u"editButton"_s);
    QCOMPARE(records(), 1);
    QCOMPARE(cell(0, ClientColumn::Number), u"1"_s);
    QCOMPARE(countText(), u"Всего записей :1 (максимум 500)"_s);
    QCOMPARE(panel()->fields(), f);
    QVERIFY(!!m_form->isModified());
}

void TestClientsWindow::deleteClient_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("row");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QList<int>>("order"); // the records left, by their first number

    QTest::newRow("row 2 of 5: the last moves in") << 5 << 1 << Answer::Yes << QList<int>{1, 5, 3, 4};
    QTest::newRow("the last of 5") << 5 << 4 << Answer::Yes << QList<int>{1, 2, 3, 4};
    QTest::newRow("the first of 2") << 2 << 0 << Answer::Yes << QList<int>{2};
    QTest::newRow("the only one") << 1 << 0 << Answer::Yes << QList<int>{};
    QTest::newRow("answered No") << 3 << 1 << Answer::No << QList<int>{1, 2, 3};
    QTest::newRow("empty table: no question") << 0 << 0 << Answer::Ok << QList<int>{};
}

void TestClientsWindow::deleteClient()
{
    QFETCH(int, count);
    QFETCH(int, row);
    QFETCH(Answer, answer);
    QFETCH(QList<int>, order);

    fillTable(count);
    if (count > 0)
        QVERIFY(child<ClientGrid>(u"mainGrid"_s)->selectCell(row, 0));
    if (answer != Answer::Ok)
        m_dialogs.setNextAnswer(answer);
    const ClientFields shownBefore = panel()->fields();
    click(u"deleteButton"_s);

    if (answer == Answer::Ok) {
        QCOMPARE(m_dialogs.shown.size(), 0);
    } else {
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown[0].caption, u"Удаление записи"_s);
        QCOMPARE(m_dialogs.shown[0].text, u"Вы действительно хотите удалить данную запись?"_s);
        QCOMPARE(m_dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
        // A stray Enter keeps the record.
        QCOMPARE(m_dialogs.defaultNoQuestions, QStringList{m_dialogs.shown[0].text});
    }
    QCOMPARE(records(), order.size());
    for (int i = 0; i < order.size(); ++i) {
        // Every cell moves with the record; only its number is the new row's.
        ClientRecord expected = tableRecord(order[i]);
        expected[ClientColumn::Number] = QString::number(i + 1);
        QCOMPARE(table()->record(i), expected);
    }
    QCOMPARE(countText(), u"Всего записей :%1 (максимум 500)"_s.arg(order.size()));
    QVERIFY(!!m_form->isModified());
    if (answer == Answer::Yes && !order.isEmpty()) {
        QCOMPARE(child<ClientGrid>(u"mainGrid"_s)->currentRow(), 0);
        QCOMPARE(panel()->fields(), FieldsFromRecord(table()->record(0)));
    } else if (answer == Answer::Yes) {
        QCOMPARE(panel()->fields(), shownBefore);
    }
}

void TestClientsWindow::clearTable_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<int>("left");

    QTest::newRow("Yes") << Answer::Yes << 0;
    QTest::newRow("No") << Answer::No << 3;
    QTest::newRow("Cancel") << Answer::Cancel << 3;
}

void TestClientsWindow::clearTable()
{
    QFETCH(Answer, answer);
    QFETCH(int, left);

    fillTable(3);
    const ClientFields f = ValidClientFields(7);
    panel()->setFields(f);
    m_dialogs.setNextAnswer(answer);
    click(u"clearButton"_s);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].caption, u"Удаление"_s);
    QCOMPARE(m_dialogs.shown[0].text, u"Вы действительно хотите очистить всю таблицу?"_s);
    QCOMPARE(m_dialogs.shown[0].buttons, Dialogs::Buttons::YesNoCancel);
    QCOMPARE(m_dialogs.defaultNoQuestions, QStringList{m_dialogs.shown[0].text});
    QCOMPARE(records(), left);
    QCOMPARE(countText(), u"Всего записей :%1 (максимум 500)"_s.arg(left));
    QCOMPARE(!m_form->isModified(), left != 0);
    QCOMPARE(panel()->fields(), f);
}

void TestClientsWindow::clickLoadsRow()
{
    fillTable(3);
    panel()->setFields(ValidClientFields(8));
    auto *grid = child<ClientGrid>(u"mainGrid"_s);
    const QRect r = grid->visualRect(grid->model()->index(1, ClientColumn::FullName));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(grid->currentRow(), 1);
    QCOMPARE(panel()->fields(), FieldsFromRecord(tableRecord(2)));
    QCOMPARE(child<QLabel>(u"surnameLabel"_s)->text(), u"Фамилия"_s);
    QCOMPARE(child<QPushButton>(u"editButton"_s)->text(), u"Изменить текущую"_s);
    QCOMPARE(child<QPushButton>(u"editButton"_s)->palette().color(QPalette::ButtonText), QColor(Qt::black));
    // The arrow keys move the row, loading it as well.
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(panel()->fields(), FieldsFromRecord(tableRecord(3)));
}

void TestClientsWindow::docTypeChoiceAndLoading()
{
    auto *series = child<QLineEdit>(u"passportSerial"_s);
    auto *number = child<QLineEdit>(u"passportNumber"_s);
    chooseDocType(1);
    type(series, u"AB12345678XYZ"_s);
    QCOMPARE(series->text(), u"AB12345678"_s);

    // A user's choice empties series and number and sets their limits.
    chooseDocType(0);
    QCOMPARE(series->text(), QString());
    QCOMPARE(series->maxLength(), 2);
    QCOMPARE(number->maxLength(), 7);
    chooseDocType(7);
    QCOMPARE(series->maxLength(), 10);
    QCOMPARE(number->maxLength(), 20);

    // Loading a record sets the list without choosing: limits and texts stay.
    chooseDocType(1);
    fillTable(2);
    ClientRecord passport = tableRecord(1);
    passport[ClientColumn::DocType] = u"0"_s;
    table()->overwrite(0, passport);
    QVERIFY(child<ClientGrid>(u"mainGrid"_s)->selectCell(0, 0));
    QCOMPARE(child<QComboBox>(u"docType"_s)->currentIndex(), 0);
    QCOMPARE(series->text(), u"AA"_s);
    QCOMPARE(number->text(), u"0000001"_s);
    QCOMPARE(series->maxLength(), 10);
    QCOMPARE(number->maxLength(), 20);

    // A loaded series longer than the limit last chosen is not cut.
    chooseDocType(0);
    ClientRecord other = tableRecord(2);
    other[ClientColumn::DocType] = u"1"_s;
    other[ClientColumn::PassportSeries] = u"ABCDEFGH"_s;
    table()->overwrite(1, other);
    QVERIFY(child<ClientGrid>(u"mainGrid"_s)->selectCell(1, 0));
    QCOMPARE(series->text(), u"ABCDEFGH"_s);
    QCOMPARE(panel()->fields().passportSeries, u"ABCDEFGH"_s);
}

void TestClientsWindow::keyFilters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("docType");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("note"); // a piece of the note shown; empty for none

    const QString outside = u"нет в кодировке Windows-1251"_s;
    QTest::newRow("surname, no type") << u"surname"_s << -1 << u"Ёлкин-O'Neil ё1"_s << u"Елкин-O'Neilе"_s
                                      << u"«ё» на «е»"_s;
    QTest::newRow("name, type 0") << u"name"_s << 0 << u"Азиз Aziz"_s << u"АзизAziz"_s << QString();
    QTest::newRow("name, biometric") << u"name"_s << 5 << u"АзизAziz-Ё"_s << u"Aziz-"_s << QString();
    QTest::newRow("patronymic keeps blanks") << u"patronymic"_s << 3 << u"Азиз угли2"_s << u"Азиз угли"_s
                                             << QString();
    QTest::newRow("patronymic, biometric") << u"patronymic"_s << 5 << u"Aziz угли ogli"_s << u"Aziz  ogli"_s
                                           << QString();
    QTest::newRow("series, passport") << u"passportSerial"_s << 0 << u"aA1Б B"_s << u"AB"_s << QString();
    QTest::newRow("series, backspace") << u"passportSerial"_s << 5 << u"AC\bB"_s << u"AB"_s << QString();
    QTest::newRow("series, other type") << u"passportSerial"_s << 2 << u"aБ-1 "_s << u"aБ-1 "_s << QString();
    QTest::newRow("number, biometric") << u"passportNumber"_s << 5 << u"12ab 34"_s << u"1234"_s << QString();
    QTest::newRow("number, no type") << u"passportNumber"_s << -1 << u"№ 12/a"_s << u"№ 12/a"_s << QString();
    QTest::newRow("outside the code page") << u"passportPlace"_s << -1 << u"Tosh\u0394kent"_s << u"Toshkent"_s
                                           << outside;
    QTest::newRow("Uzbek letter in a surname") << u"surname"_s << -1 << u"Қодиров"_s << u"Кодиров"_s
                                               << u"«Қ» на «К»"_s;
    QTest::newRow("Ё in a patronymic") << u"patronymic"_s << 0 << u"Бахтиёрович"_s << u"Бахтиерович"_s
                                       << u"«ё» на «е»"_s;
    QTest::newRow("Uzbek letters in a series") << u"passportSerial"_s << 2 << u"ҚҒ"_s << u"КГ"_s << u"«Ғ» на «Г»"_s;
    QTest::newRow("Uzbek letter in a number") << u"passportNumber"_s << 7 << u"Ҳ-12"_s << u"Х-12"_s
                                              << u"«Ҳ» на «Х»"_s;
    QTest::newRow("no usual spelling") << u"name"_s << -1 << u"Ali\u0394"_s << u"Ali"_s << outside;
}

void TestClientsWindow::keyFilters()
{
    QFETCH(QString, field);
    QFETCH(int, docType);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QString, note);

    chooseDocType(docType);
    auto *edit = child<QLineEdit>(field);
    type(edit, typed);
    QCOMPARE(edit->text(), kept);
    auto *shown = child<QLabel>(u"inputNote"_s);
    QCOMPARE(shown->isVisible(), !note.isEmpty());
    if (!note.isEmpty())
        QVERIFY2(shown->text().contains(note), qPrintable(shown->text()));
    // The note goes with the focus.
    child<QWidget>(u"inn"_s)->setFocus();
    QVERIFY(!shown->isVisible());
}

void TestClientsWindow::pasteIsNotFiltered_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<bool>("noted");

    QTest::newRow("Ё passes") << u"surname"_s << u"Ёлкин"_s << u"Ёлкин"_s << false;
    QTest::newRow("small letters into a passport series") << u"passportSerial"_s << u"ab"_s << u"ab"_s << false;
    QTest::newRow("outside the code page is refused") << u"surname"_s << u"Ёл\u03A9кин"_s << QString() << true;
    QTest::newRow("Uzbek letters take their usual spelling") << u"passportPlace"_s << u"Қарши, Ғузор"_s
                                                             << u"Карши, Гузор"_s << true;
}

void TestClientsWindow::pasteIsNotFiltered()
{
    QFETCH(QString, field);
    QFETCH(QString, clipboard);
    QFETCH(QString, kept);
    QFETCH(bool, noted);

    chooseDocType(0);
    QApplication::clipboard()->setText(clipboard);
    auto *edit = child<QLineEdit>(field);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), kept);
    QCOMPARE(child<QLabel>(u"inputNote"_s)->isVisible(), noted);
}

void TestClientsWindow::paging_data()
{
    QTest::addColumn<QList<int>>("rows"); // 1-based, selected in turn
    QTest::addColumn<int>("position");

    QTest::newRow("row 40") << QList<int>{40} << 1000;
    QTest::newRow("row 40, then 25") << QList<int>{40, 25} << 500;
    QTest::newRow("row 40, then 41") << QList<int>{40, 41} << 1000;
    QTest::newRow("row 60, then 5") << QList<int>{60, 5} << 0;
    QTest::newRow("row 39 scrolled into view") << QList<int>{39} << -1;
}

void TestClientsWindow::paging()
{
    QFETCH(QList<int>, rows);
    QFETCH(int, position);

    fillTable(100);
    auto *grid = child<ClientGrid>(u"mainGrid"_s);
    for (int row : rows)
        QVERIFY(grid->selectCell(row - 1, 0));
    auto *area = child<QScrollArea>(u"gridScrollArea"_s);
    // -1: the page's position leaves the row below the view; it is scrolled up just enough.
    const int bottom = ClientGrid::kRowHeight * (rows.last() + 1);
    QCOMPARE(WindowDriver(m_form.get()).scrollPosition(u"gridScrollArea"_s), position >= 0 ? position : bottom - area->viewport()->height());
    QCOMPARE(panel()->fields(), FieldsFromRecord(tableRecord(rows.last())));
}

void TestClientsWindow::saveQuestion_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("goesOn");

    for (const auto &[action, caption] : {std::pair{u"newAction"_s, u"Новый"_s},
                                          std::pair{u"loadAction"_s, u"Загрузка файла"_s},
                                          std::pair{u"payrollAction"_s, u"Выход"_s}}) {
        QTest::addRow("%s, No", qPrintable(action)) << action << caption << Answer::No << true;
        QTest::addRow("%s, Cancel", qPrintable(action)) << action << caption << Answer::Cancel << false;
    }
}

void TestClientsWindow::saveQuestion()
{
    QFETCH(QString, action);
    QFETCH(QString, caption);
    QFETCH(Answer, answer);
    QFETCH(bool, goesOn);

    QSignalSpy payroll(m_form.get(), &ClientsWindow::payrollRequested);
    panel()->setFields(ValidClientFields());
    click(u"addButton"_s);
    panel()->setFields(ValidClientFields(2));
    m_dialogs.clear();
    m_dialogs.setNextAnswer(answer);
    trigger(action);

    QCOMPARE(m_dialogs.shown.size(), goesOn && action == u"loadAction"_s ? 2 : 1);
    QCOMPARE(m_dialogs.shown[0].caption, caption);
    QCOMPARE(m_dialogs.shown[0].text, kSaveQuestion);
    QCOMPARE(m_dialogs.shown[0].buttons, Dialogs::Buttons::YesNoCancel);
    if (goesOn && action == u"loadAction"_s)
        QCOMPARE(m_dialogs.shown[1].text, u"CLSV|CLSV*"_s);
    QCOMPARE(payroll.size(), goesOn && action == u"payrollAction"_s ? 1 : 0);

    const bool cleared = goesOn && action == u"newAction"_s;
    QCOMPARE(records(), cleared ? 0 : 1);
    ClientFields emptied;
    emptied.docType = 0; // the clearing keeps the document type
    QCOMPARE(panel()->fields() == emptied, cleared);
    QCOMPARE(!m_form->isModified(), cleared);
    if (cleared) {
        QCOMPARE(countText(), u"Всего записей :0 (максимум 500)"_s);
        QCOMPARE(m_form->windowTitle(), u"Регистрация клиентов"_s);
        QCOMPARE(child<QLabel>(u"surnameLabel"_s)->text(), u"Фамилия"_s);
    }

    // A saved table asks nothing.
    if (m_form->isModified()) {
        m_dialogs.setNextAnswer(Answer::No);
        trigger(u"newAction"_s);
    }
    m_dialogs.clear();
    trigger(u"payrollAction"_s);
    QVERIFY(m_dialogs.shown.isEmpty());
}

void TestClientsWindow::closeQuestion_data()
{
    QTest::addColumn<bool>("saved");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("closes");

    QTest::newRow("saved: no question") << true << Answer::Ok << true;
    QTest::newRow("No") << false << Answer::No << true;
    QTest::newRow("Cancel") << false << Answer::Cancel << false;
}

void TestClientsWindow::closeQuestion()
{
    QFETCH(bool, saved);
    QFETCH(Answer, answer);
    QFETCH(bool, closes);

    if (!saved)
        markModified();
    if (answer != Answer::Ok)
        m_dialogs.setNextAnswer(answer);
    trigger(u"exitAction"_s);
    QCOMPARE(m_form->isVisible(), !closes);
    if (!saved) {
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown[0].caption, u"Выход"_s);
        QCOMPARE(m_dialogs.shown[0].text, kSaveQuestion);
    } else {
        QVERIFY(m_dialogs.shown.isEmpty());
    }
}

void TestClientsWindow::printAndPreview()
{
    fillTable(2);
    const QString pdf = m_dir->filePath(u"list.pdf"_s);
    m_dialogs.setNextPrintSetup(false);
    click(u"printButton"_s);
    m_dialogs.setNextPrintSetup(true);
    m_dialogs.setPrintPdf(pdf);
    click(u"printButton"_s);
    trigger(u"previewAction"_s);

    QCOMPARE(m_dialogs.shown.size(), 3);
    QCOMPARE(m_dialogs.shown[0].kind, Kind::PrintSetup);
    QCOMPARE(m_dialogs.shown[1].kind, Kind::PrintSetup);
    QCOMPARE(m_dialogs.shown[2].kind, Kind::PrintPreview);
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void TestClientsWindow::about()
{
    QSignalSpy about(m_form.get(), &ClientsWindow::aboutRequested);
    trigger(u"aboutAction"_s);
    QCOMPARE(about.size(), 1);
}

void TestClientsWindow::saveAndLoad()
{
    const QString workDir = QDir::currentPath();
    fillTable(3);
    markModified();
    trigger(u"saveAction"_s);
    QCOMPARE(m_dialogs.texts(), QStringList{u"Файл успешно сохранен как "_s + kSavedName});
    QVERIFY(!m_form->isModified());
    QVERIFY(m_form->windowTitle() != u"Регистрация клиентов"_s);
    QCOMPARE(m_form->windowTitle(), workDir + u'/' + kSavedName);
    const QByteArray written = FileBytes(kSavedName);
    QCOMPARE(written, BuildClientListFile(kSettings, tableRecords(3), kNow));

    // A new list forgets the file; loading it back restores every cell.
    trigger(u"newAction"_s);
    QCOMPARE(records(), 0);
    QCOMPARE(m_form->windowTitle(), u"Регистрация клиентов"_s);
    m_dialogs.clear();
    m_dialogs.setNextFileName(kSavedName);
    trigger(u"loadAction"_s);
    QCOMPARE(m_dialogs.filters, QStringList{u"CLSV|CLSV*"_s});
    QCOMPARE(m_dialogs.folders, QStringList{u"Клиенты"_s});
    QCOMPARE(QDir::currentPath(), workDir);
    QCOMPARE(table()->records(), tableRecords(3));
    QCOMPARE(countText(), u"Всего записей :3 (максимум 500)"_s);
    QCOMPARE(panel()->fields(), FieldsFromRecord(tableRecord(1)));
    QVERIFY(!m_form->isModified());
    QCOMPARE(m_form->windowTitle(), kSavedName);
    QCOMPARE(m_form->windowTitle(), kSavedName);

    // Saved again over itself, unchanged, the file is the same.
    m_dialogs.clear();
    m_dialogs.setNextAnswer(Answer::Yes);
    trigger(u"saveAction"_s);
    QCOMPARE(m_dialogs.shown[0].caption, u"Сохранение"_s);
    QCOMPARE(m_dialogs.shown[0].text, ClientOverwriteQuestion());
    QCOMPARE(m_dialogs.lastText(), u"Файл успешно сохранен как "_s + kSavedName);
    QCOMPARE(FileBytes(kSavedName), written);
}

void TestClientsWindow::saveInsideQuestion_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("clients");
    QTest::addColumn<bool>("named");
    QTest::addColumn<QString>("error"); // empty: the save happens and the command goes on

    for (const QString &action : {u"payrollAction"_s, u"exitAction"_s, u"newAction"_s}) {
        QTest::addRow("%s, saved", qPrintable(action)) << action << 2 << false << QString();
        QTest::addRow("%s, empty table", qPrintable(action))
            << action << 0 << false << u"Таблица не заполнена!"_s;
        QTest::addRow("%s, overwrite cancelled", qPrintable(action)) << action << 2 << true << u"-"_s;
    }
}

void TestClientsWindow::saveInsideQuestion()
{
    QFETCH(QString, action);
    QFETCH(int, clients);
    QFETCH(bool, named);
    QFETCH(QString, error);

    fillTable(clients);
    if (named) {
        trigger(u"saveAction"_s);
        QVERIFY(m_form->windowTitle() != u"Регистрация клиентов"_s);
    }
    // Deleting, even from an empty table, leaves the table unsaved.
    if (clients > 0)
        m_dialogs.setNextAnswer(Answer::No);
    click(u"deleteButton"_s);
    QVERIFY(!!m_form->isModified());
    const QString title = m_form->windowTitle();
    QSignalSpy payroll(m_form.get(), &ClientsWindow::payrollRequested);
    m_dialogs.clear();
    m_dialogs.setNextAnswer(Answer::Yes);
    if (named)
        m_dialogs.setNextAnswer(Answer::Cancel);
    trigger(action);

    const bool goesOn = error.isEmpty();
    QCOMPARE(m_dialogs.shown[0].text, kSaveQuestion);
    if (goesOn) {
        QCOMPARE(m_dialogs.shown[1].text, u"Файл успешно сохранен как "_s + kSavedName);
        QVERIFY(QFile::exists(kSavedName));
    } else if (error != u"-"_s) {
        QCOMPARE(m_dialogs.lastText(), error);
        QCOMPARE(m_dialogs.shown.last().kind, Kind::Error);
        QCOMPARE(m_form->windowTitle(), title);
    } else {
        QCOMPARE(m_dialogs.shown.last().text, ClientOverwriteQuestion());
    }
    QCOMPARE(payroll.size(), goesOn && action == u"payrollAction"_s ? 1 : 0);
    QCOMPARE(m_form->isVisible(), !(goesOn && action == u"exitAction"_s));
    QCOMPARE(records(), goesOn && action == u"newAction"_s ? 0 : clients);
    QCOMPARE(!m_form->isModified(), goesOn);
}

void TestClientsWindow::loadAtLimit()
{
    QList<ClientRecord> many = tableRecords(kMaxClientRecords + 1);
    QFile file(u"CLSVmany"_s);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(BuildClientListFile(kSettings, many, kNow));
    file.close();

    m_dialogs.setNextFileName(u"CLSVmany"_s);
    trigger(u"loadAction"_s);
    QCOMPARE(m_dialogs.lastText(), u"Достигнуто максимальное количество записей(500)"_s);
    QCOMPARE(table()->records(), many);
    QCOMPARE(countText(), u"Всего записей :501 (максимум 500)"_s);
    QVERIFY(m_form->isModified());
    QCOMPARE(m_form->windowTitle(), u"CLSVmany"_s);
}

void TestClientsWindow::loadRefused()
{
    fillTable(2);
    QFile file(u"CLSVbad"_s);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("XY\r\nD\t0000000002\r\n");
    file.close();

    m_dialogs.setNextFileName(u"CLSVbad"_s);
    trigger(u"loadAction"_s);
    QCOMPARE(m_dialogs.shown.last().kind, Kind::Error);
    QCOMPARE(m_dialogs.lastText(), u"Неверный формат файла!"_s);
    QCOMPARE(table()->records(), tableRecords(2));
    QVERIFY(!m_form->isModified());
    QCOMPARE(m_form->windowTitle(), u"Регистрация клиентов"_s);
    QCOMPARE(m_form->windowTitle(), u"Регистрация клиентов"_s);
}

QTEST_MAIN(TestClientsWindow)
#include "tst_clientswindow.moc"
