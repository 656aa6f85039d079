#include "support/ScriptedDialogs.h"
#include "support/SettingsFolder.h"
#include "support/WindowDriver.h"
#include "common/Clock.h"
#include "common/ui/WarningsReview.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollHeaderPanel.h"
#include "payroll/ui/PayrollWindow.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Kind = ScriptedDialogs::Kind;
using Purpose = Dialogs::WarningsPurpose;
using WarningsAnswer = Dialogs::WarningsAnswer;
Q_DECLARE_METATYPE(Dialogs::WarningsAnswer)
Q_DECLARE_METATYPE(PayrollRow)

namespace {

const QString kPath = u"Кардолист/2026/ZPSV001231234567812202600007"_s;
const QString kBadCheckDigit = u"Номер карты не проходит проверку контрольной цифры"_s;
const QString kZeroAmount = u"Сумма 0.00: строка не попадёт в файл"_s;

// Row 2 has a card whose check digit fails, row 3 an amount of zero.
QList<PayrollRow> rowsWithWarnings()
{
    return {{u"Иванов Иван"_s, u"4111111111111111"_s, u"1 000.00"_s},
            {u"Петров Пётр"_s, u"4111111111111112"_s, u"2 000.00"_s},
            {u"Сёмина Анна"_s, u"5555555555554444"_s, u"0.00"_s}};
}

QList<PayrollRow> cleanRows()
{
    return {{u"Иванов Иван"_s, u"4111111111111111"_s, u"1 000.00"_s},
            {u"Петров Пётр"_s, u"4012888888881881"_s, u"2 000.00"_s}};
}

} // namespace

// The warnings in the payroll window: marks that follow edits, the list
// before a save with its two answers, "Проверить" and the way to a cell.
class TestPayrollWindowWarnings : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = EnterSettingsFolder();
        QVERIFY(m_dir);
        QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
        m_driver.setWindow(m_form.get());
        m_driver.child<PayrollHeaderPanel>(u"headerGroup"_s)->setHeader({u"7"_s, u"08.12.2026"_s, 11, u"2026"_s});
    }
    void cleanup()
    {
        m_form.reset();
        LeaveFolder(m_dir);
    }

    void marksFollowEdits()
    {
        model()->setRows(cleanRows());
        const QModelIndex card = model()->index(1, PayrollModel::CardColumn);
        const QModelIndex number = model()->index(1, PayrollModel::NumberColumn);
        QTest::qWait(WarningsReview::kSettleMs + 50);
        QVERIFY(!card.data(Qt::BackgroundRole).isValid());

        // The last digit typed over: the check digit fails.
        WindowDriver::clickCell(grid(), 1, PayrollModel::CardColumn);
        grid()->focusCell(1, PayrollModel::CardColumn, 16);
        WindowDriver::type(u"\b2"_s);
        QCOMPARE(model()->cell(1, PayrollModel::CardColumn), u"4012888888881882"_s);
        QTRY_VERIFY(card.data(Qt::BackgroundRole).isValid());
        QCOMPARE(card.data(Qt::ToolTipRole).toString(), kBadCheckDigit);
        QVERIFY(card.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(number.data(Qt::ToolTipRole).toString(), kBadCheckDigit);
        QVERIFY(!model()->index(1, PayrollModel::AmountColumn).data(Qt::BackgroundRole).isValid());
        QVERIFY(!model()->index(0, PayrollModel::CardColumn).data(Qt::BackgroundRole).isValid());

        WindowDriver::type(u"\b1"_s);
        QTRY_VERIFY(!card.data(Qt::BackgroundRole).isValid());
        QCOMPARE(number.data(Qt::ToolTipRole).toString(), QString());
    }

    void listBeforeSave_data()
    {
        QTest::addColumn<WarningsAnswer>("answer");
        QTest::addColumn<bool>("written");
        QTest::addColumn<int>("row"); // the current cell afterwards
        QTest::addColumn<int>("column");
        QTest::newRow("save") << WarningsAnswer{true, -1} << true << 0 << int(PayrollModel::NameColumn);
        QTest::newRow("back to the amount") << WarningsAnswer{false, 1} << false << 2 << int(PayrollModel::AmountColumn);
        QTest::newRow("back to the card") << WarningsAnswer{false, 0} << false << 1 << int(PayrollModel::CardColumn);
        QTest::newRow("back, none chosen") << WarningsAnswer{false, -1} << false << 0 << int(PayrollModel::NameColumn);
    }
    void listBeforeSave()
    {
        QFETCH(WarningsAnswer, answer);
        QFETCH(bool, written);
        QFETCH(int, row);
        QFETCH(int, column);
        model()->setRows(rowsWithWarnings());
        grid()->selectCell(0, PayrollModel::NameColumn);
        m_dialogs.setNextWarningsAnswer(answer);
        m_driver.trigger(u"saveAction"_s);

        QCOMPARE(m_dialogs.warningsShown.size(), 1);
        QCOMPARE(m_dialogs.warningsShown[0].purpose, Purpose::BeforeSave);
        const QList<Dialogs::WarningLine> &lines = m_dialogs.warningsShown[0].lines;
        QCOMPARE(lines.size(), 2);
        QCOMPARE((QStringList{lines[0].row, lines[0].field, lines[0].text}),
                 (QStringList{u"2"_s, u"№ карты"_s, kBadCheckDigit}));
        QCOMPARE((QStringList{lines[1].row, lines[1].field, lines[1].text}),
                 (QStringList{u"3"_s, u"Сумма"_s, kZeroAmount}));

        QCOMPARE(QFile::exists(kPath), written);
        QCOMPARE(m_form->isModified(), !written);
        QCOMPARE(m_dialogs.shown.size(), written ? 1 : 0); // the saved message, or nothing
        QCOMPARE(grid()->currentIndex().row(), row);
        QCOMPARE(grid()->currentIndex().column(), column);
    }

    void noWarningsAskNothingNew()
    {
        model()->setRows(cleanRows());
        m_driver.trigger(u"saveAction"_s);
        QVERIFY(m_dialogs.warningsShown.isEmpty());
        QVERIFY(QFile::exists(kPath));
    }

    // Back from the list the user is fixing the register: the open that
    // asked for the save must not replace it.
    void openAfterTheList_data()
    {
        QTest::addColumn<WarningsAnswer>("answer");
        QTest::addColumn<bool>("opens");
        QTest::newRow("saved") << WarningsAnswer{true, -1} << true;
        QTest::newRow("back") << WarningsAnswer{false, 0} << false;
    }
    void openAfterTheList()
    {
        QFETCH(WarningsAnswer, answer);
        QFETCH(bool, opens);
        model()->setRows(rowsWithWarnings());
        WindowDriver::clickCell(grid(), 0, PayrollModel::NameColumn);
        WindowDriver::type(u"а"_s);
        QVERIFY(m_form->isModified());
        m_dialogs.setNextAnswer(Dialogs::Answer::Yes); // "Сохранить изменения?"
        m_dialogs.setNextWarningsAnswer(answer);
        m_driver.trigger(u"openAction"_s);
        QCOMPARE(m_dialogs.warningsShown.size(), 1);
        bool asked = false;
        for (const ScriptedDialogs::Shown &s : m_dialogs.shown)
            asked = asked || s.kind == Kind::OpenFile;
        QCOMPARE(asked, opens);
        QCOMPARE(QFile::exists(kPath), opens);
    }

    void checkKey_data()
    {
        QTest::addColumn<QList<PayrollRow>>("rows");
        QTest::addColumn<WarningsAnswer>("answer");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("none") << cleanRows() << WarningsAnswer{} << 0 << int(PayrollModel::NameColumn);
        QTest::newRow("go to the amount") << rowsWithWarnings() << WarningsAnswer{false, 1} << 2
                                          << int(PayrollModel::AmountColumn);
        QTest::newRow("closed") << rowsWithWarnings() << WarningsAnswer{false, -1} << 0
                                << int(PayrollModel::NameColumn);
    }
    void checkKey()
    {
        QFETCH(QList<PayrollRow>, rows);
        QFETCH(WarningsAnswer, answer);
        QFETCH(int, row);
        QFETCH(int, column);
        model()->setRows(rows);
        grid()->selectCell(0, PayrollModel::NameColumn);
        m_dialogs.setNextWarningsAnswer(answer);
        QTest::keyClick(m_form.get(), Qt::Key_F7);

        if (rows == cleanRows()) {
            QVERIFY(m_dialogs.warningsShown.isEmpty());
            QCOMPARE(m_dialogs.texts(), QStringList{u"Замечаний нет"_s});
        } else {
            QCOMPARE(m_dialogs.warningsShown.size(), 1);
            QCOMPARE(m_dialogs.warningsShown[0].purpose, Purpose::Review);
            QCOMPARE(m_dialogs.warningsShown[0].lines.size(), 2);
            QVERIFY(m_dialogs.shown.isEmpty());
        }
        QCOMPARE(grid()->currentIndex().row(), row);
        QCOMPARE(grid()->currentIndex().column(), column);
        QVERIFY(!QFile::exists(kPath));
    }

private:
    PayrollModel *model() const { return m_form->model(); }
    PayrollGrid *grid() const { return m_driver.child<PayrollGrid>(u"mainGrid"_s); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))};
    std::unique_ptr<PayrollWindow> m_form;
    WindowDriver m_driver;
};

QTEST_MAIN(TestPayrollWindowWarnings)
#include "tst_payrollwindowwarnings.moc"
