#include "payroll/ui/PayrollDocument.h"

#include "common/BankFileReader.h"
#include "common/Clock.h"
#include "common/Money.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/ui/Dialogs.h"
#include "common/ui/DocumentSession.h"
#include "common/ui/EditMenu.h"
#include "common/ui/ErrorGuard.h"
#include "common/ui/LoadProgress.h"
#include "common/ui/SheetRowsChoice.h"
#include "common/ui/WarningsReview.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollModel.h"
#include "payroll/PayrollRecovery.h"
#include "payroll/PayrollSheetLayout.h"
#include "payroll/PayrollTextImport.h"
#include "payroll/PayrollTexts.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollHeaderPanel.h"
#include "payroll/ui/PayrollStatusPanels.h"
#include "payroll/ui/PayrollUndo.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QScopeGuard>

#include <algorithm>

using namespace Qt::StringLiterals;

PayrollDocument::PayrollDocument(DocumentWindow frame, View view, PayrollModel *model, const Clock &clock)
    : DocumentCommands(frame, clock)
    , m_view(view)
    , m_model(model)
{
    setUpHistory();
    startSession();
    // After undo or redo, what changed is shown.
    for (QAction *action : {m_session->editMenu()->undoAction(), m_session->editMenu()->redoAction()})
        connect(action, &QAction::triggered, this, [this] {
            Guarded(m_frame.window, m_dialogs, [this] {
                updateTotals();
                updateRowCounter();
            });
        });
    connect(m_view.header, &PayrollHeaderPanel::edited, m_session, &DocumentSession::changed);
    connect(m_session, &DocumentSession::recentChosen, this, &PayrollDocument::openRecent);
    connect(m_session, &DocumentSession::noted, this, [this](const QString &note) {
        if (!note.isEmpty())
            m_view.status->showNote(note);
    });
}

PayrollDocument::~PayrollDocument()
{
    closeSession();
    delete m_undo;
}

void PayrollDocument::updateTotals()
{
    const std::optional<Money> total = m_model->sumAmounts();
    if (!total)
        m_dialogs.information(m_frame.window, u"Неправильное число"_s);
    m_view.status->showTotal(total.value_or(Money()));
}

void PayrollDocument::updateRowCounter()
{
    m_view.status->showRowCount(m_model->rowCount());
}

void PayrollDocument::showFileInCaption(const QString &path)
{
    // The platform's own separators, as the file dialog shows them.
    m_frame.window->setWindowTitle(u"Кардолист - "_s + QDir::toNativeSeparators(path));
}

bool PayrollDocument::savePayroll()
{
    m_model->formatAmounts();
    // Typed amounts may have changed since the last cell selection.
    updateTotals();
    PayrollSaveRequest request{m_view.header->header(), m_model->rows(), m_openedHeaderLine};
    const PayrollSaveOutcome outcome = SavePayroll(
            request, m_clock,
            [this, &request] {
                // After a text import the grid's rows are not the file's: say so.
                const QString question = m_importedOverOpened
                        ? OverwriteQuestionWithCounts(m_openedRowCount, request.rows.size())
                        : OverwriteQuestion();
                return m_dialogs.question(m_frame.window, OverwriteCaption(), question, Dialogs::Buttons::YesNo)
                        == Dialogs::Answer::Yes;
            },
            [this] { return m_frame.warnings->confirmSave(); });
    m_view.header->setRegisterNumber(request.header.registerNumber);

    switch (outcome.kind) {
    case PayrollSaveOutcome::Kind::StoppedByCheck:
        m_dialogs.information(m_frame.window, outcome.message);
        focusCheckedField(outcome);
        return false;
    case PayrollSaveOutcome::Kind::Cancelled:
        return false;
    case PayrollSaveOutcome::Kind::WriteFailed:
        // The old file is whole and the register stays unsaved.
        if (outcome.replacing) {
            m_dialogs.information(m_frame.window, outcome.message);
            return true;
        }
        throw UserError(outcome.message);
    case PayrollSaveOutcome::Kind::Saved:
        break;
    }
    const QString workDir = QDir::toNativeSeparators(QDir::currentPath());
    m_dialogs.information(m_frame.window,
                          SavedMessagePrefix() + ReplaceAll(workDir, u"\\"_s, u"/"_s) + u'/' + outcome.path);
    m_openedFile = QDir::currentPath() + u'/' + outcome.path;
    showFileInCaption(m_openedFile);
    m_session->markSaved();
    m_session->fileUsed(m_openedFile);
    return true;
}

// The cursor to the first unfilled place of the header field a check named,
// or into the grid's cell before its first character that is not a digit.
void PayrollDocument::focusCheckedField(const PayrollSaveOutcome &outcome)
{
    if (outcome.field == PayrollField::Name || outcome.field == PayrollField::Card)
        m_view.grid->focusCheckedCell(outcome.row, outcome.field);
    else
        m_view.header->focusField(outcome.field);
}

void PayrollDocument::loadPayrollFile(const QString &path)
{
    LoadProgress progress(m_dialogs, m_frame.window);
    QByteArray bytes = ReadBankFileBytes(path);
    progress.step();
    PayrollFileContents contents;
    if (!progress.attempt([&] { contents = ReadPayrollFile(bytes); }))
        return;
    bytes = QByteArray(); // the rows hold it all now
    progress.step();

    // An opened file starts a new history, also when its amounts stop the load.
    const auto history = qScopeGuard([this] { m_session->startNewHistory(); });
    m_openedHeaderLine = contents.firstLine;
    m_openedRowCount = contents.rows.size();
    m_importedOverOpened = false;
    m_model->setRows({});
    // A month that is not a number stops the load with the number already set.
    m_view.header->setRegisterNumber(contents.registerNumber);
    m_view.header->setHeader(
            {contents.registerNumber, contents.date, MonthIndexFromField(contents.monthField), contents.year});

    fillLoadedRows(std::move(contents.rows), [&progress] { progress.finish(); });
    showFileInCaption(path);
    m_openedFile = path;
    m_session->fileUsed(path);
    m_view.grid->showLoadedRows();
}

void PayrollDocument::loadPayrollText(const QString &path)
{
    LoadProgress progress(m_dialogs, m_frame.window);
    QByteArray bytes;
    if (!progress.attempt([&] { bytes = ReadPayrollTextBytes(path); }))
        return;
    progress.step();
    std::optional<QByteArray> text;
    if (!progress.attempt([&] {
            text = ChooseSheetRows(m_dialogs, m_frame.window, bytes,
                                   {PayrollTableLayout(), PayrollFieldNames(), u"payroll"_s},
                                   [&progress] { progress.finish(); });
        }))
        return;
    bytes = QByteArray();
    if (!text)
        return;
    PayrollRows rows = ::ImportPayrollText(*text);
    text.reset();
    progress.step();
    m_importedOverOpened = !m_openedHeaderLine.isEmpty();

    // One step, also when an amount stops the import; the import leaves the
    // register as marked as it says.
    const PayrollRows before = m_model->rows();
    const auto step = qScopeGuard([this, &before] {
        const bool modified = m_session->isModified();
        m_undo->rowsReplaced(u"импорт"_s, before);
        if (!modified)
            m_session->markSaved();
    });
    fillLoadedRows(std::move(rows), [&progress] { progress.finish(); });
    m_view.grid->showLoadedRows();
}

// All rows in one go; an amount that is not a number then stops the load
// with the rows in the grid, the register unsaved and that cell current.
void PayrollDocument::fillLoadedRows(PayrollRows rows, const std::function<void()> &formatted)
{
    m_model->setRows(std::move(rows));
    m_session->markModified();
    updateRowCounter();
    try {
        m_model->formatAmounts();
    } catch (const UserError &e) {
        formatted();
        const int row = m_model->firstBadAmountRow();
        // No total while an amount is not a number, as the sum gives then.
        m_view.status->showTotal(Money());
        if (row < 0)
            throw;
        m_view.grid->focusBadAmount(row);
        throw UserError(BadAmountRowMessage(row + 1, e.text()));
    }
    formatted();
    updateTotals();
    m_session->setModified(false);
}

void PayrollDocument::openWithDialog(const QString &filter, void (PayrollDocument::*reader)(const QString &),
                                     const QString &folder, const QString &chosen)
{
    Guarded(m_frame.window, m_dialogs, [&] {
        m_view.header->focusYear();

        // The dialog may change the working directory; the save folder is relative to it.
        const QString workDir = QDir::currentPath();
        const auto restore = qScopeGuard([&workDir] { QDir::setCurrent(workDir); });

        // A save stopped by its checks lets the open go on; a write that
        // failed keeps the register in the window.
        // Going back to the warnings to fix them keeps the register too.
        const auto save = [this] {
            m_frame.warnings->takeReturnedToFix();
            const bool saved = savePayroll();
            return !m_frame.warnings->takeReturnedToFix() && !(saved && m_session->isModified());
        };
        if (!ConfirmSaveChanges(m_dialogs, m_frame.window, m_session->isModified(), save))
            return;

        const QString path = !chosen.isEmpty()   ? chosen
                             : folder.isEmpty() ? m_dialogs.openFileName(m_frame.window, filter)
                                                : m_dialogs.openFileNameIn(m_frame.window, filter, folder);
        if (!path.isEmpty())
            (this->*reader)(path);
    });
}

void PayrollDocument::openPayrollFile()
{
    // The files have no extension; the dialog opens where the save puts them.
    openWithDialog(u"ZPSV|ZPSV*"_s, &PayrollDocument::loadPayrollFile,
                   SaveFolder() + u'/' + m_view.header->header().year.trimmed());
}

void PayrollDocument::importText()
{
    openWithDialog(SheetRowsFilter(), &PayrollDocument::loadPayrollText);
}

void PayrollDocument::openRecent(const QString &path)
{
    openWithDialog(u"ZPSV|ZPSV*"_s, &PayrollDocument::loadPayrollFile, QString(), path);
}

bool PayrollDocument::confirmClose()
{
    bool canClose = false;
    Guarded(m_frame.window, m_dialogs, [&] {
        // A save that failed leaves the register unsaved: stay open then too.
        canClose = ConfirmSaveChanges(m_dialogs, m_frame.window, m_session->isModified(),
                                      [this] { return savePayroll() && !m_session->isModified(); });
    });
    return canClose;
}

void PayrollDocument::addRow()
{
    Guarded(m_frame.window, m_dialogs, [this] {
        m_undo->addRow();
        m_session->markModified();
        updateRowCounter();
    });
}

void PayrollDocument::deleteRow()
{
    Guarded(m_frame.window, m_dialogs, [this] {
        // The last requested row, which may be a refused number cell's; one
        // that no longer exists stands for the last row.
        const int row = std::clamp(m_view.grid->requestedRow(), 0, m_model->lastRow());
        bool remove = true;
        if (!m_model->cell(row, PayrollModel::NameColumn).isEmpty()
            || !m_model->cell(row, PayrollModel::CardColumn).isEmpty())
            remove = m_dialogs.destructiveQuestion(m_frame.window, u"Удаление записи"_s,
                                                   u"Вы действительно хотите удалить данную запись?"_s,
                                                   Dialogs::Buttons::YesNo)
                    == Dialogs::Answer::Yes;
        if (remove) {
            m_undo->deleteRow(row);
            m_session->markModified();
        }
        updateTotals();
        updateRowCounter();
    });
}

void PayrollDocument::clearRows()
{
    Guarded(m_frame.window, m_dialogs, [this] {
        if (m_dialogs.destructiveQuestion(m_frame.window, u"Очистка таблицы"_s,
                                          u"Вы действительно хотите очистить таблицу?"_s, Dialogs::Buttons::YesNo)
            != Dialogs::Answer::Yes)
            return;
        m_undo->clearRows();
        m_session->markModified();
        updateTotals();
        updateRowCounter();
    });
}

void PayrollDocument::setUpHistory()
{
    m_undo = new PayrollUndo(m_model,
                             {[this] { return m_view.header->header(); },
                              [this](const PayrollHeader &header) { m_view.header->setHeader(header); }},
                             this);
    PayrollGrid *grid = m_view.grid;
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, m_undo,
            [this](const QModelIndex &current) { m_undo->cellEntered(current.row(), current.column()); });
    connect(m_view.header, &PayrollHeaderPanel::edited, m_undo, &PayrollUndo::headerEdited);
    connect(grid, &PayrollGrid::rowAdded, m_undo, &PayrollUndo::rowAppended);
    connect(grid, &PayrollGrid::edited, m_undo, &PayrollUndo::cellTyped);
    connect(grid, &PayrollGrid::rowsPasting, m_undo, &PayrollUndo::commitCell);
    connect(grid, &PayrollGrid::rowsPasted, this, [this](const PayrollRows &before) {
        m_undo->rowsReplaced(u"вставку строк"_s, before);
        m_session->markModified();
        updateTotals();
        updateRowCounter();
    });
    connect(m_model, &QAbstractItemModel::modelReset, m_undo, &PayrollUndo::rowsReset);
    const QModelIndex current = grid->currentIndex();
    m_undo->cellEntered(current.row(), current.column());
    m_undo->startHistory();
}

void PayrollDocument::startSession()
{
    DocumentSession::Setup setup;
    setup.history = m_undo->stack();
    setup.commitEdit = [this] { m_undo->commitCell(); };
    setup.restartHistory = [this] { m_undo->startHistory(); };
    setup.rows = m_model;
    setup.kind = PayrollRecovery::kind();
    setup.copy.worthKeeping = [this] { return worthRecovering(); };
    setup.copy.write = [this](const RecoveryStore &store, QString *reason) {
        return WriteRecovery<PayrollRecovery>(
                store, {m_view.header->header(), m_model->rows(), m_openedFile, m_openedHeaderLine, m_clock.now()},
                reason);
    };
    setup.copy.read = [this](const RecoveryStore &store, QString *note) {
        return OfferOfCopy(ReadRecovery<PayrollRecovery>(store), note, PayrollRecoveryQuestion, [this](const PayrollRecovery &copy) {
            m_view.header->setHeader(copy.header);
            m_model->setRows(copy.rows);
            m_openedFile = copy.openedFile;
            m_openedHeaderLine = copy.openedHeaderLine;
            if (!copy.openedFile.isEmpty())
                showFileInCaption(copy.openedFile);
            m_session->markModified();
            m_session->startNewHistory();
            updateRowCounter();
            m_model->formatAmounts();
            updateTotals();
        });
    };
    openSession(RecoveryStoreFor<PayrollRecovery>(QDir::currentPath()), std::move(setup));
}

bool PayrollDocument::worthRecovering() const
{
    if (!m_session->isModified())
        return false;
    const PayrollRows &rows = m_model->rows();
    const bool noRows = rows.size() == 1 && rows.name(0).isEmpty() && rows.card(0).isEmpty() && rows.amount(0).isEmpty();
    return !noRows || !m_view.header->header().registerNumber.trimmed().isEmpty();
}
