#include "common/RecoveryDebouncer.h"

RecoveryDebouncer::RecoveryDebouncer(Write write, QObject *parent)
    : QObject(parent), m_write(std::move(write))
{
    for (QTimer *timer : {&m_quiet, &m_longest}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &RecoveryDebouncer::flushNow);
    }
    m_quiet.setInterval(2000);
    m_longest.setInterval(30000);
}

void RecoveryDebouncer::schedule()
{
    m_pending = true;
    m_quiet.start();
    if (!m_longest.isActive())
        m_longest.start();
}

bool RecoveryDebouncer::flushNow()
{
    m_quiet.stop();
    m_longest.stop();
    if (!m_pending)
        return true;
    QString reason;
    if (!m_write(reason)) {
        // The change stays waiting; the next one tries again.
        if (!m_failing)
            emit writeFailed(reason);
        m_failing = true;
        return false;
    }
    m_pending = false;
    m_failing = false;
    emit written();
    return true;
}

void RecoveryDebouncer::cancel()
{
    m_quiet.stop();
    m_longest.stop();
    m_pending = false;
    m_failing = false;
}
