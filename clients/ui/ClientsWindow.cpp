#include "clients/ui/ClientsWindow.h"

#include "ui_ClientsWindow.h"

#include "clients/ClientListFile.h"
#include "clients/ClientListLoad.h"
#include "clients/ClientListSave.h"
#include "clients/ClientSheetLayout.h"
#include "clients/ClientRecovery.h"
#include "clients/ClientTableModel.h"
#include "clients/ClientTextImport.h"
#include "clients/ClientTexts.h"
#include "clients/ui/ClientEditPanel.h"
#include "clients/ui/ClientListPrinting.h"
#include "clients/ui/ClientWarningsReview.h"
#include "clients/ui/ClientsUndo.h"
#include "common/Clock.h"
#include "common/GridPaging.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/ui/AltLetterFilter.h"
#include "common/ui/DetachChildren.h"
#include "common/ui/Dialogs.h"
#include "common/ui/DocumentRecovery.h"
#include "common/ui/EditMenu.h"
#include "common/ui/RecentFilesMenu.h"
#include "common/ui/ErrorGuard.h"
#include "common/ui/ClipboardRows.h"
#include "common/ui/LoadProgress.h"
#include "common/ui/WarningsReview.h"
#include "common/ui/SheetRowsChoice.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QMenuBar>
#include <QGuiApplication>
#include <QMenu>
#include <QDir>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTimer>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"Регистрация клиентов"_s;
const QString kChangeMark = u" *"_s;
const QString kSaveQuestion = u"Сохранить данные?"_s;
const QString kDeleteQuestion = u"Вы действительно хотите удалить данную запись?"_s;
const QString kClearQuestion = u"Вы действительно хотите очистить всю таблицу?"_s;

// Pages of 20 rows of 25 pixels; a row between page starts keeps the page.
constexpr GridPaging kPaging{20, 25, GridPaging::Rounding::Down};

QString WithoutMark(const QString &caption)
{
    return ReplaceAll(caption, kChangeMark, QString());
}

} // namespace

ClientsWindow::ClientsWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::ClientsWindow>())
    , m_dialogs(dialogs)
    , m_clock(clock)
    , m_model(new ClientTableModel(this))
{
    ui->setupUi(this);
    m_fields = ui->editPanel;
    // A fixed frame with the system menu and a minimise button only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(kCaption);

    connect(m_fields, &ClientEditPanel::marksChanged, this, &ClientsWindow::markEditButton);
    // The five buttons come between the address and the place of birth.
    QWidget *const tabs[] = {
        m_fields->fieldWidget(ClientField::Address), ui->addButton, ui->editButton, ui->deleteButton,
        ui->clearButton, ui->printButton, m_fields->fieldWidget(ClientField::PlaceOfBirth),
        m_fields->fieldWidget(ClientField::PassportIssuedBy), m_fields->fieldWidget(ClientField::TaxOffice),
        m_fields->fieldWidget(ClientField::MobileNumber),
    };
    for (size_t i = 1; i < std::size(tabs); ++i)
        QWidget::setTabOrder(tabs[i - 1], tabs[i]);

    ui->mainGrid->setClientModel(m_model);
    ui->mainGrid->setCellFilter([this](int row, int column) { return allowCell(row, column); });

    connect(ui->addButton, &QPushButton::clicked, this, &ClientsWindow::addClient);
    connect(ui->editButton, &QPushButton::clicked, this, &ClientsWindow::editClient);
    connect(ui->deleteButton, &QPushButton::clicked, this, &ClientsWindow::deleteClient);
    connect(ui->clearButton, &QPushButton::clicked, this, &ClientsWindow::clearTableAsked);
    connect(ui->printButton, &QPushButton::clicked, this, &ClientsWindow::print);
    connect(ui->printAction, &QAction::triggered, this, &ClientsWindow::print);

    AltLetterFilter::install(this);
    // F10 reaches the menu bar, as Alt with a menu's letter does.
    auto *menuKey = new QAction(this);
    menuKey->setObjectName(u"menuBarAction"_s);
    menuKey->setShortcut(Qt::Key_F10);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] { menuBar()->setActiveAction(ui->fileMenu->menuAction()); });
    connect(ui->newAction, &QAction::triggered, this, &ClientsWindow::newList);
    connect(ui->saveAction, &QAction::triggered, this, &ClientsWindow::save);
    connect(ui->loadAction, &QAction::triggered, this, &ClientsWindow::load);
    connect(ui->importTextAction, &QAction::triggered, this, &ClientsWindow::importText);
    connect(ui->previewAction, &QAction::triggered, this, &ClientsWindow::printPreview);
    connect(ui->exitAction, &QAction::triggered, this, [this] { close(); });
    connect(ui->payrollAction, &QAction::triggered, this, &ClientsWindow::showPayroll);
    connect(ui->aboutAction, &QAction::triggered, this, &ClientsWindow::showAbout);

    m_warnings = MakeClientWarningsReview(this, m_dialogs, m_clock, m_model, ui->mainGrid, m_fields, ui->serviceMenu);

    updateRecordCount();

    auto *pasteRows = new QAction(u"Вставить из &буфера"_s, this);
    pasteRows->setObjectName(u"pasteRowsAction"_s);
    pasteRows->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    ui->fileMenu->insertAction(ui->printAction, pasteRows);
    connect(pasteRows, &QAction::triggered, this, &ClientsWindow::importClipboard);

    setUpHistory();
    setUpRecovery();
    setUpRecentFiles();
    // The client area is 999 x 680 below the menu bar.
    setFixedSize(999, 680 + menuBar()->sizeHint().height());
}

ClientsWindow::~ClientsWindow()
{
    DetachChildren(this);
    ui->mainGrid->setCellFilter({});
    // The recovery copy follows no widget going away.
    delete m_recovery;
}

void ClientsWindow::markEditButton(bool marked)
{
    QPalette palette = ui->editButton->palette();
    palette.setColor(QPalette::ButtonText, marked ? QColor(0x80, 0, 0) : QColor(Qt::black));
    ui->editButton->setPalette(palette);
    ui->editButton->setText(WithoutMark(ui->editButton->text()) + (marked ? kChangeMark : QString()));
}

int ClientsWindow::currentRow() const
{
    return std::max(ui->mainGrid->currentRow(), 0);
}

void ClientsWindow::updateRecordCount()
{
    ui->rowsCountLabel->setText(ClientTableModel::RecordCountText(m_model->recordCount()));
}

void ClientsWindow::clearTable()
{
    m_model->clear();
    m_modified = true;
}

void ClientsWindow::loadRecordIntoFields(int row)
{
    if (row >= 0 && row < m_model->recordCount()) {
        m_fields->showRecord(m_model->record(row));
        m_fieldsFromCurrentRow = true;
    }
}

// Every change of the current row, by a click or by a command, comes here
// first: the row goes into the edit area and the panel pages.
bool ClientsWindow::allowCell(int row, int col)
{
    loadRecordIntoFields(row);
    if (col >= ClientColumn::kVisibleCount)
        return false;
    const GridPaging::Scroll scroll = kPaging.scrollForSelection(row + 1, m_pageAnchor);
    m_pageAnchor = scroll.pageTopRow;
    if (scroll.position)
        ui->gridScrollArea->verticalScrollBar()->setValue(std::max(0, *scroll.position));
    return true;
}

void ClientsWindow::addRecord()
{
    const ClientRecords before = m_model->records();
    const int row = m_model->append(RecordFromFields(m_fields->fields(), NameParts::Trimmed));
    recordStep(u"добавление клиента"_s, before);
    ui->mainGrid->selectCell(row, ClientColumn::Number);
    m_modified = true;
    m_fields->clearChangeMarks();
}

void ClientsWindow::editCurrentRecord()
{
    const ClientFields f = m_fields->fields();
    const int row = currentRow();
    const int found = m_model->findPassport(f.passportSeries, f.passportNumber);
    if (found != -1 && found != row + 1)
        throw UserError(ClientTableModel::DuplicatePassportMessage(f.passportSeries, f.passportNumber, found));
    const ClientRecords before = m_model->records();
    m_model->overwrite(row, RecordFromFields(f, NameParts::AsTyped));
    recordStep(u"изменение клиента"_s, before);
    m_fields->clearChangeMarks();
    m_modified = true;
}

bool ClientsWindow::validateClient()
{
    const ClientCheckResult failure = m_fields->check(m_clock.now().date().year());
    if (failure)
        m_dialogs.information(this, failure->message);
    return !failure;
}

void ClientsWindow::addClient()
{
    Guarded(this, m_dialogs, [this] {
        if (m_model->recordCount() >= kMaxClientRecords) {
            m_dialogs.information(this, ClientLimitMessage());
            return;
        }
        if (!validateClient())
            return;
        const ClientFields f = m_fields->fields();
        const int found = m_model->findPassport(f.passportSeries, f.passportNumber);
        if (found != -1) {
            m_dialogs.information(this,
                                  ClientTableModel::DuplicatePassportMessage(f.passportSeries, f.passportNumber, found));
            return;
        }
        addRecord();
        ui->mainGrid->setFocus(Qt::OtherFocusReason);
        m_model->renumber();
        updateRecordCount();
        m_modified = true;
        m_fields->clearFields();
        m_fieldsFromCurrentRow = false;
    });
}

void ClientsWindow::editClient()
{
    Guarded(this, m_dialogs, [this] {
        if (!validateClient())
            return;
        if (m_model->isEmpty()) {
            // Nothing to overwrite: the edit area becomes the first client and stays.
            addRecord();
            m_model->renumber();
            updateRecordCount();
            return;
        }
        if (!m_fieldsFromCurrentRow && !confirmOverwrite())
            return;
        editCurrentRecord();
        m_fieldsFromCurrentRow = true;
    });
}

void ClientsWindow::deleteClient()
{
    Guarded(this, m_dialogs, [this] {
        const int row = currentRow();
        const bool hasName = !m_model->isEmpty() && !m_model->cell(row, ClientColumn::FullName).isEmpty();
        if (hasName
            && m_dialogs.destructiveQuestion(this, u"Удаление записи"_s, kDeleteQuestion, Dialogs::Buttons::YesNo)
                    == Dialogs::Answer::Yes) {
            const ClientRecords before = m_model->records();
            m_model->remove(row);
            recordStep(u"удаление клиента"_s, before);
            if (!m_model->isEmpty())
                ui->mainGrid->selectCell(0, ClientColumn::Number);
        }
        m_modified = true;
        updateRecordCount();
        m_model->renumber();
    });
}

void ClientsWindow::clearTableAsked()
{
    Guarded(this, m_dialogs, [this] {
        if (m_dialogs.destructiveQuestion(this, u"Удаление"_s, kClearQuestion, Dialogs::Buttons::YesNoCancel)
            == Dialogs::Answer::Yes) {
            const ClientRecords before = m_model->records();
            clearTable();
            recordStep(u"очистку таблицы"_s, before);
        }
        updateRecordCount();
        m_model->renumber();
    });
}

void ClientsWindow::newList()
{
    Guarded(this, m_dialogs, [this] {
        if (!askSaveChanges(u"Новый"_s))
            return;
        clearTable();
        m_fields->clearFields();
        m_currentFile.clear();
        m_fileNamed = false;
        setWindowTitle(kCaption);
        m_fields->clearChangeMarks();
        m_modified = false;
        startNewHistory();
        m_recovery->discard();
        updateRecordCount();
    });
}

void ClientsWindow::save()
{
    Guarded(this, m_dialogs, [this] { saveClientList(); });
}

void ClientsWindow::load()
{
    loadFrom(QString());
}

void ClientsWindow::loadFrom(const QString &chosen)
{
    Guarded(this, m_dialogs, [&] {
        if (!askSaveChanges(u"Загрузка файла"_s))
            return;
        const QString path = chosen.isEmpty() ? m_dialogs.openFileNameIn(this, u"CLSV|CLSV*"_s, ClientFolder()) : chosen;
        // The count and numbers are refreshed also when the load fails.
        auto refresh = qScopeGuard([this] {
            updateRecordCount();
            m_model->renumber();
        });
        if (!path.isEmpty()) {
            loadClientList(path);
            if (!m_model->isEmpty())
                ui->mainGrid->selectCell(0, ClientColumn::Number);
        }
    });
}

void ClientsWindow::importText()
{
    Guarded(this, m_dialogs, [this] {
        if (!askSaveChanges(u"Загрузка txt файла"_s))
            return;
        const QString path = m_dialogs.openFileName(this, SheetRowsFilter());
        if (!path.isEmpty())
            importClientText(path);
    });
}

void ClientsWindow::print()
{
    Guarded(this, m_dialogs, [this] { PrintClientList(this, m_dialogs, m_model->records()); });
}

void ClientsWindow::printPreview()
{
    Guarded(this, m_dialogs, [this] { PreviewClientList(this, m_dialogs, m_model->records()); });
}

void ClientsWindow::showPayroll()
{
    Guarded(this, m_dialogs, [this] {
        if (askSaveChanges(u"Выход"_s))
            emit payrollRequested();
    });
}

void ClientsWindow::showAbout() { Guarded(this, m_dialogs, [this] { emit aboutRequested(); }); }

bool ClientsWindow::askSaveChanges(const QString &caption)
{
    // A save that did not happen ends the command, as a failed one does.
    return ConfirmSaveChanges(m_dialogs, this, m_modified, [this] { return saveClientList(); }, caption, kSaveQuestion);
}

void ClientsWindow::closeEvent(QCloseEvent *event)
{
    bool canClose = !m_modified;
    if (!canClose)
        Guarded(this, m_dialogs, [&] { canClose = askSaveChanges(u"Выход"_s); });
    event->setAccepted(canClose);
    // Saved, or its changes dropped on purpose: no copy to offer next time.
    if (canClose)
        m_recovery->discard();
}

void ClientsWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Once the window is up: a copy left by a run that did not end is offered back.
    QTimer::singleShot(0, this, [this] { Guarded(this, m_dialogs, [this] { m_recovery->offer(m_dialogs, this); }); });
}

bool ClientsWindow::saveClientList()
{
    const ClientListSaveResult result =
            SaveClientList(m_model->records(), {m_fileNamed, m_currentFile}, m_clock, [this] {
                const Dialogs::Answer answer = m_dialogs.question(this, ClientOverwriteCaption(),
                                                                  ClientOverwriteQuestion(), Dialogs::Buttons::YesNoCancel);
                return answer == Dialogs::Answer::Yes  ? OverwriteAnswer::Yes
                     : answer == Dialogs::Answer::No ? OverwriteAnswer::No
                                                     : OverwriteAnswer::Cancel;
            },
            ClientSaveTarget::AsAsked, [this] { return m_warnings->confirmSave(); });
    switch (result.outcome.kind) {
    case ClientListSaveOutcome::Kind::Cancelled:
        return false;
    case ClientListSaveOutcome::Kind::StoppedByCheck:
        if (result.outcome.field == ClientField::Table)
            ui->mainGrid->setFocus();
        else if (QWidget *widget = m_fields->fieldWidget(result.outcome.field))
            widget->setFocus();
        [[fallthrough]];
    case ClientListSaveOutcome::Kind::WriteFailed:
        // Flags, file and caption keep their values.
        throw UserError(result.outcome.message);
    case ClientListSaveOutcome::Kind::Saved:
        break;
    }
    m_dialogs.information(this, result.outcome.message);
    m_fileNamed = true;
    m_modified = false;
    m_currentFile = result.currentFile;
    setWindowTitle(m_currentFile);
    markSaved();
    m_recentFiles->add(m_currentFile);
    return true;
}

// The file is read whole before the table is touched: a refused file leaves it as it was.
void ClientsWindow::loadClientList(const QString &path)
{
    ClientListContents contents = LoadClientList(path);
    m_model->replaceAll(std::move(contents.records));
    if (contents.limitReached)
        m_dialogs.information(this, ClientLimitMessage());
    m_fileNamed = true;
    m_currentFile = path;
    m_modified = contents.limitReached;
    setWindowTitle(path);
    startNewHistory();
    m_recentFiles->add(path);
}

void ClientsWindow::importClientText(const QString &path)
{
    LoadProgress progress(m_dialogs, this);
    // A file that cannot be read throws; the dialog goes as the error leaves.
    QByteArray bytes = ReadClientTextBytes(path);
    progress.step();
    importClientRows(std::move(bytes), path, progress);
}

// The table changes only when every line passed: a failed import leaves it,
// hidden cells included, as it was, and the edit area holds the bad line.
void ClientsWindow::importClientRows(QByteArray bytes, const QString &path, LoadProgress &progress)
{
    std::optional<QByteArray> text = ChooseSheetRows(
            m_dialogs, this, bytes, {ClientTableLayout(), ClientFieldNames(), u"clients"_s}, [&] { progress.finish(); });
    bytes = QByteArray();
    if (!text)
        return;
    ClientImportResult result = ImportClientText(*text, path, m_fields->fields(), m_clock.now().date().year());
    text.reset();
    progress.step();

    m_modified = true;
    if (!result.ok()) {
        progress.finish();
        // Set as a program sets texts: the changed fields show their marks.
        m_fields->setFields(result.fields);
        m_fieldsFromCurrentRow = false;
        if (result.failure->field)
            m_fields->focusField(*result.failure->field);
        m_dialogs.information(this, result.failure->message);
        return;
    }

    const ClientRecords before = m_model->records();
    m_model->replaceAll(std::move(result.records));
    m_model->renumber();
    recordStep(u"импорт"_s, before);
    updateRecordCount();
    // The last client becomes the current row, as adding it would make it;
    // a file without a client line leaves the edit area alone.
    if (!m_model->isEmpty()) {
        ui->mainGrid->selectCell(m_model->recordCount() - 1, ClientColumn::Number);
        m_fields->showFields(result.fields);
    }
    progress.finish();
}

// The edit area came from elsewhere: the row it would replace is named first.
bool ClientsWindow::confirmOverwrite()
{
    const int row = currentRow();
    const QString text = u"Поля ввода не загружены из текущей записи. Заменить ими запись %1 (%2)?"_s
                                 .arg(row + 1)
                                 .arg(m_model->cell(row, ClientColumn::FullName).trimmed());
    return m_dialogs.destructiveQuestion(this, u"Изменение записи"_s, text, Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes;
}

// Rows copied from a spreadsheet, taken as the text import takes a file's.
void ClientsWindow::importClipboard()
{
    Guarded(this, m_dialogs, [this] {
        if (!askSaveChanges(u"Вставка из буфера"_s))
            return;
        const QList<QStringList> rows = ClipboardRows(QGuiApplication::clipboard()->mimeData());
        if (rows.isEmpty()) {
            m_dialogs.information(this, u"В буфере обмена нет строк таблицы"_s);
            return;
        }
        LoadProgress progress(m_dialogs, this);
        importClientRows(ClipboardRowsText(rows), u"буфер обмена"_s, progress);
    });
}

void ClientsWindow::setUpHistory()
{
    m_history = new QUndoStack(this);
    m_editMenu = new EditMenu(this, m_history);
    connect(m_history, &QUndoStack::indexChanged, this, [this] { m_modified = !m_history->isClean(); });
    connect(m_history, &QUndoStack::cleanChanged, this, [this](bool clean) { m_modified = !clean; });
}

void ClientsWindow::recordStep(const QString &text, const ClientRecords &before)
{
    m_history->push(new ClientRecordsCommand([this](const ClientRecords &records) { showRecords(records); }, text,
                                             before, m_model->records()));
}

void ClientsWindow::showRecords(const ClientRecords &records)
{
    m_model->replaceAll(records);
    m_model->renumber();
    updateRecordCount();
}

void ClientsWindow::startNewHistory()
{
    const bool modified = m_modified;
    m_history->clear();
    if (modified)
        m_history->resetClean();
    m_modified = modified;
}

void ClientsWindow::markSaved()
{
    m_history->setClean();
    m_modified = false;
    m_recovery->discard();
}

void ClientsWindow::setUpRecovery()
{
    DocumentRecovery::Document document;
    document.worthKeeping = [this] { return m_modified && !m_model->isEmpty(); };
    document.write = [this](const RecoveryStore &store, QString *reason) {
        return WriteRecovery<ClientRecovery>(
                store, {m_model->records(), m_fileNamed ? m_currentFile : QString(), m_clock.now()}, reason);
    };
    document.read = [this](const RecoveryStore &store, QString *note) -> std::optional<DocumentRecovery::Offer> {
        RecoveryRead<ClientRecovery> read = ReadRecovery<ClientRecovery>(store);
        *note = read.note;
        if (!read.copy)
            return std::nullopt;
        const ClientRecovery copy = *read.copy;
        return DocumentRecovery::Offer{ClientRecoveryQuestion(copy), [this, copy] {
            showRecords(copy.records);
            m_currentFile = copy.currentFile;
            m_fileNamed = !copy.currentFile.isEmpty();
            setWindowTitle(m_fileNamed ? m_currentFile : kCaption);
            m_modified = true;
            startNewHistory();
            if (!m_model->isEmpty())
                ui->mainGrid->selectCell(0, ClientColumn::Number);
        }};
    };
    m_recovery =
            new DocumentRecovery(RecoveryStoreFor<ClientRecovery>(QDir::currentPath()), std::move(document), this);
    m_recovery->setObjectName(u"clientsRecovery"_s);
    connect(m_recovery, &DocumentRecovery::noted, this, &ClientsWindow::showCaptionNote);

    m_recovery->follow(m_model, m_history);
}

// The caption carries the copy's trouble until a write works again.
void ClientsWindow::showCaptionNote(const QString &note)
{
    QString caption = windowTitle();
    if (!m_captionNote.isEmpty() && caption.endsWith(m_captionNote))
        caption.chop(m_captionNote.size());
    m_captionNote = note.isEmpty() ? QString() : u" — "_s + note;
    setWindowTitle(caption + m_captionNote);
}

void ClientsWindow::setUpRecentFiles()
{
    m_recentFiles = new RecentFilesMenu(ClientRecovery::kind(), ui->fileMenu, ui->exitAction);
    ui->fileMenu->insertSeparator(ui->exitAction);
    connect(m_recentFiles, &RecentFilesMenu::chosen, this, &ClientsWindow::loadFrom);
}
