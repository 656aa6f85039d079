#pragma once

#include "support/ScriptedDialogs.h"

#include <QAbstractItemView>
#include <QString>
#include <QTest>
#include <QWidget>

#include <memory>

// Drives a window as a user would: through its named actions, buttons and
// fields, with key and mouse events.
class WindowDriver
{
public:
    explicit WindowDriver(QWidget *window = nullptr) : m_window(window) {}
    void setWindow(QWidget *window) { m_window = window; }

    // Shows the window and waits until it is the active one.
    [[nodiscard]] bool showActive() const;

    template<typename T = QWidget> T *child(const QString &name) const
    {
        T *found = m_window->findChild<T *>(name);
        if (!found)
            QTest::qFail(qPrintable(QStringLiteral("no child ") + name), __FILE__, __LINE__);
        return found;
    }

    // The model behind the named view, as the given type.
    template<typename M> M *model(const QString &view) const
    {
        return qobject_cast<M *>(child<QAbstractItemView>(view)->model());
    }
    // The vertical position of the named scrolling area.
    int scrollPosition(const QString &area) const;

    static QWidget *focus();
    // Types like the keyboard into the focused widget: one key event per
    // character, Cyrillic included; "\b" is Backspace.
    static void type(const QString &text);
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Focuses the named widget, then presses the key there.
    void keyOn(const QString &name, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const;
    // Focuses the named widget and types there.
    void typeInto(const QString &name, const QString &text) const;

    void trigger(const QString &action) const;
    void click(const QString &button) const;
    // Clicks the button and answers the question it asks when asks is true,
    // leaving that question out of what the dialogs recorded.
    void clickAnswering(const QString &button, ScriptedDialogs &dialogs, Dialogs::Answer answer, bool asks) const;
    // A click into the cell of a grid: the way into the grid.
    static void clickCell(QAbstractItemView *grid, int row, int column);
    QString text(const QString &label) const;

private:
    QWidget *m_window;
};

// A new window over fresh dialogs and the clock, shown and active: how a
// window test starts.
template<typename Window, typename Script, typename Time>
[[nodiscard]] bool OpenWindow(std::unique_ptr<Window> &window, Script &dialogs, const Time &clock)
{
    dialogs = Script();
    window = std::make_unique<Window>(dialogs, clock);
    return WindowDriver(window.get()).showActive();
}
