#include "common/ui/DocumentRecovery.h"

#include "common/ui/Dialogs.h"

#include <QAbstractItemModel>
#include <QUndoStack>

using namespace Qt::StringLiterals;

DocumentRecovery::DocumentRecovery(RecoveryStore store, Document document, QObject *parent)
    : QObject(parent)
    , m_store(std::move(store))
    , m_document(std::move(document))
    , m_debouncer([this](QString &reason) { return writeNow(reason); })
{
    connect(&m_debouncer, &RecoveryDebouncer::writeFailed, this, [this](const QString &reason) {
        m_failing = true;
        emit noted(RecoveryWriteFailedText(reason));
    });
    connect(&m_debouncer, &RecoveryDebouncer::written, this, [this] {
        if (m_failing) {
            m_failing = false;
            emit noted(QString());
        }
    });
}

void DocumentRecovery::changed()
{
    m_debouncer.schedule();
}

void DocumentRecovery::discard()
{
    m_debouncer.cancel();
    m_store.remove();
    if (m_failing) {
        m_failing = false;
        emit noted(QString());
    }
}

bool DocumentRecovery::writeNow(QString &reason)
{
    // Nothing left to keep (saved, emptied): the old copy must not come back.
    if (!m_document.worthKeeping()) {
        m_store.remove();
        return true;
    }
    return m_document.write(m_store, &reason);
}

void DocumentRecovery::offer(Dialogs &dialogs, QWidget *parent)
{
    if (m_offered)
        return;
    m_offered = true;
    QString note;
    const std::optional<Offer> found = m_document.read(m_store, &note);
    if (!note.isEmpty())
        emit noted(note);
    if (!found)
        return;
    if (dialogs.question(parent, u"Восстановление"_s, found->question, Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes)
        found->restore();
    else
        m_store.remove();
}

void DocumentRecovery::follow(QAbstractItemModel *rows, QUndoStack *history)
{
    connect(rows, &QAbstractItemModel::dataChanged, this, &DocumentRecovery::changed);
    connect(rows, &QAbstractItemModel::rowsInserted, this, &DocumentRecovery::changed);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, &DocumentRecovery::changed);
    connect(rows, &QAbstractItemModel::modelReset, this, &DocumentRecovery::changed);
    connect(history, &QUndoStack::indexChanged, this, &DocumentRecovery::changed);
}
