#pragma once

#include "common/ui/LoadProgress.h"
#include "common/ui/PrintProgress.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;
class SheetRowsImport;

// Every message box, question, file dialog and printer dialog of the windows
// goes through this interface, so that tests can script the answers.
class Dialogs
{
public:
    enum class Answer { Ok, Yes, No, Cancel };
    enum class Buttons { YesNo, YesNoCancel };

    virtual ~Dialogs() = default;

    // Plain message: the text, OK, the application title as caption.
    virtual void information(QWidget *parent, const QString &text) = 0;
    // The general error display: application title, stop icon, OK.
    // The text is shown as given; ErrorGuard applies the full-stop rule.
    virtual void error(QWidget *parent, const QString &text) = 0;
    // Task-modal question with a question icon and its own caption.
    virtual Answer question(QWidget *parent, const QString &caption, const QString &text, Buttons buttons) = 0;
    // Open-file dialog; an empty result means the user cancelled.
    virtual QString openFileName(QWidget *parent, const QString &filter) = 0;
    // Printer dialog; false means cancelled. The printer carries the choices.
    virtual bool printSetup(QWidget *parent, QPrinter &printer) = 0;
    // Print preview of the pages that paint draws on the printer it is
    // given; from there the user may print them. paint must not throw.
    virtual void printPreview(QWidget *parent, QPrinter &printer, const std::function<void(QPrinter &)> &paint) = 0;
    // Progress of a print or preview run; by default none shown, never cancelled.
    virtual std::unique_ptr<PrintProgress> printProgress(QWidget *parent);
    // Progress of opening or importing a file; by default none shown.
    virtual std::unique_ptr<LoadProgressDisplay> loadProgress(QWidget *parent);

    // One line of a warnings list: the row as the grid numbers it, the
    // field's name and the warning's text.
    struct WarningLine
    {
        QString row;
        QString field;
        QString text;
    };
    // BeforeSave: "Сохранить" or "Вернуться к исправлению" (the default).
    // Review: "Перейти" to the chosen line or "Закрыть".
    enum class WarningsPurpose { BeforeSave, Review };
    // chosen: the line selected when the user went back or on; -1 for none.
    struct WarningsAnswer
    {
        bool save = false;
        int chosen = -1;
    };
    // The list of a document's warnings; by default none shown and a save goes on.
    virtual WarningsAnswer warnings(QWidget *parent, const QList<WarningLine> &lines, WarningsPurpose purpose);
    // A question whose Yes destroys data (delete, clear): No is the default
    // button, so that a stray Enter keeps the data. By default as question().
    virtual Answer destructiveQuestion(QWidget *parent, const QString &caption, const QString &text, Buttons buttons);
    // The open-file dialog starting in folder (relative to the working
    // directory) when it exists. By default as openFileName().
    virtual QString openFileNameIn(QWidget *parent, const QString &filter, const QString &folder);
    // Which of a workbook's sheets holding data to read: its index in
    // sheets, -1 when cancelled. By default the first.
    virtual int chooseSheet(QWidget *parent, const QStringList &sheets);
    // The preview of rows about to be imported, where the user may choose
    // the fields' columns; false when cancelled. By default accepted as shown.
    virtual bool sheetRowsPreview(QWidget *parent, SheetRowsImport &rows);
};

// The production implementation: real Qt dialogs.
class QtDialogs : public Dialogs
{
public:
    void information(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    Answer question(QWidget *parent, const QString &caption, const QString &text, Buttons buttons) override;
    QString openFileName(QWidget *parent, const QString &filter) override;
    bool printSetup(QWidget *parent, QPrinter &printer) override;
    void printPreview(QWidget *parent, QPrinter &printer, const std::function<void(QPrinter &)> &paint) override;
    std::unique_ptr<PrintProgress> printProgress(QWidget *parent) override;
    std::unique_ptr<LoadProgressDisplay> loadProgress(QWidget *parent) override;
    WarningsAnswer warnings(QWidget *parent, const QList<WarningLine> &lines, WarningsPurpose purpose) override;
    Answer destructiveQuestion(QWidget *parent, const QString &caption, const QString &text, Buttons buttons) override;
    QString openFileNameIn(QWidget *parent, const QString &filter, const QString &folder) override;
    int chooseSheet(QWidget *parent, const QStringList &sheets) override;
    bool sheetRowsPreview(QWidget *parent, SheetRowsImport &rows) override;
};

// The one save-changes question of every window, asked only when the
// document is modified. Yes runs save, whose result says whether the
// command may go on; No goes on; Cancel stops. True when it may go on.
bool ConfirmSaveChanges(Dialogs &dialogs, QWidget *parent, bool modified, const std::function<bool()> &save,
                        const QString &caption = QStringLiteral("Выход"),
                        const QString &text = QStringLiteral("Сохранить изменения?"));
