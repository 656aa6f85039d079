#pragma once

#include "common/ui/DocumentMainWindow.h"

#include <memory>

class Clock;
class ClientEditPanel;
class ClientListDocument;
class ClientTableModel;
class Dialogs;
namespace Ui { class ClientsWindow; }

// The client registration window: the edit area of one client, the table of
// at most 500 typed clients (an imported text may bring more), and the
// commands that move clients between the two, to and from client list files
// and onto paper.
class ClientsWindow : public DocumentMainWindow
{
    Q_OBJECT
public:
    ClientsWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent = nullptr);
    ~ClientsWindow() override;

signals:
    // "Сервис" / "Кардолист", after the save question let it go on.
    void payrollRequested();
    // "О программе": shown modally by whoever owns the About window.
    void aboutRequested();

private:
    // Commands.
    void addClient();
    void editClient();
    void deleteClient();
    void clearTableAsked();
    void print();
    void printPreview();
    void showPayroll();
    void showAbout();

    // The table's routines.
    void addRecord();
    void editCurrentRecord();
    void loadRecordIntoFields(int row);
    void clearTable();
    void markEditButton(bool marked);
    int currentRow() const;

    bool validateClient();
    bool allowCell(int row, int column);
    bool confirmOverwrite();

    std::unique_ptr<Ui::ClientsWindow> ui;
    ClientEditPanel *m_fields = nullptr;
    ClientTableModel *m_model;
    ClientListDocument *m_document = nullptr;
    int m_pageAnchor = 0;

    // The edit area holds the current row (loaded, or written there), not an
    // import's failed line or a new client: the edit command may overwrite.
    bool m_fieldsFromCurrentRow = false;
};
