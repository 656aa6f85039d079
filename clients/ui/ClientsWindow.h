#pragma once

#include <QMainWindow>

#include <memory>

class Clock;
class ClientEditPanel;
class ClientRecords;
class DocumentRecovery;
class EditMenu;
class QUndoStack;
class RecentFilesMenu;
class ClientTableModel;
class Dialogs;
class WarningsReview;
class LoadProgress;
namespace Ui { class ClientsWindow; }

// The client registration window: the edit area of one client, the table of
// at most 500 typed clients (an imported text may bring more), and the
// commands that move clients between the two, to and from client list files
// and onto paper.
class ClientsWindow : public QMainWindow
{
    Q_OBJECT
public:
    ClientsWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent = nullptr);
    ~ClientsWindow() override;

    // Whether the table holds a change not yet saved.
    bool isModified() const { return m_modified; }

signals:
    // "Сервис" / "Кардолист", after the save question let it go on.
    void payrollRequested();
    // "О программе": shown modally by whoever owns the About window.
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Commands.
    void addClient();
    void editClient();
    void deleteClient();
    void clearTableAsked();
    void newList();
    void save();
    void load();
    void importText();
    void print();
    void printPreview();
    void showPayroll();
    void showAbout();

    // The table's routines.
    void addRecord();
    void editCurrentRecord();
    void loadRecordIntoFields(int row);
    void clearTable();
    void updateRecordCount();
    void markEditButton(bool marked);
    int currentRow() const;

    bool validateClient();
    // The save question; false when the command that asked must end.
    bool askSaveChanges(const QString &caption);
    // Throws UserError when the save fails; false when it was cancelled.
    bool saveClientList();
    void loadClientList(const QString &path);
    void importClientText(const QString &path);

    bool allowCell(int row, int column);
    bool confirmOverwrite();

    // Undo history, recovery copy and recent files.
    void setUpHistory();
    void setUpRecovery();
    void setUpRecentFiles();
    // One step: the clients as they were before the command that changed them.
    void recordStep(const QString &text, const ClientRecords &before);
    void showRecords(const ClientRecords &records);
    // A new history from the table as it stands; the change mark stays.
    void startNewHistory();
    void markSaved();
    void loadFrom(const QString &chosen);
    void showCaptionNote(const QString &note);

    std::unique_ptr<Ui::ClientsWindow> ui;
    ClientEditPanel *m_fields = nullptr;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    ClientTableModel *m_model;

    bool m_modified = false;
    QString m_currentFile;
    bool m_fileNamed = false;
    int m_pageAnchor = 0;

    // Marks in the table, the list before a save and on "Проверить".
    WarningsReview *m_warnings = nullptr;
    // The edit area holds the current row (loaded, or written there), not an
    // import's failed line or a new client: the edit command may overwrite.
    bool m_fieldsFromCurrentRow = false;
    // "Вставить из буфера": the clipboard's rows through the text import.
    void importClipboard();
    void importClientRows(QByteArray bytes, const QString &path, LoadProgress &progress);
    QUndoStack *m_history = nullptr;
    EditMenu *m_editMenu = nullptr;
    DocumentRecovery *m_recovery = nullptr;
    RecentFilesMenu *m_recentFiles = nullptr;
    QString m_captionNote;
};
