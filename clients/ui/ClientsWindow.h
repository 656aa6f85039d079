#pragma once

#include "clients/ClientChecks.h"
#include "clients/ClientRecord.h"
#include "common/ui/StringGridView.h"

#include <QMainWindow>

#include <memory>

class Clock;
class ClientTableModel;
class Dialogs;
class QLabel;
class QLineEdit;
namespace Ui { class ClientsWindow; }

// The client registration window: the edit area of one client, the table of
// at most 500 typed clients (an imported text may bring more), and the commands that move clients between the two,
// to and from client list files and onto paper.
class ClientsWindow : public QMainWindow, private GridHandler
{
    Q_OBJECT
public:
    ClientsWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent = nullptr);
    ~ClientsWindow() override;

    ClientTableModel *model() const { return m_model; }

    // Whether the table holds no unsaved change.
    bool isSaved() const { return m_saved; }
    void setSaved(bool saved) { m_saved = saved; }
    // The client list file last saved or loaded; empty when there is none.
    QString currentFile() const { return m_currentFile; }
    bool isFileNamed() const { return m_fileNamed; }

    // The edit area's texts, masked fields in their stored form.
    ClientFields fields() const;
    void setFields(const ClientFields &fields);

    int scrollPosition() const;
    // The 1-based row recorded as the top of the page shown.
    int pageAnchor() const { return m_pageAnchor; }

signals:
    // "Сервис" / "Кардолист", after the save question let it go on.
    void payrollRequested();
    // "О программе": shown modally by whoever owns the About window.
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

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
    void docTypeChange();

    // The table's routines.
    void addRecord();
    void editCurrentRecord();
    void loadRecordIntoFields(int row);
    void clearFields();
    void clearTable();
    void updateRecordCount();
    int currentRow() const;

    bool validateClient();
    // The save question; false when the command that asked must end.
    bool askSaveChanges(const QString &caption);
    // Throws UserError when the save fails; false when it was cancelled.
    bool saveClientList();
    void loadClientList(const QString &path);
    void importClientText(const QString &path);

    void markFieldChanged(QLabel *label);
    void clearChangeMarks();
    void setEditText(QLineEdit *edit, const QString &text);
    void applyLengthLimits();
    QWidget *fieldWidget(ClientField field) const;
    void setScrollPosition(int position);

    bool allowCell(int col, int row) override;
    bool gridKeyDown(int, Qt::KeyboardModifiers) override { return false; }
    void gridKeyPress(QChar &) override {}
    void cellTextSet(int, int) override {}

    std::unique_ptr<Ui::ClientsWindow> ui;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    ClientTableModel *m_model;
    QList<QLabel *> m_markedLabels;

    bool m_saved = true;
    QString m_currentFile;
    bool m_fileNamed = false;
    int m_pageAnchor = 0;
    // The series and number limits of the last document type chosen.
    int m_serialLimit;
    int m_numberLimit;
};
