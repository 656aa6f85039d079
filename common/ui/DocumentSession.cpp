#include "common/ui/DocumentSession.h"

#include "common/ui/AltLetterFilter.h"
#include "common/ui/EditMenu.h"
#include "common/ui/ErrorGuard.h"
#include "common/ui/RecentFilesMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QUndoStack>

using namespace Qt::StringLiterals;

DocumentSession::DocumentSession(RecoveryStore store, Setup setup)
    : QObject(setup.frame.window)
    , m_window(setup.frame.window)
    , m_dialogs(*setup.frame.dialogs)
    , m_history(setup.history)
    , m_commitEdit(std::move(setup.commitEdit))
    , m_restartHistory(std::move(setup.restartHistory))
    , m_editMenu(new EditMenu(m_window, setup.history, m_commitEdit))
    , m_recovery(new DocumentRecovery(std::move(store), std::move(setup.copy), this))
    , m_recentFiles(new RecentFilesMenu(setup.kind, setup.frame.fileMenu, setup.frame.exitAction))
{
    // Undo and redo back to the saved state clear the mark; away from it set it.
    connect(m_history, &QUndoStack::indexChanged, this, [this] { m_modified = !m_history->isClean(); });

    m_recovery->setObjectName(setup.kind + u"Recovery"_s);
    m_recovery->follow(setup.rows, m_history);
    connect(m_recovery, &DocumentRecovery::noted, this, &DocumentSession::noted);

    setup.frame.fileMenu->insertSeparator(setup.frame.exitAction);
    connect(m_recentFiles, &RecentFilesMenu::chosen, this, &DocumentSession::recentChosen);
}

DocumentSession::~DocumentSession()
{
    // The copy and the menu must not answer the history going away.
    delete m_recovery;
    delete m_editMenu;
}

void DocumentSession::startNewHistory()
{
    const bool modified = m_modified;
    if (m_restartHistory)
        m_restartHistory();
    else
        m_history->clear();
    if (modified)
        m_history->resetClean();
    m_modified = modified;
}

void DocumentSession::markSaved()
{
    if (m_commitEdit)
        m_commitEdit();
    m_history->setClean();
    m_modified = false;
    m_recovery->discard();
}

void DocumentSession::fileUsed(const QString &path)
{
    m_recentFiles->add(path);
}

void DocumentSession::discardCopy()
{
    m_recovery->discard();
}

void DocumentSession::offerCopyWhenShown()
{
    QTimer::singleShot(0, this, [this] { Guarded(m_window, m_dialogs, [this] { m_recovery->offer(m_dialogs, m_window); }); });
}

void DocumentSession::changed()
{
    m_recovery->changed();
}

void SetUpDocumentFrame(QMainWindow *window, QMenu *firstMenu, QSize clientSize)
{
    window->setFixedSize(clientSize.width(), clientSize.height() + window->menuBar()->sizeHint().height());
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    AltLetterFilter::install(window);
    auto *menuKey = new QAction(window);
    menuKey->setObjectName(u"menuBarAction"_s);
    menuKey->setShortcut(Qt::Key_F10);
    window->addAction(menuKey);
    QObject::connect(menuKey, &QAction::triggered, window,
                     [window, firstMenu] { window->menuBar()->setActiveAction(firstMenu->menuAction()); });
}
