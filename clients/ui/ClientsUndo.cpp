#include "clients/ui/ClientsUndo.h"

ClientRecordsCommand::ClientRecordsCommand(Show show, const QString &text, ClientRecords before, ClientRecords after)
    : m_show(std::move(show)), m_before(std::move(before)), m_after(std::move(after))
{
    setText(text);
}

void ClientRecordsCommand::undo()
{
    m_show(m_before);
}

void ClientRecordsCommand::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    m_show(m_after);
}
