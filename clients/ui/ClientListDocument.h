#pragma once

#include "common/ui/DocumentSession.h"

#include <QObject>
#include <QString>

class Clock;
class ClientEditPanel;
class ClientGrid;
class ClientRecords;
class ClientTableModel;
class Dialogs;
class LoadProgress;
class QAction;
class QLabel;
class QUndoStack;

// The client list the registration window edits, beyond its table: the file
// it came from, its history and recovery copy, and the File menu's commands
// on it: new, save, load, text and clipboard import.
class ClientListDocument : public QObject
{
    Q_OBJECT
public:
    // The window's own parts the commands show their work in.
    struct View
    {
        ClientEditPanel *fields = nullptr;
        ClientGrid *grid = nullptr;
        QLabel *recordCount = nullptr;
        // "Вставить из буфера" goes into fileMenu before it.
        QAction *printAction = nullptr;
    };

    ClientListDocument(DocumentWindow frame, View view, ClientTableModel *model, const Clock &clock);
    ~ClientListDocument() override;

    bool isModified() const;
    void markModified();
    DocumentSession *session() const { return m_session; }

    // One step: the clients as they were before the command that changed them.
    void recordStep(const QString &text, const ClientRecords &before);
    void updateRecordCount();
    // The save question; false when the command that asked must end.
    bool askSaveChanges(const QString &caption);

    void newList();
    void save();
    void load();
    void importText();
    // "Вставить из буфера": the clipboard's rows through the text import.
    void importClipboard();

signals:
    // The edit area now holds an import's failed line, not the current row.
    void fieldsReplaced();

private:
    // Throws UserError when the save fails; false when it was cancelled.
    bool saveClientList();
    void loadFrom(const QString &chosen);
    void loadClientList(const QString &path);
    void importClientText(const QString &path);
    void importClientRows(QByteArray bytes, const QString &path, LoadProgress &progress);
    void showRecords(const ClientRecords &records);
    void showCaptionNote(const QString &note);
    DocumentSession *makeSession();

    DocumentWindow m_frame;
    View m_view;
    ClientTableModel *m_model;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    QUndoStack *m_history;
    DocumentSession *m_session = nullptr;
    QString m_currentFile;
    bool m_fileNamed = false;
    QString m_captionNote;
};
