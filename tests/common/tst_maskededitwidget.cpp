#include "common/EditMask.h"
#include "common/ui/MaskedEdit.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

class TestMaskedEdit : public QObject
{
    Q_OBJECT
private slots:
    void conversion_data();
    void conversion();
    void storedText_data();
    void storedText();
    void incompleteRequiredFieldCannotBeLeft();
};

void TestMaskedEdit::conversion_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("qt");
    QTest::addColumn<bool>("fromRight");
    QTest::newRow("register number") << "!99999;1;_" << "00000;_" << true;
    QTest::newRow("year") << "9999;1;_" << "0000;_" << false;
    QTest::newRow("required date") << "!00/00/0000;1;_" << "99.99.9999;_" << true;
    QTest::newRow("letters and case") << ">LL;1;_" << ">AA;_" << false;
    QTest::newRow("alnum and any") << "Aa Cc;0;*" << "Nn Xx;*" << false;
    QTest::newRow("qt letter as literal") << "NB-9;1;_" << "\\N\\B-0;_" << false;
    QTest::newRow("escaped") << "\\A0;1;_" << "\\A9;_" << false;
    QTest::newRow("time") << "00:00;1;_" << "99:99;_" << false;
}

void TestMaskedEdit::conversion()
{
    QFETCH(QString, mask);
    QFETCH(QString, qt);
    QFETCH(bool, fromRight);
    const EditMask m = EditMask::parse(mask);
    QCOMPARE(m.qtMask, qt);
    QCOMPARE(m.fillFromRight, fromRight);
}

void TestMaskedEdit::storedText_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty number") << "!99999;1;_" << "" << "" << "     ";
    QTest::newRow("typed short") << "!99999;1;_" << "7" << "" << "7    ";
    QTest::newRow("set short fills from right") << "!99999;1;_" << "" << "123" << "  123";
    QTest::newRow("set full") << "!99999;1;_" << "" << "00450" << "00450";
    QTest::newRow("letters refused") << "9999;1;_" << "2a0b26" << "" << "2026";
    QTest::newRow("empty date") << "!99/99/9999;1;_" << "" << "" << "  .  .    ";
    QTest::newRow("date") << "!99/99/9999;1;_" << "" << "08.12.2026" << "08.12.2026";
}

void TestMaskedEdit::storedText()
{
    QFETCH(QString, mask);
    QFETCH(QString, typed);
    QFETCH(QString, set);
    QFETCH(QString, stored);
    MaskedEdit edit;
    edit.setEditMask(mask);
    if (!set.isEmpty())
        edit.setStoredText(set);
    if (!typed.isEmpty()) {
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, typed);
    }
    QCOMPARE(edit.storedText(), stored);
}

void TestMaskedEdit::incompleteRequiredFieldCannotBeLeft()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new MaskedEdit;
    auto *other = new MaskedEdit;
    auto *button = new QPushButton(QStringLiteral("OK"));
    layout->addWidget(edit);
    layout->addWidget(other);
    layout->addWidget(button);
    edit->setEditMask(QStringLiteral("00000;1;_"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicked(button, &QPushButton::clicked);

    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QVERIFY(!edit->mustStay()); // untouched: may be left
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, QStringLiteral("12"));
    QVERIFY(edit->mustStay());

    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(edit->hasFocus());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 0);

    QTest::keyClicks(edit, QStringLiteral("345"));
    QVERIFY(!edit->mustStay());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
}

QTEST_MAIN(TestMaskedEdit)
#include "tst_maskededitwidget.moc"
