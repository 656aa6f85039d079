#pragma once

#include "common/ui/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

// Dialogs for tests: answers come from a script, every call is recorded.
class ScriptedDialogs : public Dialogs
{
public:
    enum class Kind { Information, Error, Question, OpenFile, PrintSetup, PrintPreview, ChooseSheet, SheetRows };
    struct Shown
    {
        Kind kind;
        QString caption;
        QString text;
        Buttons buttons = Buttons::YesNo;
    };

    // Next answers, used in order; a question with no scripted answer fails the test.
    void setNextAnswer(Answer a) { m_answers.enqueue(a); }
    void setNextFileName(const QString &path) { m_files.enqueue(path); }
    void setNextPrintSetup(bool accept) { m_prints.enqueue(accept); }
    // When set, an accepted printer dialog chooses printing into this PDF file.
    void setPrintPdf(const QString &path) { m_printPdf = path; }
    // When set, a print preview paints its pages into this PDF file, as the
    // preview's own printer is set up.
    void setPreviewPdf(const QString &path) { m_previewPdf = path; }

    QList<Shown> shown;
    QStringList texts() const;       // the texts of everything shown, in order
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); }

    void information(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    Answer question(QWidget *parent, const QString &caption, const QString &text, Buttons buttons) override;
    QString openFileName(QWidget *parent, const QString &filter) override;
    bool printSetup(QWidget *parent, QPrinter &printer) override;
    void printPreview(QWidget *parent, QPrinter &printer, const std::function<void(QPrinter &)> &paint) override;
    // Counts the pages begun; cancels before page cancelPrintAfterPages + 1 when set.
    std::unique_ptr<PrintProgress> printProgress(QWidget *parent) override;

    // A load's display: the stages stepped, the displays opened, and the
    // messages shown while one was still open (a load must take it away first).
    std::unique_ptr<LoadProgressDisplay> loadProgress(QWidget *parent) override;
    int loadSteps = 0;
    int loadsShown = 0;
    int loadsOpen = 0;
    int messagesDuringLoad = 0;

    QStringList filters;             // filters passed to openFileName
    QStringList folders;             // folders passed to openFileNameIn
    QStringList defaultNoQuestions;  // texts of the questions with No as the default
    int cancelPrintAfterPages = -1;

    Answer destructiveQuestion(QWidget *parent, const QString &caption, const QString &text, Buttons buttons) override;
    QString openFileNameIn(QWidget *parent, const QString &filter, const QString &folder) override;
    int printPagesStarted = 0;

    // A workbook's sheet: the index answered; unscripted, the first.
    void setNextSheet(int index) { m_sheets.enqueue(index); }
    // The rows preview: OK or Cancel, after choosing these columns when given.
    // An unscripted preview fails the test.
    void setNextSheetRows(bool accept, const QList<int> &columns = {}) { m_sheetRows.enqueue({accept, columns}); }
    // What each preview showed, as it first appeared.
    struct SheetRowsSeen
    {
        QString format;
        QStringList header;
        QList<QStringList> rows;      // the first ones
        int rowCount = 0;
        QStringList replacements;
        QList<int> columns;
        QString refusal;
    };
    QList<SheetRowsSeen> sheetRowsSeen;
    QStringList sheetsOffered;

    int chooseSheet(QWidget *parent, const QStringList &sheets) override;
    bool sheetRowsPreview(QWidget *parent, SheetRowsImport &rows) override;

private:
    struct SheetRowsAnswer
    {
        bool accept = false;
        QList<int> columns;
    };
    QQueue<int> m_sheets;
    QQueue<SheetRowsAnswer> m_sheetRows;
    QQueue<Answer> m_answers;
    QQueue<QString> m_files;
    QQueue<bool> m_prints;
    QString m_printPdf;
    QString m_previewPdf;

public:
    // Warnings lists, recorded apart from shown so that a save's messages
    // keep their places there. Unscripted, a save goes on and a review
    // closes without going anywhere.
    struct WarningsShown
    {
        QList<WarningLine> lines;
        WarningsPurpose purpose;
    };
    QList<WarningsShown> warningsShown;
    void setNextWarningsAnswer(WarningsAnswer answer) { m_warningsAnswers.enqueue(answer); }
    WarningsAnswer warnings(QWidget *parent, const QList<WarningLine> &lines, WarningsPurpose purpose) override;

private:
    QQueue<WarningsAnswer> m_warningsAnswers;
};
