#include "payroll/ui/PayrollWindow.h"

#include "ui_PayrollWindow.h"

#include "common/AtomicFile.h"
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
#include "settings/SettingsRecord.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QScopeGuard>
#include <QScrollBar>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString kDatePattern = u"dd.MM.yyyy"_s;
const QString kTotalPrefix = u"Общая сумма : "_s;
const QString kOrganisationPrefix = u" Организация: "_s;
const QString kChangesQuestion = u"Сохранить изменения?"_s;
const QString kCaptionPrefix = u"Кардолист - "_s;

} // namespace

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

    const char *panelNames[] = {"StatusPanel0", "StatusPanel1"};
    const int panelWidths[] = {600, 250};
    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new QLabel(ui->statusBar);
        m_panels[i]->setObjectName(QLatin1String(panelNames[i]));
        m_panels[i]->setFixedWidth(panelWidths[i]);
        ui->statusBar->addWidget(m_panels[i]);
    }
    m_panels[0]->setText(u"Всего строк:1"_s);
    m_panels[1]->setText(u"Общая сумма :0"_s);
    m_panels[1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    PayrollGrid *grid = ui->mainGrid;
    grid->setPayrollModel(m_model);
    grid->setHandler(this);
    // Over the panels for a while: a refused or replaced letter is never silent.
    connect(grid, &PayrollGrid::inputNoted, this, [this](const QString &note) {
        ui->statusBar->showMessage(note, 15000);
    });

    // Only a double-click in the calendar fills the date: it never takes the focus.
    ui->calendar->setFocusPolicy(Qt::NoFocus);
    ui->calendar->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    for (QWidget *w : ui->calendar->findChildren<QWidget *>())
        w->setFocusPolicy(Qt::NoFocus);

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
    // A key that a mask refuses changes nothing and marks nothing.
    connect(ui->registerNum, &MaskedEdit::storedTextChanged, this, &PayrollWindow::markModified);
    connect(ui->sendDate, &MaskedEdit::storedTextChanged, this, &PayrollWindow::markModified);
    connect(ui->months, &QComboBox::currentIndexChanged, this, &PayrollWindow::markModified);
    connect(ui->year, &MaskedEdit::storedTextChanged, this, &PayrollWindow::markModified);
    connect(ui->calendar, &QCalendarWidget::activated, this, &PayrollWindow::pickCalendarDate);
    connect(ui->addRowButton, &QPushButton::clicked, this, &PayrollWindow::addRow);
    connect(ui->deleteRowButton, &QPushButton::clicked, this, &PayrollWindow::deleteRow);
    connect(ui->clearButton, &QPushButton::clicked, this, &PayrollWindow::clearRows);
    connect(qApp, &QApplication::focusChanged, this, &PayrollWindow::focusChanged);
    ui->registerNum->installEventFilter(this);
    ui->sendDate->installEventFilter(this);

    Guarded(this, m_dialogs, [this] { initialise(); });
    m_modified = false;

    // The client area is 922 x 662 below the menu bar.
    setFixedSize(922, 662 + menuBar()->sizeHint().height());
}

PayrollWindow::~PayrollWindow()
{
    // Widgets that go away with the window change the focus; nothing of
    // this window may answer that any more.
    disconnect(qApp, nullptr, this, nullptr);
    ui->mainGrid->setHandler(nullptr);
}

PayrollGrid *PayrollWindow::grid() const
{
    return ui->mainGrid;
}

// Today's year, month and date, the column widths, the organisation's name.
void PayrollWindow::initialise()
{
    const QDateTime now = m_clock.now();
    ui->year->setStoredText(now.toString(u"yyyy"_s));
    ui->statusBar->setFont(QFont(u"Arial"_s, 10, QFont::Bold));
    ui->overallSumma->setText(kTotalPrefix + Money().toDisplay());
    ui->months->setCurrentIndex(now.date().month() - 1);
    const bool settingsExist = SettingsFileExists();
    if (!settingsExist)
        setEnabled(false);
    ui->sendDate->setText(now.toString(kDatePattern));
    ui->mainGrid->setColumnWidth(PayrollModel::NumberColumn, 50);
    for (int col = PayrollModel::NameColumn; col <= PayrollModel::AmountColumn; ++col)
        ui->mainGrid->setColumnWidth(col, 285);
    ui->mainGrid->SelectCell(PayrollModel::NameColumn, 1);
    if (settingsExist)
        showOrganisation(ReadSettingsRecord().clientName);
}

void PayrollWindow::showOrganisation(const QString &clientName)
{
    ui->clientName->setText(kOrganisationPrefix + clientName);
}

// ---- State offered to other windows and operations ------------------------

PayrollHeader PayrollWindow::header() const
{
    PayrollHeader h;
    h.registerNumber = ui->registerNum->storedText();
    h.date = ui->sendDate->text();
    h.monthIndex = ui->months->currentIndex();
    h.year = ui->year->storedText();
    return h;
}

void PayrollWindow::setHeader(const PayrollHeader &h)
{
    ui->registerNum->setStoredText(h.registerNumber);
    ui->sendDate->setText(h.date);
    ui->months->setCurrentIndex(h.monthIndex);
    ui->year->setStoredText(h.year);
}

QString PayrollWindow::statusText(int panel) const
{
    return m_panels[panel]->text();
}

int PayrollWindow::scrollPosition() const
{
    return ui->gridScrollArea->verticalScrollBar()->value();
}

void PayrollWindow::setScrollPosition(int position)
{
    ui->gridScrollArea->verticalScrollBar()->setValue(std::max(0, position));
}

// Brings a selected row into view when the page arithmetic left it outside.
void PayrollWindow::showRow(int row)
{
    const int half = PayrollGrid::kRowHeight / 2;
    ui->gridScrollArea->ensureVisible(ui->gridScrollArea->horizontalScrollBar()->value(),
                                  row * PayrollGrid::kRowHeight + half, 0, half);
}

// ---- Totals and checks ------------------------------------------------------

void PayrollWindow::formatAmounts()
{
    m_model->FormatAmounts();
}

void PayrollWindow::updateTotals()
{
    const std::optional<Money> total = m_model->SumAmounts();
    if (!total)
        m_dialogs.information(this, u"Неправильное число"_s);
    const QString text = kTotalPrefix + total.value_or(Money()).toDisplay();
    m_panels[1]->setText(text);
    ui->overallSumma->setText(text);
}

void PayrollWindow::updateRowCounter()
{
    m_panels[0]->setText(u"Всего записей :"_s + QString::number(m_model->DataRowCount()));
}

bool PayrollWindow::checkCardNumbers()
{
    // The frames follow the model's set of bad cards on every repaint.
    return m_model->CheckCardNumbers().isEmpty();
}

void PayrollWindow::padRegisterNumber()
{
    const QString text = ui->registerNum->storedText();
    const QString padded = PadRegisterNumberText(text);
    if (padded != text)
        ui->registerNum->setStoredText(padded);
}

// ---- Saving -----------------------------------------------------------------

bool PayrollWindow::savePayroll()
{
    formatAmounts();
    PayrollSaveRequest request{header(), m_model->rows(), m_openedHeaderLine};
    const PayrollSaveOutcome outcome = SavePayroll(request, m_clock, [this] {
        return m_dialogs.question(this, OverwriteCaption(), OverwriteQuestion(), Dialogs::Buttons::YesNo)
                == Dialogs::Answer::Yes;
    });
    if (request.header.registerNumber != ui->registerNum->storedText())
        ui->registerNum->setStoredText(request.header.registerNumber);

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
    PayrollGrid *grid = ui->mainGrid;
    const int row = outcome.row + 1;
    if (!grid->SelectCell(column, row))
        return;
    grid->focusCellEditor();
    if (QLineEdit *editor = grid->cellEditor()) {
        const QString text = m_model->Cell(column, row);
        editor->deselect();
        editor->setCursorPosition(int(std::find_if_not(text.cbegin(), text.cend(), IsAsciiDigit) - text.cbegin()));
    }
}

// ---- Opening and text import -------------------------------------------------

void PayrollWindow::loadPayrollFile(const QString &path)
{
    LoadProgress progress(this);
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
    ui->registerNum->setStoredText(contents.registerNumber);
    ui->months->setCurrentIndex(MonthIndexFromField(contents.monthField));
    ui->year->setStoredText(contents.year);
    ui->sendDate->setText(contents.date);

    fillLoadedRows(std::move(contents.rows), [&progress] { progress.finish(); });
    setWindowTitle(kCaptionPrefix + QDir::toNativeSeparators(path));
    showLoadedRows();
}

void PayrollWindow::loadPayrollText(const QString &path)
{
    LoadProgress progress(this);
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
    showLoadedRows();
}

// All rows in one go; an amount that is not a number then stops the load
// with the rows in the grid and the register unsaved.
void PayrollWindow::fillLoadedRows(PayrollRows rows, const std::function<void()> &formatted)
{
    m_model->setRows(std::move(rows));
    m_modified = true;
    updateRowCounter();
    formatAmounts();
    formatted();
    updateTotals();
    m_modified = false;
}

// Focus into the grid on the first row's name, then the last row, scrolled to the bottom.
void PayrollWindow::showLoadedRows()
{
    PayrollGrid *grid = ui->mainGrid;
    grid->setFocus(Qt::OtherFocusReason);
    grid->SelectCell(PayrollModel::NameColumn, 1);
    grid->SelectCell(PayrollModel::NameColumn, m_model->LastRow());
    setScrollPosition(99999999);
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

        const Dialogs::Answer answer = m_modified
                ? m_dialogs.question(this, u"Выход"_s, kChangesQuestion, Dialogs::Buttons::YesNoCancel)
                : Dialogs::Answer::No;
        if (answer == Dialogs::Answer::Cancel)
            return;
        // A save stopped by its checks lets the open go on; a write that
        // failed keeps the register in the window.
        if (answer == Dialogs::Answer::Yes && savePayroll() && m_modified)
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

// ---- Printing and About -------------------------------------------------------

void PayrollWindow::print()
{
    Guarded(this, m_dialogs, [this] { PrintPayroll(this, m_dialogs, m_model->rows(), header()); });
}

void PayrollWindow::printPreview()
{
    Guarded(this, m_dialogs, [this] { PreviewPayroll(this, m_dialogs, m_model->rows(), header()); });
}

void PayrollWindow::showAbout()
{
    Guarded(this, m_dialogs, [this] { emit aboutRequested(); });
}

// ---- Window -----------------------------------------------------------------

bool PayrollWindow::confirmClose()
{
    bool canClose = false;
    Guarded(this, m_dialogs, [&] {
        const Dialogs::Answer answer = m_modified
                ? m_dialogs.question(this, u"Выход"_s, kChangesQuestion, Dialogs::Buttons::YesNoCancel)
                : Dialogs::Answer::No;
        switch (answer) {
        case Dialogs::Answer::Yes:
            // A save that failed leaves the register unsaved: stay open then too.
            canClose = savePayroll() && !m_modified;
            break;
        case Dialogs::Answer::No:
            canClose = true;
            break;
        default:
            break;
        }
    });
    return canClose;
}

void PayrollWindow::closeEvent(QCloseEvent *event)
{
    // Disabled on first run and while the settings window is open: the
    // window manager's close must not end the program then.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (confirmClose())
        event->accept();
    else
        event->ignore();
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
    ui->registerNum->setFocus(Qt::OtherFocusReason);
    ui->registerNum->setCursorPosition(0);
}

void PayrollWindow::save()
{
    Guarded(this, m_dialogs, [this] { savePayroll(); });
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

// ---- Header fields ----------------------------------------------------------

bool PayrollWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->registerNum) {
        if (event->type() == QEvent::FocusOut)
            padRegisterNumberOnExit();
    } else if (watched == ui->sendDate) {
        switch (event->type()) {
        case QEvent::FocusIn: sendDateEnter(); break;
        case QEvent::FocusOut: hideCalendar(); break;
        case QEvent::MouseButtonDblClick: sendDateEnter(); break;
        case QEvent::KeyPress:
            return sendDateKeyPress(static_cast<QKeyEvent *>(event));
        default: break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void PayrollWindow::padRegisterNumberOnExit()
{
    Guarded(this, m_dialogs, [this] { padRegisterNumber(); });
}

void PayrollWindow::showCalendar()
{
    QCalendarWidget *calendar = ui->calendar;
    if (calendar->isVisible())
        return;
    const QDate shown = QDate::fromString(ui->sendDate->text(), kDatePattern);
    calendar->setSelectedDate(shown.isValid() ? shown : m_clock.now().date());
    calendar->show();
    calendar->raise();
}

void PayrollWindow::sendDateEnter()
{
    Guarded(this, m_dialogs, [this] { showCalendar(); });
}

// Any key shows the calendar; the keys that move through it or pick its
// day are passed on to it (true: consumed), the rest (Tab included) keep
// their meaning. The event's accepted flag stays as it came: a Tab left
// ignored would travel on to the parent and move the focus a second time.
bool PayrollWindow::sendDateKeyPress(const QKeyEvent *event)
{
    bool consumed = false;
    Guarded(this, m_dialogs, [&] {
        showCalendar();
        switch (event->key()) {
        case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Left: case Qt::Key_Right:
        case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Return: case Qt::Key_Enter:
            if (auto *days = ui->calendar->findChild<QAbstractItemView *>()) {
                QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
                QCoreApplication::sendEvent(days, &copy);
            }
            consumed = true;
            break;
        default:
            break;
        }
    });
    return consumed;
}

void PayrollWindow::hideCalendar()
{
    Guarded(this, m_dialogs, [this] { ui->calendar->hide(); });
}

void PayrollWindow::pickCalendarDate(QDate date)
{
    Guarded(this, m_dialogs, [&] {
        ui->sendDate->setText(date.toString(kDatePattern));
        ui->calendar->hide();
        ui->sendDate->deselect();
    });
}

void PayrollWindow::markModified()
{
    m_modified = true;
}

// ---- Grid -------------------------------------------------------------------

bool PayrollWindow::allowCell(int col, int row)
{
    bool canSelect = true;
    m_requestedCell.col = col;
    m_requestedCell.row = row;
    if (col == PayrollModel::NumberColumn)
        canSelect = false;
    // While an amount is not a number the cursor cannot leave its cell.
    const bool done = Guarded(this, m_dialogs, [&] {
        formatAmounts();
        updateTotals();
        checkCardNumbers();
        const GridPaging::Scroll scroll = kPayrollPaging.scrollForSelection(row, m_pageTopRow);
        m_pageTopRow = scroll.pageTopRow;
        if (scroll.position)
            setScrollPosition(*scroll.position);
        showRow(row);
    });
    return done && canSelect;
}

void PayrollWindow::gridKeyPress(QChar &key)
{
    const bool done = Guarded(this, m_dialogs, [&] {
        m_modified = true;
        PayrollGrid *grid = ui->mainGrid;
        if (key == u'\t' && m_requestedCell.col == PayrollModel::NumberColumn && m_requestedCell.row == 1) {
            // Tab from the last amount: a new row, and on into its name.
            addRow();
            // A refused selection ends the handler, as its error would.
            if (grid->SelectCell(PayrollModel::NameColumn, m_model->LastRow()))
                setScrollPosition(99999999);
        } else if (key == u'\t' && m_requestedCell.col == PayrollModel::NumberColumn) {
            // Tab from an amount: on into the next row's name.
            const int row = grid->Row();
            grid->SelectCell(PayrollModel::NameColumn, row < m_model->LastRow() ? row + 1 : row);
        }
        if (!m_model->AcceptsTyped(m_requestedCell.col, m_requestedCell.row, key))
            key = QChar();
    });
    if (!done)
        key = QChar();
}

bool PayrollWindow::gridKeyDown(int key, Qt::KeyboardModifiers)
{
    bool consumed = false;
    Guarded(this, m_dialogs, [&] {
        PayrollGrid *grid = ui->mainGrid;
        const int col = grid->Col();
        switch (key) {
        // A refused selection ends the handler, as its error would: no scrolling.
        case Qt::Key_Home:
            if (grid->SelectCell(col, 1))
                setScrollPosition(1);
            consumed = true;
            break;
        case Qt::Key_End:
            if (grid->SelectCell(col, m_model->LastRow()))
                setScrollPosition(999999999);
            consumed = true;
            break;
        case Qt::Key_PageDown:
        case Qt::Key_PageUp: {
            const GridPaging::Move move = key == Qt::Key_PageDown
                    ? kPayrollPaging.pageDown(grid->Row(), m_model->rowCount())
                    : kPayrollPaging.pageUp(grid->Row(), m_model->rowCount());
            m_pageTopRow = move.pageTopRow;
            if (grid->SelectCell(col, move.row))
                setScrollPosition(move.position);
            consumed = true;
            break;
        }
        default:
            break;
        }
    });
    return consumed;
}

void PayrollWindow::cellTextSet(int, int)
{
    Guarded(this, m_dialogs, [this] {
        // A paste changes the register without a typed character.
        m_modified = true;
        checkCardNumbers();
    });
}

void PayrollWindow::focusChanged(QWidget *old, QWidget *now)
{
    PayrollGrid *grid = ui->mainGrid;
    const auto inGrid = [grid](QWidget *w) { return w == grid || grid->isAncestorOf(w); };
    if (old && now && inGrid(old) && !inGrid(now) && now->window() == this)
        mainGridExit();
}

void PayrollWindow::mainGridExit()
{
    const bool done = Guarded(this, m_dialogs, [this] {
        formatAmounts();
        checkCardNumbers();
        m_modified = true;
    });
    // An amount that is not a number keeps the focus in the grid.
    if (!done)
        ui->mainGrid->focusCellEditor();
}

void PayrollWindow::addRow()
{
    Guarded(this, m_dialogs, [this] {
        m_model->AddRow();
        m_modified = true;
        updateRowCounter();
    });
}

void PayrollWindow::deleteRow()
{
    Guarded(this, m_dialogs, [this] {
        // The last requested row, which may be a refused number cell's; one
        // that no longer exists stands for the last row.
        const int row = std::clamp(m_requestedCell.row == 0 ? 1 : m_requestedCell.row, 1, m_model->LastRow());
        bool remove = true;
        if (!m_model->Cell(PayrollModel::NameColumn, row).isEmpty()
            || !m_model->Cell(PayrollModel::CardColumn, row).isEmpty())
            remove = m_dialogs.question(this, u"Удаление записи"_s, u"Вы действительно хотите удалить данную запись?"_s,
                                        Dialogs::Buttons::YesNo)
                    == Dialogs::Answer::Yes;
        if (remove) {
            m_model->DeleteRow(row);
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
        m_model->ClearRows();
        m_modified = true;
        updateTotals();
        updateRowCounter();
    });
}
