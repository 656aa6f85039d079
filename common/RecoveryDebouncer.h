#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// When to write a document's recovery copy: once the changes have paused
// for the quiet interval (2 s), and at the latest after the longest wait
// (30 s) while they keep coming, so typing is neither slowed by a write per
// key nor left uncovered for long. A failed write is reported once and
// tried again at the next change; nothing here shows a dialog.
class RecoveryDebouncer : public QObject
{
    Q_OBJECT
public:
    // Writes the copy; false with the reason when it could not.
    using Write = std::function<bool(QString &reason)>;

    explicit RecoveryDebouncer(Write write, QObject *parent = nullptr);

    void setQuietInterval(int msec) { m_quiet.setInterval(msec); }
    void setLongestWait(int msec) { m_longest.setInterval(msec); }
    int quietInterval() const { return m_quiet.interval(); }
    int longestWait() const { return m_longest.interval(); }

    // The document changed.
    void schedule();
    // Writes a change still waiting, now. True when none is left unwritten.
    bool flushNow();
    // The document was saved or its changes dropped: nothing waits any more.
    void cancel();
    bool isPending() const { return m_pending; }

signals:
    void written();
    // The first failure since the last write that worked.
    void writeFailed(const QString &reason);

private:
    Write m_write;
    QTimer m_quiet;
    QTimer m_longest;
    bool m_pending = false;
    bool m_failing = false;
};
