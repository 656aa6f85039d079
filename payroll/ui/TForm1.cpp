#include "payroll/ui/TForm1.h"

#include "ui_TForm1.h"

#include "common/AtomicFile.h"
#include "common/Clock.h"
#include "common/Money.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/ui/Dialogs.h"
#include "common/ui/ErrorGuard.h"
#include "payroll/PageArithmetic.h"
#include "payroll/PayrollModel.h"
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
#include <QProgressDialog>
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

// The stages of a load: reading the bytes, parsing, filling the grid. The
// dialog shows itself only when a load runs past half a second; it goes away
// before any message of the load is shown.
class LoadProgress
{
public:
    explicit LoadProgress(QWidget *parent)
        : m_dialog(std::make_unique<QProgressDialog>(u"Загрузка файла..."_s, QString(), 0, 3, parent))
    {
        m_dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setMinimumDuration(500);
        m_dialog->setValue(0);
    }

    void step()
    {
        if (m_dialog)
            m_dialog->setValue(m_dialog->value() + 1);
    }
    void finish() { m_dialog.reset(); }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace

TForm1::TForm1(Dialogs &dialogs, const Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TForm1>())
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
        m_panels[i] = new QLabel(ui->StatusBar1);
        m_panels[i]->setObjectName(QLatin1String(panelNames[i]));
        m_panels[i]->setFixedWidth(panelWidths[i]);
        ui->StatusBar1->addWidget(m_panels[i]);
    }
    m_panels[0]->setText(u"Всего строк:1"_s);
    m_panels[1]->setText(u"Общая сумма :0"_s);
    m_panels[1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    PayrollGrid *grid = ui->mainGrid;
    grid->setPayrollModel(m_model);
    grid->onSelectCell = [this](int col, int row, bool &canSelect) { mainGridSelectCell(col, row, canSelect); };
    grid->onKeyDown = [this](int key, Qt::KeyboardModifiers shift) { return mainGridKeyDown(key, shift); };
    grid->onKeyPress = [this](QChar &key) { mainGridKeyPress(key); };
    grid->onSetEditText = [this](int col, int row) { mainGridSetEditText(col, row); };

    // Only a double-click in the calendar fills the date: it never takes the focus.
    ui->MonthCalendar1->setFocusPolicy(Qt::NoFocus);
    for (QWidget *w : ui->MonthCalendar1->findChildren<QWidget *>())
        w->setFocusPolicy(Qt::NoFocus);

    connect(ui->N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(ui->N3, &QAction::triggered, this, &TForm1::N3Click);
    connect(ui->N4, &QAction::triggered, this, &TForm1::N4Click);
    connect(ui->gf1, &QAction::triggered, this, &TForm1::gf1Click);
    connect(ui->txt1, &QAction::triggered, this, &TForm1::txt1Click);
    connect(ui->N5, &QAction::triggered, this, &TForm1::N5Click);
    connect(ui->Preview1, &QAction::triggered, this, &TForm1::Preview1Click);
    connect(ui->N6, &QAction::triggered, this, &TForm1::N6Click);
    connect(ui->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(ui->registerNum, &QLineEdit::textChanged, this, &TForm1::registerNumChange);
    connect(ui->sendDate, &QLineEdit::textChanged, this, &TForm1::sendDateChange);
    connect(ui->months, &QComboBox::currentIndexChanged, this, &TForm1::monthsChange);
    connect(ui->year, &QLineEdit::textChanged, this, &TForm1::yearChange);
    connect(ui->MonthCalendar1, &QCalendarWidget::activated, this, &TForm1::MonthCalendar1DblClick);
    connect(ui->addRowButton, &QPushButton::clicked, this, &TForm1::addRowButtonClick);
    connect(ui->deleteRowButton, &QPushButton::clicked, this, &TForm1::deleteRowButtonClick);
    connect(ui->clearButton, &QPushButton::clicked, this, &TForm1::clearButtonClick);
    connect(qApp, &QApplication::focusChanged, this, &TForm1::FocusChanged);
    ui->registerNum->installEventFilter(this);
    ui->sendDate->installEventFilter(this);

    FormCreate();

    // The client area is 922 x 662 below the menu bar.
    setFixedSize(922, 662 + menuBar()->sizeHint().height());
}

TForm1::~TForm1()
{
    // Widgets that go away with the window change the focus; nothing of
    // this window may answer that any more.
    disconnect(qApp, nullptr, this, nullptr);
    PayrollGrid *grid = ui->mainGrid;
    grid->onSelectCell = nullptr;
    grid->onKeyDown = nullptr;
    grid->onKeyPress = nullptr;
    grid->onSetEditText = nullptr;
}

PayrollGrid *TForm1::grid() const
{
    return ui->mainGrid;
}

void TForm1::FormCreate()
{
    Guarded(this, m_dialogs, [this] {
        // Amounts are converted by Money, which always writes "." and
        // groups with blanks; nothing may depend on the user's locale.
        QLocale::setDefault(QLocale::c());
        const QDateTime now = m_clock.now();
        ui->year->setStoredText(now.toString(u"yyyy"_s));
        ui->StatusBar1->setFont(QFont(u"Arial"_s, 10, QFont::Bold));
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
            ui->clientName->setText(kOrganisationPrefix + ReadSettingsRecord().clientName);
    });
    DataChanged = false;
}

// ---- State offered to other windows and operations ------------------------

PayrollHeader TForm1::header() const
{
    PayrollHeader h;
    h.registerNumber = ui->registerNum->storedText();
    h.date = ui->sendDate->text();
    h.monthIndex = ui->months->currentIndex();
    h.year = ui->year->storedText();
    return h;
}

void TForm1::setHeader(const PayrollHeader &h)
{
    ui->registerNum->setStoredText(h.registerNumber);
    ui->sendDate->setText(h.date);
    ui->months->setCurrentIndex(h.monthIndex);
    ui->year->setStoredText(h.year);
}

QString TForm1::statusText(int panel) const
{
    return m_panels[panel]->text();
}

int TForm1::scrollPosition() const
{
    return ui->ScrollBox1->verticalScrollBar()->value();
}

void TForm1::SetScrollPosition(int position)
{
    ui->ScrollBox1->verticalScrollBar()->setValue(std::max(0, position));
}

// Brings a selected row into view when the page arithmetic left it outside.
void TForm1::ShowRow(int row)
{
    const int half = PayrollGrid::kRowHeight / 2;
    ui->ScrollBox1->ensureVisible(ui->ScrollBox1->horizontalScrollBar()->value(),
                                  row * PayrollGrid::kRowHeight + half, 0, half);
}

// ---- Totals and checks ------------------------------------------------------

void TForm1::FormatAmounts()
{
    m_model->FormatAmounts();
}

void TForm1::UpdateTotals()
{
    const std::optional<Money> total = m_model->SumAmounts();
    if (!total)
        m_dialogs.information(this, u"Неправильное число"_s);
    const QString text = kTotalPrefix + total.value_or(Money()).toDisplay();
    m_panels[1]->setText(text);
    ui->overallSumma->setText(text);
}

void TForm1::UpdateRowCounter()
{
    m_panels[0]->setText(u"Всего записей :"_s + QString::number(m_model->DataRowCount()));
}

bool TForm1::CheckCardNumbers()
{
    // The frames follow the model's set of bad cards on every repaint.
    return m_model->CheckCardNumbers().isEmpty();
}

void TForm1::PadRegisterNumber()
{
    const QString text = ui->registerNum->storedText();
    const QString padded = PadRegisterNumberText(text);
    if (padded != text)
        ui->registerNum->setStoredText(padded);
}

// ---- Saving -----------------------------------------------------------------

bool TForm1::ValidateBeforeSave()
{
    if (!TableFilled(m_model->rows())) {
        m_dialogs.information(this, TableNotFilledMessage());
        return false;
    }
    PadRegisterNumber();
    if (!HeaderComplete(header())) {
        m_dialogs.information(this, HeaderIncompleteMessage());
        return false;
    }
    if (!CheckCardNumbers()) {
        m_dialogs.information(this, BadDataMessage());
        return false;
    }
    if (!LastHeaderLine.isEmpty() && LastHeaderLine.mid(33) == HeaderKeyText(ReadSettingsRecord(), header()))
        return m_dialogs.question(this, u"Сохранение файла"_s, u"Вы действительно хотите перезаписать данный файл?"_s,
                                  Dialogs::Buttons::YesNo)
                == Dialogs::Answer::Yes;
    return true;
}

bool TForm1::SavePayroll()
{
    FormatAmounts();
    if (!ValidateBeforeSave())
        return false;

    const PayrollHeader h = header();
    QDir here;
    here.mkdir(SaveFolder());
    here.mkdir(SaveFolder() + u'/' + h.year);
    const SettingsRecord settings = ReadSettingsRecord();
    const QString path = PayrollFilePath(settings, h);
    const QDateTime moment = m_clock.now();
    // The amounts are in display form now; the file writes them plain, so
    // the grid never has to leave its display form.
    const QByteArray bytes = BuildPayrollFile(settings, h, m_model->rows(), moment);

    const bool existed = QFileInfo::exists(path);
    QString reason;
    if (!WriteFileAtomically(path, bytes, &reason)) {
        // The old file is whole and the register stays unsaved.
        if (existed) {
            m_dialogs.information(this, CannotReplaceMessage());
            return true;
        }
        throw UserError(u"Cannot create file \"%1\". %2"_s.arg(path, reason));
    }

    const QString workDir = QDir::toNativeSeparators(QDir::currentPath());
    m_dialogs.information(this, u"Файл успешно сохранён как "_s + ReplaceAll(workDir, u"\\"_s, u"/"_s) + u'/' + path);
    setWindowTitle(u"Кардолист - "_s + workDir + u'\\' + ReplaceAll(path, u"/"_s, u"\\"_s));
    DataChanged = false;
    return true;
}

// ---- Opening and text import -------------------------------------------------

void TForm1::OpenPayrollFile(const QString &path)
{
    LoadProgress progress(this);
    const QByteArray bytes = ReadPayrollFileBytes(path);
    progress.step();
    PayrollFileContents contents;
    try {
        contents = ReadPayrollFile(bytes);
    } catch (const UserError &e) {
        progress.finish();
        m_dialogs.information(this, e.text());
        return;
    }
    progress.step();

    LastHeaderLine = contents.firstLine;
    m_model->setRows({});
    ui->registerNum->setStoredText(contents.registerNumber);
    ui->months->setCurrentIndex(MonthIndexFromField(contents.monthField));
    ui->year->setStoredText(contents.year);
    ui->sendDate->setText(contents.date);

    FillLoadedRows(std::move(contents.rows), [&progress] { progress.finish(); });
    setWindowTitle(kCaptionPrefix + path);
    ShowLoadedRows();
}

void TForm1::ImportPayrollText(const QString &path)
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
    QList<PayrollRow> rows = ::ImportPayrollText(bytes);
    bytes = QByteArray();
    progress.step();

    FillLoadedRows(std::move(rows), [&progress] { progress.finish(); });
    ShowLoadedRows();
}

// All rows in one go; an amount that is not a number then stops the load
// with the rows in the grid and the register unsaved.
void TForm1::FillLoadedRows(QList<PayrollRow> rows, const std::function<void()> &formatted)
{
    m_model->setRows(std::move(rows));
    DataChanged = true;
    UpdateRowCounter();
    FormatAmounts();
    formatted();
    UpdateTotals();
    DataChanged = false;
}

// Focus into the grid on the first row's name, then the last row, scrolled to the bottom.
void TForm1::ShowLoadedRows()
{
    PayrollGrid *grid = ui->mainGrid;
    grid->setFocus(Qt::OtherFocusReason);
    grid->SelectCell(PayrollModel::NameColumn, 1);
    grid->SelectCell(PayrollModel::NameColumn, m_model->LastRow());
    SetScrollPosition(99999999);
}

void TForm1::OpenWithDialog(const QString &filter, void (TForm1::*reader)(const QString &))
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

        const Dialogs::Answer answer = DataChanged
                ? m_dialogs.question(this, u"Выход"_s, kChangesQuestion, Dialogs::Buttons::YesNoCancel)
                : Dialogs::Answer::No;
        if (answer == Dialogs::Answer::Cancel)
            return;
        // A save stopped by its checks lets the open go on; a write that
        // failed keeps the register in the window.
        if (answer == Dialogs::Answer::Yes && SavePayroll() && DataChanged)
            return;

        const QString path = m_dialogs.openFileName(this, filter);
        if (!path.isEmpty())
            (this->*reader)(path);
    });
}

void TForm1::gf1Click()
{
    OpenWithDialog(u"ZPSV|ZPSV*.*"_s, &TForm1::OpenPayrollFile);
}

void TForm1::txt1Click()
{
    OpenWithDialog(u"txt|*.txt"_s, &TForm1::ImportPayrollText);
}

// ---- Printing and About -------------------------------------------------------

void TForm1::N5Click()
{
    Guarded(this, m_dialogs, [this] { PrintPayroll(this, m_dialogs, m_model->rows(), header()); });
}

void TForm1::Preview1Click()
{
    Guarded(this, m_dialogs, [this] { PreviewPayroll(this, m_dialogs, m_model->rows(), header()); });
}

void TForm1::Button1Click()
{
    N5Click();
}

void TForm1::N6Click()
{
    Guarded(this, m_dialogs, [this] {
        if (m_aboutWindow)
            m_aboutWindow->exec();
    });
}

// ---- Window -----------------------------------------------------------------

void TForm1::FormCloseQuery(bool &canClose)
{
    canClose = false;
    Guarded(this, m_dialogs, [&] {
        const Dialogs::Answer answer = DataChanged
                ? m_dialogs.question(this, u"Выход"_s, kChangesQuestion, Dialogs::Buttons::YesNoCancel)
                : Dialogs::Answer::No;
        switch (answer) {
        case Dialogs::Answer::Yes:
            // A save that failed leaves the register unsaved: stay open then too.
            canClose = SavePayroll() && !DataChanged;
            break;
        case Dialogs::Answer::No:
            canClose = true;
            break;
        default:
            break;
        }
    });
}

void TForm1::closeEvent(QCloseEvent *event)
{
    bool canClose = false;
    FormCloseQuery(canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    PlaceInitialFocus();
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        PlaceInitialFocus();
}

// Typing starts in the name cell of row 1, also after a first run enabled the window.
void TForm1::PlaceInitialFocus()
{
    if (m_focusPlaced || !isVisible() || !isEnabled())
        return;
    m_focusPlaced = true;
    ui->mainGrid->focusCellEditor();
}

void TForm1::N2Click()
{
    Guarded(this, m_dialogs, [this] { SavePayroll(); });
}

void TForm1::N3Click()
{
    Guarded(this, m_dialogs, [this] {
        if (!m_settingsWindow)
            return;
        m_settingsWindow->show();
        m_settingsWindow->raise();
        m_settingsWindow->activateWindow();
        setEnabled(false);
    });
}

void TForm1::N4Click()
{
    Guarded(this, m_dialogs, [this] { close(); });
}

// ---- Header fields ----------------------------------------------------------

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->registerNum) {
        if (event->type() == QEvent::FocusOut)
            registerNumExit();
    } else if (watched == ui->sendDate) {
        switch (event->type()) {
        case QEvent::FocusIn: sendDateEnter(); break;
        case QEvent::FocusOut: sendDateExit(); break;
        case QEvent::MouseButtonDblClick: sendDateDblClick(); break;
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            sendDateKeyPress(key);
            return key->isAccepted();
        }
        default: break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::registerNumChange()
{
    Guarded(this, m_dialogs, [this] { DataChanged = true; });
}

void TForm1::registerNumExit()
{
    Guarded(this, m_dialogs, [this] { PadRegisterNumber(); });
}

void TForm1::sendDateChange()
{
    Guarded(this, m_dialogs, [this] { DataChanged = true; });
}

void TForm1::ShowCalendar()
{
    QCalendarWidget *calendar = ui->MonthCalendar1;
    if (calendar->isVisible())
        return;
    const QDate shown = QDate::fromString(ui->sendDate->text(), kDatePattern);
    calendar->setSelectedDate(shown.isValid() ? shown : m_clock.now().date());
    calendar->show();
    calendar->raise();
}

void TForm1::sendDateEnter()
{
    Guarded(this, m_dialogs, [this] { ShowCalendar(); });
}

void TForm1::sendDateDblClick()
{
    Guarded(this, m_dialogs, [this] { ShowCalendar(); });
}

// Any key shows the calendar; the keys that move through it or pick its
// day are passed on to it, the rest (Tab included) keep their meaning.
void TForm1::sendDateKeyPress(QKeyEvent *event)
{
    event->ignore();
    Guarded(this, m_dialogs, [&] {
        ShowCalendar();
        switch (event->key()) {
        case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Left: case Qt::Key_Right:
        case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Return: case Qt::Key_Enter:
            if (auto *days = ui->MonthCalendar1->findChild<QAbstractItemView *>()) {
                QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
                QCoreApplication::sendEvent(days, &copy);
            }
            event->accept();
            break;
        default:
            break;
        }
    });
}

void TForm1::sendDateExit()
{
    Guarded(this, m_dialogs, [this] { ui->MonthCalendar1->hide(); });
}

void TForm1::MonthCalendar1DblClick(QDate date)
{
    Guarded(this, m_dialogs, [&] {
        ui->sendDate->setText(date.toString(kDatePattern));
        ui->MonthCalendar1->hide();
        ui->sendDate->deselect();
    });
}

void TForm1::monthsChange()
{
    Guarded(this, m_dialogs, [this] { DataChanged = true; });
}

void TForm1::yearChange()
{
    Guarded(this, m_dialogs, [this] { DataChanged = true; });
}

// ---- Grid -------------------------------------------------------------------

void TForm1::mainGridSelectCell(int col, int row, bool &canSelect)
{
    RequestedCol = col;
    RequestedRow = row;
    if (col == PayrollModel::NumberColumn)
        canSelect = false;
    // While an amount is not a number the cursor cannot leave its cell.
    const bool done = Guarded(this, m_dialogs, [&] {
        FormatAmounts();
        UpdateTotals();
        CheckCardNumbers();
        const SelectionScroll scroll = ScrollForSelection(row, PageTopRow);
        PageTopRow = scroll.pageTopRow;
        if (scroll.position)
            SetScrollPosition(*scroll.position);
        ShowRow(row);
    });
    if (!done)
        canSelect = false;
}

void TForm1::mainGridKeyPress(QChar &key)
{
    const bool done = Guarded(this, m_dialogs, [&] {
        DataChanged = true;
        PayrollGrid *grid = ui->mainGrid;
        if (key == u'\t' && RequestedCol == PayrollModel::NumberColumn && RequestedRow == 1) {
            // Tab from the last amount: a new row, and on into its name.
            addRowButtonClick();
            // A refused selection ends the handler, as its error would.
            if (grid->SelectCell(PayrollModel::NameColumn, m_model->LastRow()))
                SetScrollPosition(99999999);
        } else if (key == u'\t' && RequestedCol == PayrollModel::NumberColumn) {
            // Tab from an amount: on into the next row's name.
            const int row = grid->Row();
            grid->SelectCell(PayrollModel::NameColumn, row < m_model->LastRow() ? row + 1 : row);
        }
        if (!m_model->AcceptsTyped(RequestedCol, RequestedRow, key))
            key = QChar();
    });
    if (!done)
        key = QChar();
}

bool TForm1::mainGridKeyDown(int key, Qt::KeyboardModifiers)
{
    bool consumed = false;
    Guarded(this, m_dialogs, [&] {
        PayrollGrid *grid = ui->mainGrid;
        const int col = grid->Col();
        switch (key) {
        // A refused selection ends the handler, as its error would: no scrolling.
        case Qt::Key_Home:
            if (grid->SelectCell(col, 1))
                SetScrollPosition(1);
            consumed = true;
            break;
        case Qt::Key_End:
            if (grid->SelectCell(col, m_model->LastRow()))
                SetScrollPosition(999999999);
            consumed = true;
            break;
        case Qt::Key_PageDown:
        case Qt::Key_PageUp: {
            const PageMove move = key == Qt::Key_PageDown ? PageDownMove(grid->Row(), m_model->rowCount())
                                                          : PageUpMove(grid->Row(), m_model->rowCount());
            PageTopRow = move.pageTopRow;
            if (grid->SelectCell(col, move.row))
                SetScrollPosition(move.position);
            consumed = true;
            break;
        }
        default:
            break;
        }
    });
    return consumed;
}

void TForm1::mainGridSetEditText(int, int)
{
    Guarded(this, m_dialogs, [this] {
        // A paste changes the register without a typed character.
        DataChanged = true;
        CheckCardNumbers();
    });
}

void TForm1::FocusChanged(QWidget *old, QWidget *now)
{
    PayrollGrid *grid = ui->mainGrid;
    const auto inGrid = [grid](QWidget *w) { return w == grid || grid->isAncestorOf(w); };
    if (old && now && inGrid(old) && !inGrid(now) && now->window() == this)
        mainGridExit();
}

void TForm1::mainGridExit()
{
    const bool done = Guarded(this, m_dialogs, [this] {
        FormatAmounts();
        CheckCardNumbers();
        DataChanged = true;
    });
    // An amount that is not a number keeps the focus in the grid.
    if (!done)
        ui->mainGrid->focusCellEditor();
}

void TForm1::addRowButtonClick()
{
    Guarded(this, m_dialogs, [this] {
        m_model->AddRow();
        DataChanged = true;
        UpdateRowCounter();
    });
}

void TForm1::deleteRowButtonClick()
{
    Guarded(this, m_dialogs, [this] {
        // The last requested row, which may be a refused number cell's; one
        // that no longer exists stands for the last row.
        const int row = std::clamp(RequestedRow == 0 ? 1 : RequestedRow, 1, m_model->LastRow());
        bool remove = true;
        if (!m_model->Cell(PayrollModel::NameColumn, row).isEmpty()
            || !m_model->Cell(PayrollModel::CardColumn, row).isEmpty())
            remove = m_dialogs.question(this, u"Удаление записи"_s, u"Вы действительно хотите удалить данную запись?"_s,
                                        Dialogs::Buttons::YesNo)
                    == Dialogs::Answer::Yes;
        if (remove) {
            m_model->DeleteRow(row);
            DataChanged = true;
        }
        UpdateTotals();
        UpdateRowCounter();
    });
}

void TForm1::clearButtonClick()
{
    Guarded(this, m_dialogs, [this] {
        if (m_dialogs.question(this, u"Очистка таблицы"_s, u"Вы действительно хотите очистить таблицу?"_s,
                               Dialogs::Buttons::YesNo)
            != Dialogs::Answer::Yes)
            return;
        m_model->ClearRows();
        DataChanged = true;
        UpdateTotals();
        UpdateRowCounter();
    });
}
