#include "common/ui/WarningsDialog.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

using Purpose = Dialogs::WarningsPurpose;
Q_DECLARE_METATYPE(Dialogs::WarningsPurpose)

// The warnings list's answers: which button is the default, what Esc and a
// double-click mean, which line is reported as chosen.
class TestWarningsDialog : public QObject
{
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<Purpose>("purpose");
        QTest::addColumn<int>("line");       // the line chosen before the action
        QTest::addColumn<QString>("action"); // a button's name, "enter", "escape" or "double-click"
        QTest::addColumn<bool>("save");
        QTest::addColumn<int>("chosen");

        QTest::newRow("save") << Purpose::BeforeSave << 1 << u"saveButton"_s << true << -1;
        QTest::newRow("return") << Purpose::BeforeSave << 2 << u"returnButton"_s << false << 2;
        QTest::newRow("enter returns") << Purpose::BeforeSave << 0 << u"enter"_s << false << 0;
        QTest::newRow("escape returns") << Purpose::BeforeSave << 1 << u"escape"_s << false << 1;
        QTest::newRow("double-click returns there") << Purpose::BeforeSave << 2 << u"double-click"_s << false << 2;
        QTest::newRow("go") << Purpose::Review << 1 << u"goButton"_s << false << 1;
        QTest::newRow("enter goes") << Purpose::Review << 2 << u"enter"_s << false << 2;
        QTest::newRow("close") << Purpose::Review << 1 << u"closeButton"_s << false << -1;
        QTest::newRow("escape closes") << Purpose::Review << 1 << u"escape"_s << false << -1;
        QTest::newRow("double-click goes there") << Purpose::Review << 2 << u"double-click"_s << false << 2;
    }
    void answers()
    {
        QFETCH(Purpose, purpose);
        QFETCH(int, line);
        QFETCH(QString, action);
        QFETCH(bool, save);
        QFETCH(int, chosen);

        const QList<Dialogs::WarningLine> lines{{u"1"_s, u"№ карты"_s, u"Номер карты не из 16 цифр"_s},
                                                {u"2"_s, u"Сумма"_s, u"Сумма меньше нуля"_s},
                                                {u"7"_s, u"№ карты"_s, u"Эта карта уже есть в строке 2"_s}};
        WarningsDialog dialog(lines, purpose);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *list = dialog.findChild<QTreeWidget *>(u"warningsList"_s);
        QVERIFY(list);
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(2)->text(0), u"7"_s);
        QCOMPARE(list->topLevelItem(2)->text(2), lines[2].text);
        QCOMPARE(list->currentItem(), list->topLevelItem(0));

        list->setCurrentItem(list->topLevelItem(line));
        if (action == u"enter"_s) {
            QTest::keyClick(list, Qt::Key_Return);
        } else if (action == u"escape"_s) {
            QTest::keyClick(list, Qt::Key_Escape);
        } else if (action == u"double-click"_s) {
            const QRect rect = list->visualItemRect(list->topLevelItem(line));
            // A real double-click: press and release, then the double-click.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        } else {
            auto *button = dialog.findChild<QPushButton *>(action);
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.answer().save, save);
        QCOMPARE(dialog.answer().chosen, chosen);
    }
};

QTEST_MAIN(TestWarningsDialog)
#include "tst_warningsdialog.moc"
