#pragma once

#include <QObject>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QUndoStack;

// The "Правка" menu of a document window, placed after "Файл": undo and
// redo of the document's history, named after the step they take. Before
// each step, beforeStep lets the window close an edit still in progress
// (a cell being typed into) as a step of its own.
class EditMenu : public QObject
{
    Q_OBJECT
public:
    EditMenu(QMainWindow *window, QUndoStack *stack, std::function<void()> beforeStep = {});

    QMenu *menu() const { return m_menu; }
    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }

    void undo();
    void redo();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void update();

    QMainWindow *m_window;
    QUndoStack *m_stack;
    std::function<void()> m_beforeStep;
    QMenu *m_menu;
    QAction *m_undo;
    QAction *m_redo;
};
