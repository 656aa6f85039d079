#include "payroll/ui/PayrollWindow.h"

#include "ui_PayrollWindow.h"

#include "common/Money.h"
#include "common/UserError.h"
#include "common/ui/DetachChildren.h"
#include "common/ui/Dialogs.h"
#include "common/ui/DocumentSession.h"
#include "common/ui/ErrorGuard.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollDocument.h"
#include "payroll/ui/PayrollGrid.h"
#include "payroll/ui/PayrollPrinting.h"
#include "payroll/ui/PayrollStatusPanels.h"
#include "payroll/ui/PayrollWarningsReview.h"
#include "settings/SettingsRecord.h"

using namespace Qt::StringLiterals;

PayrollWindow::PayrollWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent)
    : DocumentMainWindow(dialogs, clock, parent)
    , ui(std::make_unique<Ui::PayrollWindow>())
    , m_model(new PayrollModel(this))
{
    ui->setupUi(this);
    SetUpDocumentFrame(this, ui->fileMenu, QSize(922, 662));
    m_status = std::make_unique<PayrollStatusPanels>(ui->statusBar, ui->overallSumma);

    PayrollGrid *grid = ui->mainGrid;
    grid->setPayrollModel(m_model);
    // Before the cursor moves: false (its error was shown) keeps it where it is.
    grid->setCellCheck([this](int, int) { return refreshTotals(); });
    connect(grid, &PayrollGrid::inputNoted, this, [this](const QString &note) { m_status->showNote(note); });
    WarningsReview *warnings = MakePayrollWarningsReview(this, m_dialogs, m_model, grid, ui->serviceMenu);

    ui->headerGroup->setUp(ui->calendar, m_clock);
    m_document = new PayrollDocument({this, &m_dialogs, ui->fileMenu, ui->exitAction, warnings},
                                     {ui->headerGroup, grid, m_status.get()}, m_model, m_clock);
    Guarded(this, m_dialogs, [this] { initialise(); });
    PayrollDocument *document = m_document;
    setDocument(document, grid);
    DocumentSession *session = document->session();
    connect(grid, &PayrollGrid::edited, session, &DocumentSession::markModified);
    connect(grid, &PayrollGrid::rowAdded, document, &PayrollDocument::updateRowCounter);
    connect(grid, &PayrollGrid::rowAdded, session, &DocumentSession::markModified);
    connect(grid, &PayrollGrid::left, this, &PayrollWindow::mainGridExit);
    connect(ui->headerGroup, &PayrollHeaderPanel::edited, session, &DocumentSession::markModified);

    connect(ui->saveAction, &QAction::triggered, this, &PayrollWindow::save);
    connect(ui->settingsAction, &QAction::triggered, this, &PayrollWindow::showSettings);
    connect(ui->exitAction, &QAction::triggered, this, [this] { Guarded(this, m_dialogs, [this] { close(); }); });
    connect(ui->openAction, &QAction::triggered, document, &PayrollDocument::openPayrollFile);
    connect(ui->importTextAction, &QAction::triggered, document, &PayrollDocument::importText);
    connect(ui->printAction, &QAction::triggered, this, &PayrollWindow::print);
    connect(ui->previewAction, &QAction::triggered, this, &PayrollWindow::printPreview);
    connect(ui->aboutAction, &QAction::triggered, this, &PayrollWindow::showAbout);
    connect(ui->clientsAction, &QAction::triggered, this, [this] { emit clientsRequested(); });
    connect(ui->printButton, &QPushButton::clicked, this, &PayrollWindow::print);
    connect(ui->addRowButton, &QPushButton::clicked, document, &PayrollDocument::addRow);
    connect(ui->deleteRowButton, &QPushButton::clicked, document, &PayrollDocument::deleteRow);
    connect(ui->clearButton, &QPushButton::clicked, document, &PayrollDocument::clearRows);
}

PayrollWindow::~PayrollWindow()
{
    DetachChildren(this);
}

bool PayrollWindow::savePayroll()
{
    return m_document->savePayroll();
}

void PayrollWindow::loadPayrollFile(const QString &path)
{
    m_document->loadPayrollFile(path);
}

void PayrollWindow::loadPayrollText(const QString &path)
{
    m_document->loadPayrollText(path);
}

// The first cell and the organisation's name, or a disabled window until
// the settings are first made.
void PayrollWindow::initialise()
{
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
        m_document->updateTotals();
    });
}

void PayrollWindow::save()
{
    Guarded(this, m_dialogs, [this] { m_document->savePayroll(); });
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

void PayrollWindow::showEvent(QShowEvent *event)
{
    DocumentMainWindow::showEvent(event);
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
