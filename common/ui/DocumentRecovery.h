#pragma once

#include "common/RecoveryDebouncer.h"
#include "common/RecoveryStore.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class Dialogs;
class QAbstractItemModel;
class QUndoStack;
class QWidget;

// Keeps a window's recovery copy in step with its document: written a
// quiet interval after the last change while there is something unsaved
// to keep, removed once there is not, and offered back when the window
// first shows. A write that fails is noted once, never in a dialog.
class DocumentRecovery : public QObject
{
    Q_OBJECT
public:
    struct Offer
    {
        QString question;               // "Найдены несохранённые данные ..."
        std::function<void()> restore;  // puts the copy back into the window
    };
    struct Document
    {
        // Whether the document holds unsaved changes worth a copy.
        std::function<bool()> worthKeeping;
        // Writes the copy; false with the system's reason.
        std::function<bool(const RecoveryStore &store, QString *reason)> write;
        // Reads the copy: nothing when there is none; note set when one
        // could not be read and was set aside.
        std::function<std::optional<Offer>(const RecoveryStore &store, QString *note)> read;
    };

    DocumentRecovery(RecoveryStore store, Document document, QObject *parent = nullptr);

    const RecoveryStore &store() const { return m_store; }
    RecoveryDebouncer &debouncer() { return m_debouncer; }

    // The document changed: the copy follows a quiet interval later.
    void changed();
    // Every change of the document's rows, and every undo or redo, is a change.
    void follow(QAbstractItemModel *rows, QUndoStack *history);
    // Saved, or its changes dropped: the copy goes now.
    void discard();
    // Once only: asks whether to put a copy found back; No removes it.
    void offer(Dialogs &dialogs, QWidget *parent);

signals:
    // A one-line note for the status line or caption; empty clears it.
    void noted(const QString &note);

private:
    bool writeNow(QString &reason);

    RecoveryStore m_store;
    Document m_document;
    RecoveryDebouncer m_debouncer;
    bool m_offered = false;
    bool m_failing = false;
};

// A document's copy as read (its `copy` and the `note` of one set aside) as
// the offer to put it back: question(copy) asked, restore(copy) on Yes.
template <typename Read, typename Question, typename Restore>
std::optional<DocumentRecovery::Offer> OfferOfCopy(Read read, QString *note, Question question, Restore restore)
{
    *note = read.note;
    if (!read.copy)
        return std::nullopt;
    return DocumentRecovery::Offer{question(*read.copy), [restore, copy = *read.copy] { restore(copy); }};
}
