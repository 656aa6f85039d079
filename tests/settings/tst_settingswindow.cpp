#include "support/ScriptedDialogs.h"
#include "common/ui/MaskedEdit.h"
#include "settings/SettingsRecord.h"
#include "settings/ui/SettingsWindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Answer = Dialogs::Answer;
Q_DECLARE_METATYPE(Dialogs::Answer)

namespace {

const SettingsRecord kOld{u"11111111"_s, u"Старое имя"_s, u"22222"_s};
const QString kQuestion = u"Сохранить изменения?"_s;
const QString kFilialMsg = u"Длина кода филиала должна быть не менее 5 символов!"_s;
const QString kClientMsg = u"Длина кода клиента должна быть не менее 8 символов!"_s;
const QString kNameMsg = u"Введите наименование клиента!"_s;

} // namespace

class TestSettingsWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstRunSaveEnablesPayroll();
    void validation_data();
    void validation();
    void closeQuestion_data();
    void closeQuestion();
    void escape_data();
    void escape();
    void fieldsReloadedOnEveryShow();
    void failedSaveKeepsWindow();
    void programEndAsksNothing_data();
    void programEndAsksNothing();
    void nameKeepsToCodePage_data();
    void nameKeepsToCodePage();

private:
    SettingsWindow &makeForm();
    template<typename T = QLineEdit> T *child(const QString &name) const { return m_form->findChild<T *>(name); }
    QString stored(const QString &field) const { return child<MaskedEdit>(field)->storedText(); }
    void type(const QString &field, const QString &text);
    void fill(const QString &filial, const QString &client, const QString &name);
    void closesUnasked();
    void click(const QString &button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<QWidget> m_payroll;   // stands in for the payroll window
    QLabel *m_label = nullptr;
    std::unique_ptr<SettingsWindow> m_form;
};

void TestSettingsWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid() && QDir::setCurrent(m_dir->path()));
    m_dialogs.clear();
    m_payroll = std::make_unique<QWidget>();
    m_label = new QLabel(m_payroll.get());
    m_label->setObjectName(u"clientName"_s);
}

void TestSettingsWindow::cleanup()
{
    m_form.reset();
    m_payroll.reset();
    QDir::setCurrent(QDir::tempPath());
}

SettingsWindow &TestSettingsWindow::makeForm()
{
    m_payroll->setEnabled(SettingsFileExists());
    m_payroll->show();
    m_form = std::make_unique<SettingsWindow>(m_dialogs);
    // As the program connects the payroll window.
    connect(m_form.get(), &SettingsWindow::left, m_payroll.get(), [this] { m_payroll->setEnabled(true); });
    connect(m_form.get(), &SettingsWindow::saved, m_label, [this](const QString &name) {
        m_label->setText(u" Организация: "_s + name);
    });
    return *m_form;
}

void TestSettingsWindow::type(const QString &field, const QString &text)
{
    // keyClicks takes Latin-1 only; Cyrillic goes in as key events with text.
    child(field)->clear();
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, child(field), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Nothing unsaved: the close button leaves without a question.
void TestSettingsWindow::closesUnasked()
{
    const QStringList asked = m_dialogs.texts();
    click(u"closeButton"_s);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_dialogs.texts(), asked);
}

void TestSettingsWindow::fill(const QString &filial, const QString &client, const QString &name)
{
    type(u"filialCode"_s, filial);
    type(u"clientCode"_s, client);
    type(u"clientName"_s, name);
}

void TestSettingsWindow::firstRunSaveEnablesPayroll()
{
    SettingsWindow &form = makeForm();
    QVERIFY(form.isVisible());
    QVERIFY(!child<QPushButton>(u"closeButton"_s)->isVisible());
    QCOMPARE(form.windowTitle(), u"Настройки"_s);
    QCOMPARE(form.maximumSize(), QSize(550, 212));
    QCOMPARE(form.minimumSize(), QSize(550, 212));
    QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(form.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint)));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(form.pos(), QPoint(qRound(screen.width() / 3.5), qRound(screen.height() / 3.5)));

    const QStringList tabOrder{u"saveButton"_s, u"closeButton"_s, u"filialCode"_s, u"clientCode"_s, u"clientName"_s};
    QStringList chain;
    for (QWidget *w = child<QWidget>(tabOrder[0]); chain.size() < tabOrder.size(); w = w->nextInFocusChain())
        if (tabOrder.contains(w->objectName()))
            chain << w->objectName();
    QCOMPARE(chain, tabOrder);

    // A name of 100 is stored cut to 80 but shown whole.
    const QString name = u"ООО Ромашка"_s + QString(89, u'ъ');
    fill(u"00441"_s, u"12345678"_s, name);
    click(u"saveButton"_s);
    QCOMPARE(m_dialogs.texts(), QStringList());
    QVERIFY(!form.isVisible());
    QVERIFY(m_payroll->isEnabled());
    QCOMPARE(m_label->text(), u" Организация: "_s + name);
    QCOMPARE(ReadSettingsRecord(), (SettingsRecord{u"12345678"_s, name.left(80), u"00441"_s}));
}

void TestSettingsWindow::validation_data()
{
    QTest::addColumn<QString>("filial");
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("cursor"); // the first unfilled place

    QTest::newRow("filial of 4") << u"1234"_s << u"12345678"_s << u"Org"_s << kFilialMsg << u"filialCode"_s << 4;
    QTest::newRow("first failure wins") << u"1234"_s << u"1234"_s << u""_s << kFilialMsg << u"filialCode"_s << 4;
    QTest::newRow("filial empty") << u""_s << u"1234"_s << u""_s << kFilialMsg << u"filialCode"_s << 0;
    QTest::newRow("client of 7") << u"12345"_s << u"1234567"_s << u"Org"_s << kClientMsg << u"clientCode"_s << 7;
    QTest::newRow("name empty") << u"12345"_s << u"12345678"_s << u""_s << kNameMsg << u"clientName"_s << 0;
    QTest::newRow("name of blanks") << u"12345"_s << u"12345678"_s << u"    "_s << kNameMsg << u"clientName"_s << 0;
}

void TestSettingsWindow::validation()
{
    QFETCH(QString, filial);
    QFETCH(QString, client);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(int, cursor);

    SettingsWindow &form = makeForm();
    fill(filial, client, name);
    child<QWidget>(u"saveButton"_s)->setFocus();
    click(u"saveButton"_s);

    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].kind, ScriptedDialogs::Kind::Information);
    QCOMPARE(m_dialogs.shown[0].text, message);
    QCOMPARE(form.focusWidget()->objectName(), focus);
    QCOMPARE(child(focus)->cursorPosition(), cursor);
    QVERIFY(!child(focus)->hasSelectedText());
    QVERIFY(form.isVisible());
    QVERIFY(!SettingsFileExists());
}

void TestSettingsWindow::closeQuestion_data()
{
    QTest::addColumn<QString>("field");   // none edited when empty
    QTest::addColumn<QString>("value");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QStringList>("texts");

    const QString old = kOld.organisationName;
    QTest::newRow("unchanged") << QString() << QString() << Answer::Ok << true << old << QStringList();
    QTest::newRow("yes saves") << u"clientName"_s << u"Новое"_s << Answer::Yes << true << u"Новое"_s
                               << QStringList{kQuestion};
    QTest::newRow("yes, incomplete code") << u"clientCode"_s << u"1234567"_s << Answer::Yes << false << old
                                          << QStringList{kQuestion, kClientMsg};
    QTest::newRow("no") << u"clientName"_s << u"Новое"_s << Answer::No << true << old << QStringList{kQuestion};
    QTest::newRow("cancel") << u"filialCode"_s << u"99999"_s << Answer::Cancel << false << old
                            << QStringList{kQuestion};
}

void TestSettingsWindow::closeQuestion()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(Answer, answer);
    QFETCH(bool, closed);
    QFETCH(QString, storedName);
    QFETCH(QStringList, texts);

    WriteSettingsRecord(kOld);
    SettingsWindow &form = makeForm();
    QVERIFY(!form.isVisible());
    m_payroll->setEnabled(false);   // as the menu item does
    form.show();
    if (!field.isEmpty()) {
        type(field, value);
        m_dialogs.setNextAnswer(answer);
    }
    click(u"closeButton"_s);

    QCOMPARE(m_dialogs.texts(), texts);
    if (!texts.isEmpty()) {
        QCOMPARE(m_dialogs.shown[0].caption, u"Выход"_s);
        QCOMPARE(m_dialogs.shown[0].buttons, Dialogs::Buttons::YesNoCancel);
    }
    if (texts.size() > 1)
        QCOMPARE(form.focusWidget()->objectName(), field);
    QCOMPARE(form.isVisible(), !closed);
    QVERIFY(m_payroll->isEnabled());
    QCOMPARE(ReadSettingsRecord().organisationName, storedName);
}

void TestSettingsWindow::escape_data()
{
    QTest::addColumn<QString>("target");   // the window itself when empty
    QTest::addColumn<bool>("fileExists");

    for (bool exists : {true, false}) {
        for (const QString &t : {u""_s, u"saveButton"_s, u"closeButton"_s, u"filialCode"_s, u"clientCode"_s,
                                 u"clientName"_s}) {
            if (!exists && t == u"closeButton"_s)
                continue;   // hidden on first run
            const QString row = (t.isEmpty() ? u"window"_s : t) + (exists ? u", file present"_s : u", first run"_s);
            QTest::newRow(qPrintable(row)) << t << exists;
        }
    }
}

void TestSettingsWindow::escape()
{
    QFETCH(QString, target);
    QFETCH(bool, fileExists);

    if (fileExists)
        WriteSettingsRecord(kOld);
    SettingsWindow &form = makeForm();
    form.show();
    QTest::keyClick(target.isEmpty() ? static_cast<QWidget *>(&form) : child<QWidget>(target), Qt::Key_Escape);
    QCOMPARE(form.isVisible(), !fileExists);
    if (!fileExists) {
        // Nor does a close request from the window manager leave it.
        QVERIFY(!form.close());
        QVERIFY(form.isVisible() && !m_payroll->isEnabled());
    }
    QCOMPARE(m_dialogs.texts(), QStringList());
}

void TestSettingsWindow::fieldsReloadedOnEveryShow()
{
    QVERIFY(QFile(u"settings.ini"_s).open(QIODevice::WriteOnly));   // zero bytes count as present
    SettingsWindow &form = makeForm();
    QVERIFY(m_payroll->isEnabled());
    form.show();
    QVERIFY(child<QPushButton>(u"closeButton"_s)->isVisible());
    QCOMPARE(stored(u"filialCode"_s), u"     "_s);
    QVERIFY(form.close());

    WriteSettingsRecord(kOld);
    form.show();
    fill(u"9"_s, u"9"_s, u"unsaved"_s);
    m_dialogs.setNextAnswer(Answer::No);
    QVERIFY(form.close());
    form.show();
    QCOMPARE(stored(u"filialCode"_s), kOld.filialCode);
    QCOMPARE(stored(u"clientCode"_s), kOld.organisationCode);
    QCOMPARE(child(u"clientName"_s)->text(), kOld.organisationName);
    closesUnasked();

    // A short file leaves the fields as they are.
    QVERIFY(QFile(u"settings.ini"_s).resize(40));
    form.show();
    QCOMPARE(child(u"clientName"_s)->text(), kOld.organisationName);
    closesUnasked();
}

void TestSettingsWindow::failedSaveKeepsWindow()
{
    QVERIFY(QDir().mkdir(u"settings.ini"_s));   // the file cannot be written in its place
    SettingsWindow &form = makeForm();
    fill(u"12345"_s, u"12345678"_s, u"Org"_s);
    click(u"saveButton"_s);

    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].kind, ScriptedDialogs::Kind::Error);
    QVERIFY2(m_dialogs.lastText().startsWith(u"Cannot create file \"settings.ini\"."_s), qPrintable(m_dialogs.lastText()));
    QVERIFY(form.isVisible());
    QVERIFY(!m_payroll->isEnabled());
    QCOMPARE(m_label->text(), QString());
    QCOMPARE(child(u"clientName"_s)->text(), u"Org"_s);
}

void TestSettingsWindow::programEndAsksNothing_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("unsaved edits") << true;
    QTest::newRow("first run") << false;
}

void TestSettingsWindow::programEndAsksNothing()
{
    QFETCH(bool, fileExists);
    if (fileExists)
        WriteSettingsRecord(kOld);
    SettingsWindow &form = makeForm();
    form.show();
    type(u"clientName"_s, u"unsaved"_s);

    // What the payroll window's closing does: Qt closes the visible windows.
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
    QVERIFY(!form.isVisible());
    QCOMPARE(m_dialogs.texts(), QStringList());
    QCOMPARE(ReadSettingsRecord().organisationName, fileExists ? kOld.organisationName : QString());
}


void TestSettingsWindow::nameKeepsToCodePage_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<bool>("noted");

    QTest::newRow("plain") << u"ООО Ромашка"_s << u"ООО Ромашка"_s << false;
    QTest::newRow("Uzbek letter takes its usual spelling") << u"Қурилиш"_s << u"Курилиш"_s << true;
    QTest::newRow("outside the code page refused") << u"ООО \u03A9"_s << u"ООО "_s << true;
}

// The name field keeps to Windows-1251 as the client fields do, and says so.
void TestSettingsWindow::nameKeepsToCodePage()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(bool, noted);

    WriteSettingsRecord(kOld);
    SettingsWindow &form = makeForm();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    child(u"clientName"_s)->setFocus();
    type(u"clientName"_s, typed);
    QCOMPARE(child(u"clientName"_s)->text(), kept);
    auto *note = child<QLabel>(u"inputNote"_s);
    QCOMPARE(note && note->isVisible(), noted);
}

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
