#include "common/ui/DocumentCommands.h"

#include <QMainWindow>

DocumentCommands::DocumentCommands(const DocumentWindow &frame, const Clock &clock)
    : QObject(frame.window)
    , m_frame(frame)
    , m_dialogs(*frame.dialogs)
    , m_clock(clock)
{
}

DocumentCommands::~DocumentCommands()
{
    closeSession();
}

void DocumentCommands::openSession(RecoveryStore store, DocumentSession::Setup setup)
{
    setup.frame = m_frame;
    m_session = new DocumentSession(std::move(store), std::move(setup));
}

void DocumentCommands::closeSession()
{
    delete m_session;
    m_session = nullptr;
}
