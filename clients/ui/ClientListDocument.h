#pragma once

#include "common/ui/DocumentCommands.h"

#include <QObject>
#include <QString>

class ClientEditPanel;
class ClientGrid;
class ClientRecords;
class ClientTableModel;
class LoadProgress;
class QAction;
class QLabel;
class QUndoStack;

// The client list the registration window edits, beyond its table: the file
// it came from, its history and recovery copy, and the File menu's commands
// on it: new, save, load, text and clipboard import.
class ClientListDocument : public DocumentCommands
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


    // One step: the clients as they were before the command that changed them.
    void recordStep(const QString &text, const ClientRecords &before);
    void updateRecordCount();
    // The save question; false when the command that asked must end.
    bool askSaveChanges(const QString &caption);
    bool confirmClose() override;

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
    void startSession();

    View m_view;
    ClientTableModel *m_model;
    QUndoStack *m_history;
    QString m_currentFile;
    bool m_fileNamed = false;
    QString m_captionNote;
};
