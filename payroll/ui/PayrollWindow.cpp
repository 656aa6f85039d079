#include "payroll/ui/PayrollWindow.h"

#include "ui_PayrollWindow.h"

#include "common/Clock.h"
#include "common/Money.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/ui/Dialogs.h"
#include "common/ui/ErrorGuard.h"
#include "common/ui/LoadProgress.h"
#include "common/BankFileReader.h"
#include "common/Digits.h"
#include "payroll/PayrollLoad.h"
#include "payroll/PayrollPaging.h"
#include "payroll/PayrollModel.h"
#include "payroll/PayrollSave.h"
#include "payroll/PayrollTextImport.h"
#include "payroll/PayrollTexts.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollPrinting.h"
#include "payroll/ui/PayrollStatusPanels.h"
#include "settings/SettingsRecord.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QScopeGuard>

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

    Guarded(this, m_dialogs, [this] { initialise(); });
    m_modified = false;

    // The client area is 922 x 662 below the menu bar.
    setFixedSize(922, 662 + menuBar()->sizeHint().height());
}

PayrollWindow::~PayrollWindow()
{
    // Widgets that go away with the window change the focus; nothing of
    // this window may answer that any more.
    disconnect(ui->mainGrid, nullptr, this, nullptr);
    ui->mainGrid->setSelectionCheck({});
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

void PayrollWindow::showOrganisation(const QString &clientName)
{
    ui->clientName->setText(u" Организация: "_s + clientName);
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
    PayrollSaveRequest request{ui->headerGroup->header(), m_model->rows(), m_openedHeaderLine};
    const PayrollSaveOutcome outcome = SavePayroll(request, m_clock, [this] {
        return m_dialogs.question(this, OverwriteCaption(), OverwriteQuestion(), Dialogs::Buttons::YesNo)
                == Dialogs::Answer::Yes;
    });
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

    m_openedHeaderLine = contents.firstLine;
    m_model->setRows({});
    // A month that is not a number stops the load with the number already set.
    ui->headerGroup->setRegisterNumber(contents.registerNumber);
    ui->headerGroup->setHeader(
            {contents.registerNumber, contents.date, MonthIndexFromField(contents.monthField), contents.year});

    fillLoadedRows(std::move(contents.rows), [&progress] { progress.finish(); });
    setWindowTitle(kCaptionPrefix + QDir::toNativeSeparators(path));
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
    PayrollRows rows = ::ImportPayrollText(bytes);
    bytes = QByteArray();
    progress.step();

    fillLoadedRows(std::move(rows), [&progress] { progress.finish(); });
    ui->mainGrid->showLoadedRows();
}

// All rows in one go; an amount that is not a number then stops the load
// with the rows in the grid and the register unsaved.
void PayrollWindow::fillLoadedRows(PayrollRows rows, const std::function<void()> &formatted)
{
    m_model->setRows(std::move(rows));
    m_modified = true;
    updateRowCounter();
    m_model->formatAmounts();
    formatted();
    updateTotals();
    m_modified = false;
}

void PayrollWindow::openWithDialog(const QString &filter, void (PayrollWindow::*reader)(const QString &))
{
    Guarded(this, m_dialogs, [&] {
        ui->year->setFocus(Qt::OtherFocusReason);
        // An amount that is not a number keeps the focus in the grid; its message has been shown.
        const QWidget *focus = QApplication::focusWidget();
        if (focus && (focus == ui->mainGrid || ui->mainGrid->isAncestorOf(focus)))
            return;

        // The dialog may change the working directory; the save folder is relative to it.
        const QString workDir = QDir::currentPath();
        const auto restore = qScopeGuard([&workDir] { QDir::setCurrent(workDir); });

        // A save stopped by its checks lets the open go on; a write that
        // failed keeps the register in the window.
        if (!ConfirmSaveChanges(m_dialogs, this, m_modified, [this] { return !(savePayroll() && m_modified); }))
            return;

        const QString path = m_dialogs.openFileName(this, filter);
        if (!path.isEmpty())
            (this->*reader)(path);
    });
}

void PayrollWindow::openPayrollFile()
{
    openWithDialog(u"ZPSV|ZPSV*.*"_s, &PayrollWindow::loadPayrollFile);
}

void PayrollWindow::importText()
{
    openWithDialog(u"txt|*.txt"_s, &PayrollWindow::loadPayrollText);
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
}

void PayrollWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    placeInitialFocus();
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

// Leaving the grid puts the amounts in display form; one that is not a
// number keeps the focus in the grid.
void PayrollWindow::mainGridExit()
{
    const bool done = Guarded(this, m_dialogs, [this] {
        m_model->formatAmounts();
        m_modified = true;
    });
    if (!done)
        ui->mainGrid->focusCellEditor();
}

void PayrollWindow::addRow()
{
    Guarded(this, m_dialogs, [this] {
        m_model->addRow();
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
            remove = m_dialogs.question(this, u"Удаление записи"_s, u"Вы действительно хотите удалить данную запись?"_s,
                                        Dialogs::Buttons::YesNo)
                    == Dialogs::Answer::Yes;
        if (remove) {
            m_model->deleteRow(row);
            m_modified = true;
        }
        updateTotals();
        updateRowCounter();
    });
}

void PayrollWindow::clearRows()
{
    Guarded(this, m_dialogs, [this] {
        if (m_dialogs.question(this, u"Очистка таблицы"_s, u"Вы действительно хотите очистить таблицу?"_s,
                               Dialogs::Buttons::YesNo)
            != Dialogs::Answer::Yes)
            return;
        m_model->clearRows();
        m_modified = true;
        updateTotals();
        updateRowCounter();
    });
}
