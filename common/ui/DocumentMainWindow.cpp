#include "common/ui/DocumentMainWindow.h"

#include "common/ui/DetachChildren.h"
#include "common/ui/DocumentCommands.h"
#include "common/ui/StringGridView.h"

#include <QCloseEvent>

DocumentMainWindow::DocumentMainWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_clock(clock)
{
}

DocumentMainWindow::~DocumentMainWindow()
{
    DetachChildren(this);
    if (m_grid)
        m_grid->setCellCheck({});
    delete m_document;
}

bool DocumentMainWindow::isModified() const
{
    return m_document->session()->isModified();
}

void DocumentMainWindow::setDocument(DocumentCommands *document, StringGridView *grid)
{
    m_document = document;
    m_grid = grid;
}

void DocumentMainWindow::closeEvent(QCloseEvent *event)
{
    // A disabled window (the first run, the settings window open) stays:
    // the window manager's close must not end the program then.
    event->setAccepted(isEnabled() && m_document->confirmClose());
    // Saved, or its changes dropped on purpose: no copy to offer next time.
    if (event->isAccepted())
        m_document->session()->discardCopy();
}

void DocumentMainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    m_document->session()->offerCopyWhenShown();
}
