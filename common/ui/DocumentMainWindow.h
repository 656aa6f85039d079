#pragma once

#include <QMainWindow>

class Clock;
class Dialogs;
class DocumentCommands;
class StringGridView;

// What both document windows do alike around their document: they show
// their dialogs through one seam and read one clock, ask about unsaved
// changes before they close, offer a recovery copy once shown, and take
// their commands and grid down first when they go.
class DocumentMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Whether the document holds a change not yet saved.
    bool isModified() const;

protected:
    DocumentMainWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent);
    ~DocumentMainWindow() override;

    // Once the form is built: the commands that run the document, and the
    // grid whose cell check calls back into the window.
    void setDocument(DocumentCommands *document, StringGridView *grid);

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

    Dialogs &m_dialogs;
    const Clock &m_clock;

private:
    DocumentCommands *m_document = nullptr;
    StringGridView *m_grid = nullptr;
};
