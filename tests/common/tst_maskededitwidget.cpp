#include "common/EditMask.h"
#include "common/ui/DateEdit.h"
#include "common/ui/MaskedEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>

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
    void escapeRestoresLastComplete_data();
    void escapeRestoresLastComplete();
    void clickIntoEmptyField_data();
    void clickIntoEmptyField();
    void dotCompletesDatePart_data();
    void dotCompletesDatePart();
    void completedDate_data();
    void completedDate();
    void droppedPrefix_data();
    void droppedPrefix();
};

namespace {

const QString kDateMask = QStringLiteral("!99/99/0000;1;");
const QString kMobileMask = QStringLiteral("!\\(99\\)000-00-00;1;_");

} // namespace

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
    // The refusal says why, at the field.
    auto *note = window.findChild<QLabel *>(QStringLiteral("maskedEditNote"));
    QVERIFY(note && note->isVisible());
    QCOMPARE(note->text(), MaskedEdit::leaveNote());

    QTest::keyClicks(edit, QStringLiteral("345"));
    QVERIFY(!note->isVisible());
    QVERIFY(!edit->mustStay());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
}

void TestMaskedEdit::escapeRestoresLastComplete_data()
{
    QTest::addColumn<QString>("before"); // set by the program
    QTest::addColumn<QString>("typed");  // at the end of the field
    QTest::addColumn<QString>("after");

    QTest::newRow("empty, then two digits") << "" << "12" << "     ";
    QTest::newRow("full, then a digit erased") << "54321" << "\b" << "54321";
    QTest::newRow("full, emptied, one digit typed") << "54321" << "\b\b\b\b\b7" << "54321";
}

void TestMaskedEdit::escapeRestoresLastComplete()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new MaskedEdit;
    auto *other = new QPushButton(QStringLiteral("OK"));
    layout->addWidget(edit);
    layout->addWidget(other);
    edit->setEditMask(QStringLiteral("00000;1;_"));
    edit->setStoredText(before);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->setCursorPosition(before.isEmpty() ? 0 : 5);
    for (QChar c : typed) {
        if (c == u'\b')
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, QString(c));
    }
    QVERIFY(edit->mustStay());
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->storedText(), after);
    QVERIFY(!edit->mustStay());
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(other->hasFocus());
}

void TestMaskedEdit::clickIntoEmptyField_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("date") << kDateMask << "01" << "01.  .    ";
    QTest::newRow("mobile") << kMobileMask << "90" << "(90)   -  -  ";
    QTest::newRow("code filled from the right") << "!99999;1;_" << "1" << "1    ";
}

// The click lands at the right end, where the cursor of a plain edit would go.
void TestMaskedEdit::clickIntoEmptyField()
{
    QFETCH(QString, mask);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new MaskedEdit;
    layout->addWidget(new QPushButton(QStringLiteral("OK")));
    layout->addWidget(edit);
    edit->setEditMask(mask);
    edit->setFixedWidth(200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 5, edit->height() / 2));
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->storedText(), stored);
}

void TestMaskedEdit::dotCompletesDatePart_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("day and month") << "1.2.1980" << "01.02.1980";
    QTest::newRow("month only") << "12.3.2000" << "12.03.2000";
    QTest::newRow("full parts") << "31.12.1999" << "31.12.1999";
    QTest::newRow("digits alone") << "01021980" << "01.02.1980";
    QTest::newRow("dot on an empty day") << ".5.2001" << "  .05.2001";
}

void TestMaskedEdit::dotCompletesDatePart()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    DateEdit edit;
    edit.setEditMask(kDateMask);
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, typed);
    QCOMPARE(edit.storedText(), stored);
}

void TestMaskedEdit::completedDate_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("completed");

    QTest::newRow("blanks after") << "1 .2 .1980" << "01.02.1980";
    QTest::newRow("blanks before") << " 1. 2.1980" << "01.02.1980";
    QTest::newRow("already full") << "29.02.2024" << "29.02.2024";
    QTest::newRow("no such day") << "29.2 .2023" << "29.2 .2023";
    QTest::newRow("short year") << "1 .2 .80  " << "1 .2 .80  ";
    QTest::newRow("empty") << "  .  .    " << "  .  .    ";
    QTest::newRow("blank inside the year") << "01.02.19 0" << "01.02.19 0";
}

void TestMaskedEdit::completedDate()
{
    QFETCH(QString, stored);
    QFETCH(QString, completed);
    QCOMPARE(DateEdit::completed(stored), completed);
}

void TestMaskedEdit::droppedPrefix_data()
{
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");

    const QString number = QStringLiteral("(90)123-45-67");
    QTest::newRow("pasted with +998") << true << "+998 90 123-45-67" << number;
    QTest::newRow("pasted with 998") << true << "998901234567" << number;
    QTest::newRow("pasted without") << true << "90 123 45 67" << number;
    QTest::newRow("typed with 998") << false << "998901234567" << number;
    QTest::newRow("typed with +998") << false << "+998901234567" << number;
    QTest::newRow("code 99 typed stays") << false << "998123456" << "(99)812-34-56";
}

void TestMaskedEdit::droppedPrefix()
{
    QFETCH(bool, paste);
    QFETCH(QString, text);
    QFETCH(QString, stored);
    MaskedEdit edit;
    edit.setEditMask(kMobileMask);
    edit.setDroppedPrefix(QStringLiteral("998"));
    edit.setCursorPosition(1);
    if (paste) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(&edit, text);
    }
    QCOMPARE(edit.storedText(), stored);
}

QTEST_MAIN(TestMaskedEdit)
#include "tst_maskededitwidget.moc"
