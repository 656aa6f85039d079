#include "common/ui/EditMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

using namespace Qt::StringLiterals;

EditMenu::EditMenu(QMainWindow *window, QUndoStack *stack, std::function<void()> beforeStep)
    : QObject(window), m_window(window), m_stack(stack), m_beforeStep(std::move(beforeStep))
{
    m_menu = new QMenu(u"&Правка"_s, window);
    m_menu->setObjectName(u"editMenu"_s);
    m_undo = m_menu->addAction(QString(), this, &EditMenu::undo);
    m_undo->setObjectName(u"undoAction"_s);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = m_menu->addAction(QString(), this, &EditMenu::redo);
    m_redo->setObjectName(u"redoAction"_s);
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction *action : {m_undo, m_redo})
        action->setShortcutContext(Qt::WindowShortcut);
    // The menu bar only adds the shortcuts of the window's actions.
    window->addAction(m_undo);
    window->addAction(m_redo);

    // Right after "Файл", the first menu.
    QMenuBar *bar = window->menuBar();
    const QList<QAction *> items = bar->actions();
    QAction *before = items.size() > 1 ? items[1] : nullptr;
    bar->insertMenu(before, m_menu);

    // A line edit takes Ctrl+Z for its own text; here it is the document's.
    QCoreApplication::instance()->installEventFilter(this);

    connect(stack, &QUndoStack::indexChanged, this, &EditMenu::update);
    connect(stack, &QUndoStack::cleanChanged, this, &EditMenu::update);
    update();
}

void EditMenu::undo()
{
    if (m_beforeStep)
        m_beforeStep();
    m_stack->undo();
}

void EditMenu::redo()
{
    if (m_beforeStep)
        m_beforeStep();
    m_stack->redo();
}

void EditMenu::update()
{
    const QString undoText = m_stack->undoText();
    const QString redoText = m_stack->redoText();
    m_undo->setText(undoText.isEmpty() ? u"&Отменить"_s : u"&Отменить "_s + undoText);
    m_redo->setText(redoText.isEmpty() ? u"&Повторить"_s : u"&Повторить "_s + redoText);
    // A cell still being typed into can be undone before the stack holds its step.
    m_undo->setEnabled(true);
    m_redo->setEnabled(m_stack->canRedo());
}

bool EditMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (widget != m_window && !m_window->isAncestorOf(widget)))
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction *action : {m_undo, m_redo}) {
        if (action->shortcuts().contains(pressed)) {
            // Not accepted: the window's shortcut gets the key.
            event->ignore();
            return true;
        }
    }
    return false;
}
