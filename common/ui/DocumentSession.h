#pragma once

#include "common/RecoveryStore.h"
#include "common/ui/DocumentRecovery.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <functional>

class Dialogs;
class EditMenu;
class QAbstractItemModel;
class QAction;
class QMainWindow;
class QMenu;
class QUndoStack;
class RecentFilesMenu;
class WarningsReview;

// The window a document is edited in, with what its commands share: the
// dialogs, the File menu and the warnings shown before a save.
struct DocumentWindow
{
    QMainWindow *window = nullptr;
    Dialogs *dialogs = nullptr;
    QMenu *fileMenu = nullptr;
    // "Последние файлы" goes into fileMenu before it.
    QAction *exitAction = nullptr;
    WarningsReview *warnings = nullptr;
};

// What a document window keeps beside its rows: whether they differ from
// the file last saved or opened, their undo history with the "Правка" menu,
// the recovery copy and "Последние файлы".
class DocumentSession : public QObject
{
    Q_OBJECT
public:
    struct Setup
    {
        DocumentWindow frame;
        QUndoStack *history = nullptr;
        // Closes an edit still in progress as a step of its own.
        std::function<void()> commitEdit;
        // Empties the history down to the document as it stands.
        std::function<void()> restartHistory;
        // The rows whose every change schedules the recovery copy.
        QAbstractItemModel *rows = nullptr;
        // "payroll" or "clients": names the copy and the recent files' list.
        QString kind;
        DocumentRecovery::Document copy;
    };

    DocumentSession(RecoveryStore store, Setup setup);
    ~DocumentSession() override;

    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    void markModified() { m_modified = true; }

    // A new history from the document as it stands; the change mark stays.
    void startNewHistory();
    // Saved, or as the file holds it: the history's clean point, no change
    // mark and no copy.
    void markSaved();
    // The file was opened or saved.
    void fileUsed(const QString &path);
    // Saved, or its changes dropped on purpose: no copy to offer next time.
    void discardCopy();
    // Once the window is up: a copy left by a run that did not end is offered back.
    void offerCopyWhenShown();
    // Any change outside the rows, such as a header field, schedules the copy too.
    void changed();

    EditMenu *editMenu() const { return m_editMenu; }

signals:
    void recentChosen(const QString &path);
    // The copy's one-line note; empty clears it.
    void noted(const QString &note);

private:
    QMainWindow *m_window;
    Dialogs &m_dialogs;
    QUndoStack *m_history;
    std::function<void()> m_commitEdit;
    std::function<void()> m_restartHistory;
    bool m_modified = false;
    EditMenu *m_editMenu;
    DocumentRecovery *m_recovery;
    RecentFilesMenu *m_recentFiles;
};

// The frame both document windows share: clientSize fixed below the menu
// bar, the system menu and a minimise button only; Alt with a letter for the
// menus, F10 to the menu bar.
void SetUpDocumentFrame(QMainWindow *window, QMenu *firstMenu, QSize clientSize);
