#pragma once

#include <QByteArray>
#include <QString>

// The copy of one kind of document ("payroll", "clients") that is kept
// while it has unsaved changes, one per working folder, in the
// application's data folder. The store keeps the document's bytes whole:
// a copy is replaced atomically, and one that comes back cut short,
// changed or of another format is renamed aside, never deleted.
class RecoveryStore
{
public:
    // workingFolder: the folder whose documents these are; two folders
    // never share a copy.
    RecoveryStore(QString kind, const QString &workingFolder);

    const QString &kind() const { return m_kind; }
    QString path() const { return m_path; }
    bool exists() const;

    // On failure errorString gets the system's reason.
    bool write(const QByteArray &body, QString *errorString = nullptr) const;

    struct Read
    {
        enum class State { None, Found, SetAside };
        State state = State::None;
        QByteArray body;  // Found
        QString note;     // SetAside: one line for the status bar
    };
    // The body as written, or why there is none.
    Read read() const;
    // Renames the copy aside (its body was not what its document writes);
    // gives the line for the status bar.
    QString setAside() const;
    // True when there is no copy left.
    bool remove() const;

private:
    QString m_kind;
    QString m_path;
};

// The status bar's line after a copy could not be written.
QString RecoveryWriteFailedText(const QString &reason);
