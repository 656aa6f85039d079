#include "support/SettingsFolder.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowDriver.h"
#include "common/Clock.h"
#include "common/ui/RecentFilesMenu.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollHeaderPanel.h"
#include "payroll/ui/PayrollWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime kMoment(QDate(2026, 12, 8), QTime(14, 5, 9));

} // namespace

// "Последние файлы" of the register window: saved and opened registers,
// newest first; a choice opens the file as the dialog would.
class TestPayrollWindowRecent : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void savedAndOpenedFilesListed();

private:
    QString saveRegister(const QString &number);
    QList<QAction *> entries() const { return m_driver.child<QMenu>(u"recentFilesMenu"_s)->actions(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{kMoment};
    std::unique_ptr<PayrollWindow> m_form;
    WindowDriver m_driver;
};

void TestPayrollWindowRecent::init()
{
    QFile::remove(RecentFilesMenu::settingsPath());
    m_dir = EnterSettingsFolder();
    QVERIFY(m_dir);
    QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
    m_driver.setWindow(m_form.get());
}

void TestPayrollWindowRecent::cleanup()
{
    m_form.reset();
    LeaveFolder(m_dir);
}

QString TestPayrollWindowRecent::saveRegister(const QString &number)
{
    m_driver.child<PayrollHeaderPanel>(u"headerGroup"_s)->setHeader({number, u"08.12.2026"_s, 11, u"2026"_s});
    m_form->model()->setRows(QList<PayrollRow>{{u"Иванов Иван"_s, u"8600123412341234"_s, u"100.00"_s}});
    m_form->savePayroll();
    return QDir::current().absoluteFilePath(u"Кардолист/2026/ZPSV00123123456781220260000"_s + number);
}

void TestPayrollWindowRecent::savedAndOpenedFilesListed()
{
    QVERIFY(entries().isEmpty());
    const QString first = saveRegister(u"1"_s);
    const QString second = saveRegister(u"2"_s);
    QCOMPARE(entries().size(), 2);
    QVERIFY(entries()[0]->text().startsWith(QFileInfo(second).fileName()));
    QVERIFY(entries()[1]->text().startsWith(QFileInfo(first).fileName()));

    // Opened from the menu: the first moves up, after the save question.
    WindowDriver::clickCell(m_driver.child<PayrollGrid>(u"mainGrid"_s), 0, PayrollModel::NameColumn);
    WindowDriver::type(u"ич"_s);
    m_dialogs.clear();
    m_dialogs.setNextAnswer(Dialogs::Answer::No);
    entries()[1]->trigger();
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_form->model()->cell(0, PayrollModel::NameColumn), u"Иванов Иван"_s);
    QVERIFY(m_form->windowTitle().endsWith(QFileInfo(first).fileName()));
    QVERIFY(entries()[0]->text().startsWith(QFileInfo(first).fileName()));

    // A file gone is shown, disabled.
    QVERIFY(QFile::remove(second));
    emit m_driver.child<QMenu>(u"recentFilesMenu"_s)->aboutToShow();
    QVERIFY(entries()[1]->text().endsWith(u"(нет файла)"_s));
    QVERIFY(!entries()[1]->isEnabled());
    QVERIFY(entries()[0]->isEnabled());
}

QTEST_MAIN(TestPayrollWindowRecent)
#include "tst_payrollwindowrecent.moc"
