#include "payroll/ui/PayrollWindow.h"

#include "ui_PayrollWindow.h"

#include "common/Clock.h"
#include "common/Money.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/ui/AltLetterFilter.h"
#include "common/ui/DetachChildren.h"
#include "common/ui/Dialogs.h"
#include "common/ui/DocumentRecovery.h"
#include "common/ui/EditMenu.h"
#include "common/ui/RecentFilesMenu.h"
#include "common/ui/ErrorGuard.h"
#include "common/ui/LoadProgress.h"
#include "common/ui/SheetRowsChoice.h"
#include "common/BankFileReader.h"
#include "common/Digits.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollPaging.h"
#include "payroll/PayrollModel.h"
#include "payroll/PayrollRecovery.h"
#include "payroll/PayrollSave.h"
#include "payroll/PayrollSheetLayout.h"
#include "payroll/PayrollTextImport.h"
#include "payroll/PayrollTexts.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollPrinting.h"
#include "payroll/ui/PayrollStatusPanels.h"
#include "payroll/ui/PayrollWarningsReview.h"
#include "common/ui/WarningsReview.h"
#include "payroll/ui/PayrollUndo.h"
#include "settings/SettingsRecord.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QDir>
#include <QScopeGuard>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

static const QString kCaptionPrefix = u"Кардолист - "_s;

PayrollWindow::PayrollWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::PayrollWindow>())
    , m_dialogs(dialogs)
    , m_clock(clock)
    , m_model(new PayrollModel(this))
{
    ui->setupUi(this);
    // A fixed frame with the system menu and a minimise button only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    m_status = std::make_unique<PayrollStatusPanels>(ui->statusBar, ui->overallSumma);

    PayrollGrid *grid = ui->mainGrid;
    grid->setPayrollModel(m_model);
    grid->setSelectionCheck([this] { return refreshTotals(); });
    connect(grid, &PayrollGrid::inputNoted, this, [this](const QString &note) { m_status->showNote(note); });
    connect(grid, &PayrollGrid::edited, this, &PayrollWindow::markModified);
    connect(grid, &PayrollGrid::rowAdded, this, &PayrollWindow::updateRowCounter);
    connect(grid, &PayrollGrid::rowAdded, this, &PayrollWindow::markModified);

    connect(ui->saveAction, &QAction::triggered, this, &PayrollWindow::save);
    connect(ui->settingsAction, &QAction::triggered, this, &PayrollWindow::showSettings);
    connect(ui->exitAction, &QAction::triggered, this, [this] { Guarded(this, m_dialogs, [this] { close(); }); });
    connect(ui->openAction, &QAction::triggered, this, &PayrollWindow::openPayrollFile);
    connect(ui->importTextAction, &QAction::triggered, this, &PayrollWindow::importText);
    connect(ui->printAction, &QAction::triggered, this, &PayrollWindow::print);
    connect(ui->previewAction, &QAction::triggered, this, &PayrollWindow::printPreview);
    connect(ui->aboutAction, &QAction::triggered, this, &PayrollWindow::showAbout);
    connect(ui->clientsAction, &QAction::triggered, this, [this] { emit clientsRequested(); });
    connect(ui->printButton, &QPushButton::clicked, this, &PayrollWindow::print);
    connect(ui->headerGroup, &PayrollHeaderPanel::edited, this, &PayrollWindow::markModified);
    connect(ui->addRowButton, &QPushButton::clicked, this, &PayrollWindow::addRow);
    connect(ui->deleteRowButton, &QPushButton::clicked, this, &PayrollWindow::deleteRow);
    connect(ui->clearButton, &QPushButton::clicked, this, &PayrollWindow::clearRows);
    connect(grid, &PayrollGrid::left, this, &PayrollWindow::mainGridExit);

    m_warnings = MakePayrollWarningsReview(this, m_dialogs, m_model, grid, ui->serviceMenu);

    AltLetterFilter::install(this);
    // F10 reaches the menu bar, as Alt with a menu's letter does.
    auto *menuKey = new QAction(this);
    menuKey->setObjectName(u"menuBarAction"_s);
    menuKey->setShortcut(Qt::Key_F10);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] { menuBar()->setActiveAction(ui->fileMenu->menuAction()); });

    Guarded(this, m_dialogs, [this] { initialise(); });
    m_modified = false;

    setUpHistory();
    setUpRecovery();
    setUpRecentFiles();

    // The client area is 922 x 662 below the menu bar.
    setFixedSize(922, 662 + menuBar()->sizeHint().height());
}

PayrollWindow::~PayrollWindow()
{
    DetachChildren(this);
    ui->mainGrid->setSelectionCheck({});
    // Nor may its history or recovery copy answer the widgets going away.
    delete m_recovery;
    delete m_editMenu;
    delete m_undo;
}

// Today's year, month and date, the organisation's name.
void PayrollWindow::initialise()
{
    ui->headerGroup->setUp(ui->calendar, m_clock);
    const bool settingsExist = SettingsFileExists();
    if (!settingsExist)
        setEnabled(false);
    ui->mainGrid->selectCell(0, PayrollModel::NameColumn);
    if (settingsExist)
        showOrganisation(ReadSettingsRecord().organisationName);
}

void PayrollWindow::showOrganisation(const QString &organisationName)
{
    ui->clientName->setText(u" Организация: "_s + organisationName);
}

// Amounts in display form and the totals, before the cursor moves; false
// when an amount that is not a number stopped it.
bool PayrollWindow::refreshTotals()
{
    return Guarded(this, m_dialogs, [this] {
        m_model->formatAmounts();
        updateTotals();
    });
}

void PayrollWindow::updateTotals()
{
    const std::optional<Money> total = m_model->sumAmounts();
    if (!total)
        m_dialogs.information(this, u"Неправильное число"_s);
    m_status->showTotal(total.value_or(Money()));
}

void PayrollWindow::updateRowCounter()
{
    m_status->showRowCount(m_model->rowCount());
}

bool PayrollWindow::savePayroll()
{
    m_model->formatAmounts();
    // Typed amounts may have changed since the last cell selection.
    updateTotals();
    PayrollSaveRequest request{ui->headerGroup->header(), m_model->rows(), m_openedHeaderLine};
    const PayrollSaveOutcome outcome = SavePayroll(
            request, m_clock,
            [this, &request] {
                // After a text import the grid's rows are not the file's: say so.
                const QString question = m_importedOverOpened
                        ? OverwriteQuestionWithCounts(m_openedRowCount, request.rows.size())
                        : OverwriteQuestion();
                return m_dialogs.question(this, OverwriteCaption(), question, Dialogs::Buttons::YesNo)
                        == Dialogs::Answer::Yes;
            },
            [this] { return m_warnings->confirmSave(); });
    ui->headerGroup->setRegisterNumber(request.header.registerNumber);

    switch (outcome.kind) {
    case PayrollSaveOutcome::Kind::StoppedByCheck:
        m_dialogs.information(this, outcome.message);
        focusCheckedField(outcome);
        return false;
    case PayrollSaveOutcome::Kind::Cancelled:
        return false;
    case PayrollSaveOutcome::Kind::WriteFailed:
        // The old file is whole and the register stays unsaved.
        if (outcome.replacing) {
            m_dialogs.information(this, outcome.message);
            return true;
        }
        throw UserError(outcome.message);
    case PayrollSaveOutcome::Kind::Saved:
        break;
    }
    const QString workDir = QDir::toNativeSeparators(QDir::currentPath());
    m_dialogs.information(this, SavedMessagePrefix() + ReplaceAll(workDir, u"\\"_s, u"/"_s) + u'/' + outcome.path);
    // The platform's own separators, as after opening the file.
    setWindowTitle(kCaptionPrefix + QDir::toNativeSeparators(QDir::currentPath() + u'/' + outcome.path));
    m_modified = false;
    m_openedFile = QDir::currentPath() + u'/' + outcome.path;
    markSaved();
    m_recentFiles->add(m_openedFile);
    return true;
}

// The cursor to the first unfilled place of the header box a check named;
// in the grid, into the cell, before its first character that is not a digit.
void PayrollWindow::focusCheckedField(const PayrollSaveOutcome &outcome)
{
    MaskedEdit *edit = nullptr;
    int column = PayrollModel::CardColumn;
    switch (outcome.field) {
    case PayrollField::RegisterNumber:
        edit = ui->registerNum;
        break;
    case PayrollField::Year:
        edit = ui->year;
        break;
    case PayrollField::Date:
        edit = ui->sendDate;
        break;
    case PayrollField::Month:
        ui->months->setFocus(Qt::OtherFocusReason);
        return;
    case PayrollField::Name:
        column = PayrollModel::NameColumn;
        break;
    case PayrollField::Card:
        break;
    case PayrollField::Rows:
    case PayrollField::BankCodes:
        return;
    }
    if (edit) {
        edit->focusFirstUnfilled();
        return;
    }
    const QString text = m_model->cell(outcome.row, column);
    ui->mainGrid->focusCell(outcome.row, column,
                            int(std::find_if_not(text.cbegin(), text.cend(), IsAsciiDigit) - text.cbegin()));
}

void PayrollWindow::save()
{
    Guarded(this, m_dialogs, [this] { savePayroll(); });
}

void PayrollWindow::loadPayrollFile(const QString &path)
{
    LoadProgress progress(m_dialogs, this);
    QByteArray bytes = ReadBankFileBytes(path);
    progress.step();
    PayrollFileContents contents;
    try {
        contents = ReadPayrollFile(bytes);
    } catch (const UserError &e) {
        progress.finish();
        m_dialogs.information(this, e.text());
        return;
    }
    bytes = QByteArray(); // the rows hold it all now
    progress.step();

    // An opened file starts a new history, also when its amounts stop the load.
    const auto history = qScopeGuard([this] { startNewHistory(); });
    m_openedHeaderLine = contents.firstLine;
    m_openedRowCount = contents.rows.size();
    m_importedOverOpened = false;
    m_model->setRows({});
    // A month that is not a number stops the load with the number already set.
    ui->headerGroup->setRegisterNumber(contents.registerNumber);
    ui->headerGroup->setHeader(
            {contents.registerNumber, contents.date, MonthIndexFromField(contents.monthField), contents.year});

    fillLoadedRows(std::move(contents.rows), [&progress] { progress.finish(); });
    setWindowTitle(kCaptionPrefix + QDir::toNativeSeparators(path));
    m_openedFile = path;
    m_recentFiles->add(path);
    ui->mainGrid->showLoadedRows();
}

void PayrollWindow::loadPayrollText(const QString &path)
{
    LoadProgress progress(m_dialogs, this);
    QByteArray bytes;
    try {
        bytes = ReadPayrollTextBytes(path);
    } catch (const UserError &e) {
        progress.finish();
        m_dialogs.information(this, e.text());
        return;
    }
    progress.step();
    std::optional<QByteArray> text;
    try {
        text = ChooseSheetRows(m_dialogs, this, bytes, {PayrollTableLayout(), PayrollFieldNames(), u"payroll"_s},
                               [&progress] { progress.finish(); });
    } catch (const UserError &e) {
        progress.finish();
        m_dialogs.information(this, e.text());
        return;
    }
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
        const bool modified = m_modified;
        m_undo->rowsReplaced(u"импорт"_s, before);
        if (!modified)
            markSaved();
    });
    fillLoadedRows(std::move(rows), [&progress] { progress.finish(); });
    ui->mainGrid->showLoadedRows();
}

// All rows in one go; an amount that is not a number then stops the load
// with the rows in the grid, the register unsaved and that cell current.
void PayrollWindow::fillLoadedRows(PayrollRows rows, const std::function<void()> &formatted)
{
    m_model->setRows(std::move(rows));
    m_modified = true;
    updateRowCounter();
    try {
        m_model->formatAmounts();
    } catch (const UserError &e) {
        formatted();
        const int row = m_model->firstBadAmountRow();
        // No total while an amount is not a number, as the sum gives then.
        m_status->showTotal(Money());
        if (row < 0)
            throw;
        ui->mainGrid->focusBadAmount(row);
        throw UserError(BadAmountRowMessage(row + 1, e.text()));
    }
    formatted();
    updateTotals();
    m_modified = false;
}

void PayrollWindow::openWithDialog(const QString &filter, void (PayrollWindow::*reader)(const QString &),
                                   const QString &folder, const QString &chosen)
{
    Guarded(this, m_dialogs, [&] {
        ui->year->setFocus(Qt::OtherFocusReason);

        // The dialog may change the working directory; the save folder is relative to it.
        const QString workDir = QDir::currentPath();
        const auto restore = qScopeGuard([&workDir] { QDir::setCurrent(workDir); });

        // A save stopped by its checks lets the open go on; a write that
        // failed keeps the register in the window.
        // Going back to the warnings to fix them keeps the register too.
        const auto save = [this] {
            m_warnings->takeReturnedToFix();
            const bool saved = savePayroll();
            return !m_warnings->takeReturnedToFix() && !(saved && m_modified);
        };
        if (!ConfirmSaveChanges(m_dialogs, this, m_modified, save))
            return;

        const QString path = !chosen.isEmpty()   ? chosen
                             : folder.isEmpty() ? m_dialogs.openFileName(this, filter)
                                                : m_dialogs.openFileNameIn(this, filter, folder);
        if (!path.isEmpty())
            (this->*reader)(path);
    });
}

void PayrollWindow::openPayrollFile()
{
    // The files have no extension; the dialog opens where the save puts them.
    openWithDialog(u"ZPSV|ZPSV*"_s, &PayrollWindow::loadPayrollFile,
                   SaveFolder() + u'/' + ui->headerGroup->header().year.trimmed());
}

void PayrollWindow::importText()
{
    openWithDialog(SheetRowsFilter(), &PayrollWindow::loadPayrollText);
}

void PayrollWindow::print()
{
    Guarded(this, m_dialogs,
            [this] { PrintPayroll(this, m_dialogs, m_model->rows(), ui->headerGroup->header()); });
}

void PayrollWindow::printPreview()
{
    Guarded(this, m_dialogs,
            [this] { PreviewPayroll(this, m_dialogs, m_model->rows(), ui->headerGroup->header()); });
}

void PayrollWindow::showAbout()
{
    Guarded(this, m_dialogs, [this] { emit aboutRequested(); });
}

bool PayrollWindow::confirmClose()
{
    bool canClose = false;
    Guarded(this, m_dialogs, [&] {
        // A save that failed leaves the register unsaved: stay open then too.
        canClose = ConfirmSaveChanges(m_dialogs, this, m_modified, [this] { return savePayroll() && !m_modified; });
    });
    return canClose;
}

void PayrollWindow::closeEvent(QCloseEvent *event)
{
    // Disabled on first run and while the settings window is open: the
    // window manager's close must not end the program then.
    event->setAccepted(isEnabled() && confirmClose());
    // Saved, or its changes dropped on purpose: no copy to offer next time.
    if (event->isAccepted())
        m_recovery->discard();
}

void PayrollWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    placeInitialFocus();
    // Once the window is up: a copy left by a run that did not end is offered back.
    QTimer::singleShot(0, this, [this] { Guarded(this, m_dialogs, [this] { m_recovery->offer(m_dialogs, this); }); });
}

void PayrollWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::EnabledChange || !isEnabled())
        return;
    // Back from the settings window: the focus returns where it was.
    if (m_focusBeforeSettings && m_focusBeforeSettings->isEnabled())
        m_focusBeforeSettings->setFocus(Qt::OtherFocusReason);
    m_focusBeforeSettings.clear();
    placeInitialFocus();
}

// Typing starts in the register number, also after a first run enabled the
// window. Not in the grid: leaving it marks the register changed, so an
// untouched register would ask to be saved.
void PayrollWindow::placeInitialFocus()
{
    if (m_focusPlaced || !isVisible() || !isEnabled())
        return;
    m_focusPlaced = true;
    ui->headerGroup->focusRegisterNumber();
}

void PayrollWindow::showSettings()
{
    Guarded(this, m_dialogs, [this] {
        // Disabling the window takes the focus from it for good.
        m_focusBeforeSettings = focusWidget();
        emit settingsRequested();
        setEnabled(false);
    });
}

// Leaving the grid puts the amounts in display form, which changes no value.
// An amount that is not a number is left for the save and the next cell
// selection to report, so that the buttons and menus stay usable.
void PayrollWindow::mainGridExit()
{
    try {
        m_model->formatAmounts();
    } catch (const UserError &) {
        m_status->showTotal(Money());
    }
}

void PayrollWindow::addRow()
{
    Guarded(this, m_dialogs, [this] {
        m_undo->addRow();
        m_modified = true;
        updateRowCounter();
    });
}

void PayrollWindow::deleteRow()
{
    Guarded(this, m_dialogs, [this] {
        // The last requested row, which may be a refused number cell's; one
        // that no longer exists stands for the last row.
        const int row = std::clamp(ui->mainGrid->requestedRow(), 0, m_model->lastRow());
        bool remove = true;
        if (!m_model->cell(row, PayrollModel::NameColumn).isEmpty()
            || !m_model->cell(row, PayrollModel::CardColumn).isEmpty())
            remove = m_dialogs.destructiveQuestion(this, u"Удаление записи"_s, u"Вы действительно хотите удалить данную запись?"_s,
                                        Dialogs::Buttons::YesNo)
                    == Dialogs::Answer::Yes;
        if (remove) {
            m_undo->deleteRow(row);
            m_modified = true;
        }
        updateTotals();
        updateRowCounter();
    });
}

void PayrollWindow::clearRows()
{
    Guarded(this, m_dialogs, [this] {
        if (m_dialogs.destructiveQuestion(this, u"Очистка таблицы"_s, u"Вы действительно хотите очистить таблицу?"_s,
                               Dialogs::Buttons::YesNo)
            != Dialogs::Answer::Yes)
            return;
        m_undo->clearRows();
        m_modified = true;
        updateTotals();
        updateRowCounter();
    });
}

void PayrollWindow::setUpHistory()
{
    m_undo = new PayrollUndo(m_model,
                             {[this] { return ui->headerGroup->header(); },
                              [this](const PayrollHeader &header) { ui->headerGroup->setHeader(header); }},
                             this);
    QUndoStack *stack = m_undo->stack();
    m_editMenu = new EditMenu(this, stack, [this] { m_undo->commitCell(); });
    connect(stack, &QUndoStack::indexChanged, this, [this, stack] { m_modified = !stack->isClean(); });
    connect(stack, &QUndoStack::cleanChanged, this, [this](bool clean) { m_modified = !clean; });
    // After undo or redo, what changed is shown.
    for (QAction *action : {m_editMenu->undoAction(), m_editMenu->redoAction()})
        connect(action, &QAction::triggered, this, [this] {
            Guarded(this, m_dialogs, [this] {
                updateTotals();
                updateRowCounter();
            });
        });
    connect(ui->mainGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { m_undo->cellEntered(current.row(), current.column()); });
    connect(ui->headerGroup, &PayrollHeaderPanel::edited, m_undo, &PayrollUndo::headerEdited);
    connect(ui->mainGrid, &PayrollGrid::rowAdded, m_undo, &PayrollUndo::rowAppended);
    connect(ui->mainGrid, &PayrollGrid::edited, m_undo, &PayrollUndo::cellTyped);
    connect(ui->mainGrid, &PayrollGrid::rowsPasting, m_undo, &PayrollUndo::commitCell);
    connect(ui->mainGrid, &PayrollGrid::rowsPasted, this, [this](const PayrollRows &before) {
        m_undo->rowsReplaced(u"вставку строк"_s, before);
        markModified();
        updateTotals();
        updateRowCounter();
    });
    connect(m_model, &QAbstractItemModel::modelReset, m_undo, &PayrollUndo::rowsReset);
    const QModelIndex current = ui->mainGrid->currentIndex();
    m_undo->cellEntered(current.row(), current.column());
    m_undo->startHistory();
}

void PayrollWindow::startNewHistory()
{
    const bool modified = m_modified;
    m_undo->startHistory();
    if (modified)
        m_undo->stack()->resetClean();
    m_modified = modified;
}

void PayrollWindow::markSaved()
{
    m_undo->commitCell();
    m_undo->stack()->setClean();
    m_modified = false;
    m_recovery->discard();
}

bool PayrollWindow::worthRecovering() const
{
    if (!m_modified)
        return false;
    const PayrollRows &rows = m_model->rows();
    const bool noRows = rows.size() == 1 && rows.name(0).isEmpty() && rows.card(0).isEmpty() && rows.amount(0).isEmpty();
    return !noRows || !ui->headerGroup->header().registerNumber.trimmed().isEmpty();
}

void PayrollWindow::setUpRecovery()
{
    DocumentRecovery::Document document;
    document.worthKeeping = [this] { return worthRecovering(); };
    document.write = [this](const RecoveryStore &store, QString *reason) {
        return WriteRecovery<PayrollRecovery>(
                store, {ui->headerGroup->header(), m_model->rows(), m_openedFile, m_openedHeaderLine, m_clock.now()},
                reason);
    };
    document.read = [this](const RecoveryStore &store, QString *note) -> std::optional<DocumentRecovery::Offer> {
        RecoveryRead<PayrollRecovery> read = ReadRecovery<PayrollRecovery>(store);
        *note = read.note;
        if (!read.copy)
            return std::nullopt;
        const PayrollRecovery copy = *read.copy;
        return DocumentRecovery::Offer{PayrollRecoveryQuestion(copy), [this, copy] {
            ui->headerGroup->setHeader(copy.header);
            m_model->setRows(copy.rows);
            m_openedFile = copy.openedFile;
            m_openedHeaderLine = copy.openedHeaderLine;
            if (!copy.openedFile.isEmpty())
                setWindowTitle(kCaptionPrefix + QDir::toNativeSeparators(copy.openedFile));
            m_modified = true;
            startNewHistory();
            updateRowCounter();
            m_model->formatAmounts();
            updateTotals();
        }};
    };
    m_recovery =
            new DocumentRecovery(RecoveryStoreFor<PayrollRecovery>(QDir::currentPath()), std::move(document), this);
    m_recovery->setObjectName(u"payrollRecovery"_s);
    connect(m_recovery, &DocumentRecovery::noted, this, [this](const QString &note) {
        if (!note.isEmpty())
            m_status->showNote(note);
    });

    m_recovery->follow(m_model, m_undo->stack());
    connect(ui->headerGroup, &PayrollHeaderPanel::edited, m_recovery, &DocumentRecovery::changed);
}

void PayrollWindow::setUpRecentFiles()
{
    m_recentFiles = new RecentFilesMenu(PayrollRecovery::kind(), ui->fileMenu, ui->exitAction);
    ui->fileMenu->insertSeparator(ui->exitAction);
    connect(m_recentFiles, &RecentFilesMenu::chosen, this, &PayrollWindow::openRecent);
}

void PayrollWindow::openRecent(const QString &path)
{
    openWithDialog(u"ZPSV|ZPSV*"_s, &PayrollWindow::loadPayrollFile, QString(), path);
}
