#include "WindowDriver.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

bool WindowDriver::showActive() const
{
    m_window->show();
    m_window->activateWindow();
    return QTest::qWaitForWindowActive(m_window);
}

QWidget *WindowDriver::focus()
{
    return QApplication::focusWidget();
}

void WindowDriver::type(const QString &text)
{
    for (QChar c : text) {
        if (c == u'\b')
            key(Qt::Key_Backspace);
        else
            QTest::sendKeyEvent(QTest::Click, focus(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void WindowDriver::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(focus(), key, modifiers);
}

void WindowDriver::keyOn(const QString &name, Qt::Key k, Qt::KeyboardModifiers modifiers) const
{
    child(name)->setFocus();
    key(k, modifiers);
}

void WindowDriver::typeInto(const QString &name, const QString &text) const
{
    child(name)->setFocus();
    type(text);
}

void WindowDriver::trigger(const QString &action) const
{
    child<QAction>(action)->trigger();
}

void WindowDriver::click(const QString &button) const
{
    QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
}

void WindowDriver::clickCell(QAbstractItemView *grid, int row, int column)
{
    const QRect r = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
}

QString WindowDriver::text(const QString &label) const
{
    return child<QLabel>(label)->text();
}

int WindowDriver::scrollPosition(const QString &area) const
{
    return child<QAbstractScrollArea>(area)->verticalScrollBar()->value();
}

void WindowDriver::clickAnswering(const QString &button, ScriptedDialogs &dialogs, Dialogs::Answer answer,
                                  bool asks) const
{
    if (asks)
        dialogs.setNextAnswer(answer);
    click(button);
    if (asks)
        dialogs.shown.removeLast();
}
