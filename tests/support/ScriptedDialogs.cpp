#include "ScriptedDialogs.h"

#include "common/AppInfo.h"
#include "common/ui/SheetRowsImport.h"

#include <QPrinter>
#include <QTest>

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const Shown &s : shown)
        out << s.text;
    return out;
}

void ScriptedDialogs::information(QWidget *, const QString &text)
{
    if (loadsOpen > 0)
        ++messagesDuringLoad;
    shown.append({Kind::Information, ApplicationTitle(), text});
}

void ScriptedDialogs::error(QWidget *, const QString &text)
{
    if (loadsOpen > 0)
        ++messagesDuringLoad;
    shown.append({Kind::Error, ApplicationTitle(), text});
}

Dialogs::Answer ScriptedDialogs::question(QWidget *, const QString &caption, const QString &text, Buttons buttons)
{
    shown.append({Kind::Question, caption, text, buttons});
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted question: ") + text), __FILE__, __LINE__);
        return Answer::Cancel;
    }
    return m_answers.dequeue();
}

Dialogs::Answer ScriptedDialogs::destructiveQuestion(QWidget *parent, const QString &caption, const QString &text,
                                                     Buttons buttons)
{
    defaultNoQuestions << text;
    return question(parent, caption, text, buttons);
}

QString ScriptedDialogs::openFileNameIn(QWidget *parent, const QString &filter, const QString &folder)
{
    folders << folder;
    return openFileName(parent, filter);
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &filter)
{
    shown.append({Kind::OpenFile, QString(), filter});
    filters << filter;
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

bool ScriptedDialogs::printSetup(QWidget *, QPrinter &printer)
{
    shown.append({Kind::PrintSetup, QString(), QString()});
    const bool accept = m_prints.isEmpty() ? false : m_prints.dequeue();
    if (accept && !m_printPdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_printPdf);
    }
    return accept;
}

void ScriptedDialogs::printPreview(QWidget *, QPrinter &printer, const std::function<void(QPrinter &)> &paint)
{
    shown.append({Kind::PrintPreview, QString(), printer.docName()});
    if (m_previewPdf.isEmpty())
        return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_previewPdf);
    paint(printer);
}

namespace {

class ScriptedProgress : public PrintProgress
{
public:
    explicit ScriptedProgress(ScriptedDialogs &dialogs) : m_dialogs(dialogs) {}
    bool pageStarting(int done, int) override
    {
        if (m_dialogs.cancelPrintAfterPages >= 0 && done >= m_dialogs.cancelPrintAfterPages)
            return false;
        ++m_dialogs.printPagesStarted;
        return true;
    }

private:
    ScriptedDialogs &m_dialogs;
};

class ScriptedLoadProgress : public LoadProgressDisplay
{
public:
    explicit ScriptedLoadProgress(ScriptedDialogs &dialogs) : m_dialogs(dialogs)
    {
        ++m_dialogs.loadsShown;
        ++m_dialogs.loadsOpen;
    }
    ~ScriptedLoadProgress() override { --m_dialogs.loadsOpen; }
    void step() override { ++m_dialogs.loadSteps; }

private:
    ScriptedDialogs &m_dialogs;
};

} // namespace

std::unique_ptr<PrintProgress> ScriptedDialogs::printProgress(QWidget *)
{
    return std::make_unique<ScriptedProgress>(*this);
}

std::unique_ptr<LoadProgressDisplay> ScriptedDialogs::loadProgress(QWidget *)
{
    return std::make_unique<ScriptedLoadProgress>(*this);
}

Dialogs::WarningsAnswer ScriptedDialogs::warnings(QWidget *, const QList<WarningLine> &lines, WarningsPurpose purpose)
{
    warningsShown.append({lines, purpose});
    if (!m_warningsAnswers.isEmpty())
        return m_warningsAnswers.dequeue();
    return {purpose == WarningsPurpose::BeforeSave, -1};
}

int ScriptedDialogs::chooseSheet(QWidget *, const QStringList &sheets)
{
    shown.append({Kind::ChooseSheet, QString(), sheets.join(u'\n')});
    sheetsOffered = sheets;
    return m_sheets.isEmpty() ? 0 : m_sheets.dequeue();
}

bool ScriptedDialogs::sheetRowsPreview(QWidget *, SheetRowsImport &rows)
{
    shown.append({Kind::SheetRows, QString(), rows.formatText()});
    const TableTabText &tab = rows.tabText();
    sheetRowsSeen.append({rows.formatText(), rows.headerCells(), rows.firstRows(5), rows.rowCount(),
                          rows.replacementNotes(), rows.columns(), tab.ok() ? QString() : tab.refusal->message});
    if (m_sheetRows.isEmpty()) {
        QTest::qFail("unscripted rows preview", __FILE__, __LINE__);
        return false;
    }
    const SheetRowsAnswer answer = m_sheetRows.dequeue();
    if (!answer.columns.isEmpty())
        rows.setColumns(answer.columns);
    return answer.accept;
}
