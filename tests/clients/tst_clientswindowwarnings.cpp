#include "support/ClientSamples.h"
#include "support/WindowDriver.h"
#include "clients/ClientTableModel.h"
#include "clients/ui/ClientEditPanel.h"
#include "clients/ui/ClientsWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/SettingsFolder.h"
#include "common/Clock.h"
#include "common/ui/StringGridView.h"
#include "common/ui/WarningsReview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Purpose = Dialogs::WarningsPurpose;
using WarningsAnswer = Dialogs::WarningsAnswer;
Q_DECLARE_METATYPE(Dialogs::WarningsAnswer)

namespace {

const QString kExpired = u"Срок действия документа истёк"_s;

// Clients apart in taxpayer number and birth date; the document ends on end.
ClientRecord Client(int n, const QString &end)
{
    ClientFields f = ValidClientFields(n);
    f.inn = u"12345678%1"_s.arg(n);
    f.birthday = u"05.06.198%1"_s.arg(n);
    f.passportEnd = end;
    return RecordFromFields(f, NameParts::Trimmed);
}

} // namespace

// The warnings in the client window: the mark of a warning on a hidden
// cell, the list before a save with its two answers, "Проверить".
class TestClientsWindowWarnings : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = EnterSettingsFolder();
        QVERIFY(m_dir);
        QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
    }
    void cleanup()
    {
        m_form.reset();
        LeaveFolder(m_dir);
    }

    void hiddenCellMarksTheRow()
    {
        ClientTableModel *table = WindowDriver(m_form.get()).model<ClientTableModel>(u"mainGrid"_s);
        table->replaceAll({Client(1, u"14.03.2036"_s), Client(2, u"14.03.2026"_s)});
        table->renumber();
        const QModelIndex number = table->index(1, ClientColumn::Number);
        QTRY_VERIFY(number.data(Qt::BackgroundRole).isValid());
        QCOMPARE(number.data(Qt::ToolTipRole).toString(), kExpired);
        QVERIFY(!table->index(1, ClientColumn::FullName).data(Qt::BackgroundRole).isValid());
        QVERIFY(!table->index(0, ClientColumn::Number).data(Qt::BackgroundRole).isValid());

        // The document renewed through the edit area: the mark goes.
        m_form->findChild<QTableView *>(u"mainGrid"_s)->setFocus();
        QVERIFY(qobject_cast<StringGridView *>(m_form->findChild<QTableView *>(u"mainGrid"_s))
                        ->selectCell(1, ClientColumn::Number));
        ClientFields fields = WindowDriver(m_form.get()).child<ClientEditPanel>(u"editPanel"_s)->fields();
        fields.passportEnd = u"14.03.2036"_s;
        WindowDriver(m_form.get()).child<ClientEditPanel>(u"editPanel"_s)->setFields(fields);
        QTest::mouseClick(m_form->findChild<QPushButton *>(u"editButton"_s), Qt::LeftButton);
        QCOMPARE(table->cell(1, ClientColumn::PassportEnd), u"14.03.2036"_s);
        QTRY_VERIFY(!number.data(Qt::BackgroundRole).isValid());
    }

    void listBeforeSave_data()
    {
        QTest::addColumn<WarningsAnswer>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("save") << WarningsAnswer{true, -1} << true;
        QTest::newRow("back to the client") << WarningsAnswer{false, 0} << false;
    }
    void listBeforeSave()
    {
        QFETCH(WarningsAnswer, answer);
        QFETCH(bool, written);
        ClientTableModel *table = WindowDriver(m_form.get()).model<ClientTableModel>(u"mainGrid"_s);
        table->replaceAll({Client(1, u"14.03.2036"_s), Client(2, u"14.03.2026"_s)});
        table->renumber();
        m_dialogs.setNextWarningsAnswer(answer);
        m_form->findChild<QAction *>(u"saveAction"_s)->trigger();

        QCOMPARE(m_dialogs.warningsShown.size(), 1);
        QCOMPARE(m_dialogs.warningsShown[0].purpose, Purpose::BeforeSave);
        const Dialogs::WarningLine line = m_dialogs.warningsShown[0].lines.value(0);
        QCOMPARE((QStringList{line.row, line.field, line.text}), (QStringList{u"2"_s, u"Дата окончания"_s, kExpired}));
        QCOMPARE(QDir(u"Клиенты"_s).entryList({u"CLSV*"_s}).size(), written ? 1 : 0);
        QCOMPARE(m_form->isModified(), false);
        if (!written) {
            QCOMPARE(m_form->findChild<QTableView *>(u"mainGrid"_s)->currentIndex().row(), 1);
            QCOMPARE(QApplication::focusWidget(), WindowDriver(m_form.get()).child<ClientEditPanel>(u"editPanel"_s)->fieldWidget(ClientField::PassportEnd));
            QCOMPARE(WindowDriver(m_form.get()).child<ClientEditPanel>(u"editPanel"_s)->fields().passportNumber, u"0000002"_s);
            QVERIFY(m_dialogs.shown.isEmpty());
        }
    }

    void checkWithoutWarnings()
    {
        ClientTableModel *table = WindowDriver(m_form.get()).model<ClientTableModel>(u"mainGrid"_s);
        table->replaceAll({Client(1, u"14.03.2036"_s)});
        QTest::keyClick(m_form.get(), Qt::Key_F7);
        QVERIFY(m_dialogs.warningsShown.isEmpty());
        QCOMPARE(m_dialogs.texts(), QStringList{WarningsReview::noWarningsText()});
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 9), QTime(10, 0))};
    std::unique_ptr<ClientsWindow> m_form;
};

QTEST_MAIN(TestClientsWindowWarnings)
#include "tst_clientswindowwarnings.moc"
