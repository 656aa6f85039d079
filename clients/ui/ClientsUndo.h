#pragma once

#include "clients/ClientRecords.h"

#include <QString>
#include <QUndoCommand>

#include <functional>

// One step of the client table's history: every client as it was before
// and after an add, change, delete, clear or import. Both are shared with
// the table while it shows them, so a step of 100,000 imported clients
// holds no second copy of them.
class ClientRecordsCommand : public QUndoCommand
{
public:
    using Show = std::function<void(const ClientRecords &)>;

    // The change is made already; the first redo leaves it.
    ClientRecordsCommand(Show show, const QString &text, ClientRecords before, ClientRecords after);
    void undo() override;
    void redo() override;

private:
    Show m_show;
    ClientRecords m_before;
    ClientRecords m_after;
    bool m_done = true;
};
