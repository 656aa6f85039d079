#pragma once

#include "common/ui/DocumentSession.h"

#include <QObject>

class Clock;

// What the commands of either document start from: the window they work
// in, its dialogs, the clock, and the document's session.
class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    ~DocumentCommands() override;

    // Whether the document is modified, its history, its copy.
    DocumentSession *session() const { return m_session; }
    // Asks about unsaved changes; true when the window may close.
    virtual bool confirmClose() = 0;

protected:
    DocumentCommands(const DocumentWindow &frame, const Clock &clock);

    // The session over the document's history and rows, in this window.
    void openSession(RecoveryStore store, DocumentSession::Setup setup);
    // Before the history goes: the copy and the menus answer it no more.
    void closeSession();

    const DocumentWindow m_frame;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    DocumentSession *m_session = nullptr;
};
