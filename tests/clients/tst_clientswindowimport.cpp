#include "support/SettingsFolder.h"
#include "support/ScriptedDialogs.h"
#include "clients/ClientRecord.h"
#include "clients/ClientTableModel.h"
#include "clients/ui/ClientGrid.h"
#include "clients/ui/ClientsWindow.h"
#include "support/WindowDriver.h"
#include "clients/ui/ClientEditPanel.h"
#include "common/Clock.h"
#include "common/Cp1251.h"
#include "common/ui/SheetRowsChoice.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Answer = Dialogs::Answer;
using Kind = ScriptedDialogs::Kind;
Q_DECLARE_METATYPE(Dialogs::Answer)

namespace {

const QDateTime kNow(QDate(2026, 3, 8), QTime(14, 5, 9));
const QString kCaption = u"Регистрация клиентов"_s;

// One client line that passes every check for a national passport; its
// passport number is 1000000 + n and its surname names it.
QStringList lineFields(int n)
{
    return {u"Фамилия"_s + QChar(u'А' + n % 32), u"Азиз"_s, u"Рустамович"_s, u"мужской"_s, u"123456789"_s,
            u"05.06.1980"_s, u"1234567"_s, u"AA"_s, QString::number(1000000 + n), u"15.03.2016"_s,
            u"Юнусабадский РОВД"_s, u"14.03.2026"_s, u"Ташкент, ул. Навои, %1"_s.arg(n)};
}

QString line(int n) { return lineFields(n).join(u'\t'); }

QString lineWith(int n, int index, const QString &value)
{
    QStringList fields = lineFields(n);
    fields[index] = value;
    return fields.join(u'\t');
}

QStringList lines(int count)
{
    QStringList out;
    for (int n = 1; n <= count; ++n)
        out << line(n);
    return out;
}

// The edit area before an import: the five carried-over fields set, the
// others holding leftovers.
ClientFields startFields()
{
    ClientFields f;
    f.surname = u"Остаток"_s;
    f.passportSeries = u"ZZ"_s;
    f.docType = 0;
    f.placeOfBirth = u"Самарканд"_s;
    f.taxOffice = u"ГНИ Юнусабадского района"_s;
    f.mobileNumber = u"(90)123-45-67"_s;
    f.passportIssuedBy = u"ОВД Юнусабадского района"_s;
    return f;
}

// A table that an import may replace, every hidden cell distinct.
QList<ClientRecord> earlierTable(int count)
{
    QList<ClientRecord> records;
    for (int n = 1; n <= count; ++n) {
        ClientRecord r;
        for (int column = 0; column < ClientColumn::Count; ++column)
            r[column] = u"ячейка %1.%2"_s.arg(n).arg(column);
        r[ClientColumn::Number] = QString::number(n);
        r[ClientColumn::DocType] = QString::number(n % kDocTypeCount);
        records.append(r);
    }
    return records;
}

} // namespace

class TestClientsImport : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void goodFile_data();
    void goodFile();
    void keepsFileAndCaption();
    void badLine_data();
    void badLine();
    void nothingHappens_data();
    void nothingHappens();
    void unreadableFile();
    void editAfterBadLine_data();
    void editAfterBadLine();

private:
    ClientTableModel *table() const { return WindowDriver(m_form.get()).model<ClientTableModel>(u"mainGrid"_s); }
    ClientEditPanel *panel() const { return WindowDriver(m_form.get()).child<ClientEditPanel>(u"editPanel"_s); }
    // A change not yet saved that leaves the table as it was: the delete
    // command answered No, or on an empty table, asking nothing.
    void markModified()
    {
        WindowDriver(m_form.get()).clickAnswering(u"deleteButton"_s, m_dialogs, Dialogs::Answer::No, !table()->isEmpty());
    }
    template<typename T> T *child(const QString &name) const { return m_form->findChild<T *>(name); }
    QString focusName() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    // Writes the lines, Windows-1251, in a folder other than the working one.
    QString writeFile(const QStringList &lines, const QString &ending = u"\r\n"_s);
    void importFile(const QString &path);
    QString countText() const { return child<QLabel>(u"rowsCountLabel"_s)->text(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{kNow};
    std::unique_ptr<ClientsWindow> m_form;
};

void TestClientsImport::init()
{
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
    panel()->setFields(startFields());
}

void TestClientsImport::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

QString TestClientsImport::writeFile(const QStringList &lines, const QString &ending)
{
    QDir(m_dir->path()).mkpath(u"Кадры"_s);
    const QString path = m_dir->filePath(u"Кадры/сотрудники.txt"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the import file");
    file.write(Cp1251::encode(lines.join(ending) + ending));
    return path;
}

// Through the menu, the table saved so that no question comes first.
void TestClientsImport::importFile(const QString &path)
{
    m_dialogs.setNextFileName(path);
    child<QAction>(u"importTextAction"_s)->trigger();
}

void TestClientsImport::goodFile_data()
{
    QTest::addColumn<QStringList>("fileLines");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<int>("count");

    QTest::newRow("three clients") << lines(3) << u"\r\n"_s << 3;
    QTest::newRow("LF endings") << lines(3) << u"\n"_s << 3;
    QTest::newRow("CR endings") << lines(3) << u"\r"_s << 3;
    QTest::newRow("blank and TAB lines skipped")
            << QStringList{u""_s, line(1), u"\t \t"_s, u" "_s, line(2)} << u"\r\n"_s << 2;
    QTest::newRow("more than the typing limit") << lines(600) << u"\r\n"_s << 600;
    QTest::newRow("no client line") << QStringList{u"\t\t"_s} << u"\r\n"_s << 0;
}

void TestClientsImport::goodFile()
{
    QFETCH(QStringList, fileLines);
    QFETCH(QString, ending);
    QFETCH(int, count);

    table()->replaceAll(earlierTable(4));
    table()->renumber();
    const ClientFields start = panel()->fields();
    importFile(writeFile(fileLines, ending));

    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].kind, Kind::OpenFile);
    QCOMPARE(m_dialogs.shown[0].text, SheetRowsFilter());
    QCOMPARE(QDir::currentPath(), QDir(m_dir->path()).canonicalPath());

    const ClientTableModel *model = table();
    QCOMPARE(model->recordCount(), count);
    QCOMPARE(countText(), u"Всего записей :%1 (максимум 500)"_s.arg(count));
    QVERIFY(!!m_form->isModified());
    QCOMPARE(m_form->windowTitle(), kCaption);

    QStringList clientLines;
    for (const QString &l : fileLines)
        if (l.count(u'\t') >= 12)
            clientLines << l;
    for (int row = 0; row < count; ++row) {
        const ClientRecord &r = model->record(row);
        QCOMPARE(r[ClientColumn::Number], QString::number(row + 1));
        const QStringList fields = clientLines[row].split(u'\t');
        QCOMPARE(r[ClientColumn::Surname], fields[0]);
        QCOMPARE(r[ClientColumn::PassportNumber], fields[8]);
        QCOMPARE(r[ClientColumn::Sex], u"Мужской"_s);
        // What the text does not carry comes from the edit area at the start.
        const ClientFields f = FieldsFromRecord(r);
        QCOMPARE(f.docType, start.docType);
        QCOMPARE(f.placeOfBirth, start.placeOfBirth);
        QCOMPARE(f.taxOffice, start.taxOffice);
        QCOMPARE(f.mobileNumber, start.mobileNumber);
        QCOMPARE(f.passportIssuedBy, start.passportIssuedBy);
    }

    // The edit area holds the last client, unmarked as an added client is,
    // or, when there is none, what it held.
    const ClientFields after = panel()->fields();
    if (count == 0) {
        QCOMPARE(after, start);
    } else {
        QCOMPARE(after, FieldsFromRecord(model->record(count - 1)));
        QVERIFY(!child<QPushButton>(u"editButton"_s)->text().endsWith(u" *"_s));
        QCOMPARE(child<ClientGrid>(u"mainGrid"_s)->currentIndex().row(), count - 1);
    }
}

// The import names no file: a following save asks to overwrite the one loaded.
void TestClientsImport::keepsFileAndCaption()
{
    importFile(writeFile(lines(3)));
    QVERIFY(QDir().mkpath(u"Клиенты"_s));
    child<QAction>(u"saveAction"_s)->trigger();
    QVERIFY(m_form->windowTitle() != u"Регистрация клиентов"_s);
    const QString file = m_form->windowTitle();
    const QString caption = m_form->windowTitle();
    QVERIFY(caption != kCaption);

    m_dialogs.clear();
    importFile(writeFile(lines(2)));
    QCOMPARE(table()->recordCount(), 2);
    QCOMPARE(m_form->windowTitle(), file);
    QCOMPARE(m_form->windowTitle(), caption);
    QVERIFY(m_form->windowTitle() != u"Регистрация клиентов"_s);
    QVERIFY(!!m_form->isModified());
}

void TestClientsImport::badLine_data()
{
    QTest::addColumn<QStringList>("fileLines");
    QTest::addColumn<int>("lineNumber");
    QTest::addColumn<QString>("reason");   // empty: a check's own text
    QTest::addColumn<QString>("focus");    // empty: focus stays where it was
    QTest::addColumn<QString>("surname");  // the bad line's, in the edit area

    QTest::newRow("third line without a first name")
            << QStringList{line(1), line(2), lineWith(3, 1, QString())} << 3 << QString() << u"name"_s
            << lineFields(3)[0];
    QTest::newRow("blank and TAB lines counted")
            << QStringList{line(1), u""_s, u"\t\t"_s, lineWith(2, 4, QString())} << 4 << QString() << u"inn"_s
            << lineFields(2)[0];
    QTest::newRow("bad date on the first line")
            << QStringList{lineWith(1, 9, u"31.02.2016"_s)} << 1 << QString() << u"passportDate"_s
            << lineFields(1)[0];
    QTest::newRow("duplicate names the first row")
            << QStringList{line(1), line(2), lineWith(1, 0, u"Другой"_s)} << 3
            << u"Паспортные данные AA 1000001 уже существуют в строке 1"_s << QString() << u"Другой"_s;
    QTest::newRow("short line")
            << QStringList{line(1), u"Каримов\tАзиз"_s} << 2 << QString() << QString() << u"Каримов"_s;
}

void TestClientsImport::badLine()
{
    QFETCH(QStringList, fileLines);
    QFETCH(int, lineNumber);
    QFETCH(QString, reason);
    QFETCH(QString, focus);
    QFETCH(QString, surname);

    const QList<ClientRecord> before = earlierTable(5);
    table()->replaceAll(before);
    const ClientFields start = panel()->fields();
    const QString count = countText();
    child<QWidget>(u"address"_s)->setFocus();
    const QString path = writeFile(fileLines);
    importFile(path);

    // Every cell of the earlier table, the hidden ones too, is back.
    QCOMPARE(table()->records(), before);
    QCOMPARE(countText(), count);
    QVERIFY(!!m_form->isModified());
    QCOMPARE(m_form->windowTitle(), kCaption);

    QCOMPARE(m_dialogs.shown.size(), 2);
    QCOMPARE(m_dialogs.shown[1].kind, Kind::Information);
    const QString message = m_dialogs.shown[1].text;
    const QString prefix = u"Обнаружена ошибка в файле:\"%1\", строка:%2, ошибка:<"_s.arg(path).arg(lineNumber);
    QVERIFY2(message.startsWith(prefix) && message.endsWith(u'>'), qPrintable(message));
    const QString shownReason = message.mid(prefix.size()).chopped(1);
    QVERIFY(!shownReason.isEmpty());
    if (!reason.isEmpty())
        QCOMPARE(shownReason, reason);

    // The bad line stays in the edit area, the carried-over fields as they were.
    const ClientFields after = panel()->fields();
    QCOMPARE(after.surname, surname);
    QCOMPARE(after.docType, start.docType);
    QCOMPARE(after.placeOfBirth, start.placeOfBirth);
    QCOMPARE(after.mobileNumber, start.mobileNumber);
    QCOMPARE(focusName(), focus.isEmpty() ? u"address"_s : focus);
}

void TestClientsImport::nothingHappens_data()
{
    QTest::addColumn<bool>("saved");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("fileChosen");
    QTest::addColumn<int>("dialogs");

    QTest::newRow("save question cancelled") << false << Answer::Cancel << true << 1;
    QTest::newRow("file dialog cancelled") << true << Answer::Cancel << false << 1;
    QTest::newRow("no save, file dialog cancelled") << false << Answer::No << false << 2;
}

void TestClientsImport::nothingHappens()
{
    QFETCH(bool, saved);
    QFETCH(Answer, answer);
    QFETCH(bool, fileChosen);
    QFETCH(int, dialogs);

    const QList<ClientRecord> before = earlierTable(3);
    table()->replaceAll(before);
    if (!saved)
        markModified();
    const ClientFields start = panel()->fields();
    if (!saved)
        m_dialogs.setNextAnswer(answer);
    if (fileChosen)
        m_dialogs.setNextFileName(writeFile(lines(2)));
    child<QAction>(u"importTextAction"_s)->trigger();

    QCOMPARE(m_dialogs.shown.size(), dialogs);
    if (!saved) {
        QCOMPARE(m_dialogs.shown[0].caption, u"Загрузка txt файла"_s);
        QCOMPARE(m_dialogs.shown[0].text, u"Сохранить данные?"_s);
        QCOMPARE(m_dialogs.shown[0].buttons, Dialogs::Buttons::YesNoCancel);
    }
    QCOMPARE(table()->records(), before);
    QCOMPARE(panel()->fields(), start);
    QCOMPARE(!m_form->isModified(), saved);
}

void TestClientsImport::unreadableFile()
{
    const QList<ClientRecord> before = earlierTable(3);
    table()->replaceAll(before);
    const ClientFields start = panel()->fields();
    importFile(m_dir->filePath(u"нет такого.txt"_s));

    QCOMPARE(m_dialogs.shown.size(), 2);
    QCOMPARE(m_dialogs.shown[1].kind, Kind::Error);
    QCOMPARE(m_dialogs.shown[1].text,
             u"Не могу загрузить данные из файла. Возможно файл занят другим приложением. Закройте все "
             "приложения, использующие данный файл и повторите снова."_s);
    QCOMPARE(table()->records(), before);
    QCOMPARE(panel()->fields(), start);
    QVERIFY(!m_form->isModified());
}

void TestClientsImport::editAfterBadLine_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("No keeps row 1") << Answer::No;
    QTest::newRow("Yes overwrites row 1") << Answer::Yes;
}

// The edit area holds the bad line, not row 1: the edit command asks first.
void TestClientsImport::editAfterBadLine()
{
    QFETCH(Answer, answer);
    const QList<ClientRecord> before = earlierTable(5);
    table()->replaceAll(before);
    importFile(writeFile({line(1), line(2), lineWith(3, 1, QString())}));
    auto *name = child<QLineEdit>(u"name"_s);
    name->setFocus();
    for (QChar c : u"Азиз"_s)
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);

    const qsizetype shown = m_dialogs.shown.size();
    m_dialogs.setNextAnswer(answer);
    QTest::mouseClick(child<QPushButton>(u"editButton"_s), Qt::LeftButton);
    QCOMPARE(m_dialogs.shown.size(), shown + 1);
    QCOMPARE(m_dialogs.shown.last().kind, Kind::Question);
    QCOMPARE(m_dialogs.shown.last().text,
             u"Поля ввода не загружены из текущей записи. Заменить ими запись 1 (ячейка 1.1)?"_s);
    QCOMPARE(table()->record(0) == before[0], answer == Answer::No);
    QCOMPARE(table()->record(0)[ClientColumn::Name] == u"Азиз"_s, answer == Answer::Yes);
}

QTEST_MAIN(TestClientsImport)
#include "tst_clientswindowimport.moc"
