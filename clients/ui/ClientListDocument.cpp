#include "clients/ui/ClientListDocument.h"

#include "clients/ClientListFile.h"
#include "clients/ClientListLoad.h"
#include "clients/ClientListSave.h"
#include "clients/ClientRecovery.h"
#include "clients/ClientSheetLayout.h"
#include "clients/ClientTableModel.h"
#include "clients/ClientTextImport.h"
#include "clients/ClientTexts.h"
#include "clients/ui/ClientEditPanel.h"
#include "clients/ui/ClientGrid.h"
#include "clients/ui/ClientsUndo.h"
#include "common/Clock.h"
#include "common/UserError.h"
#include "common/ui/ClipboardRows.h"
#include "common/ui/Dialogs.h"
#include "common/ui/DocumentSession.h"
#include "common/ui/ErrorGuard.h"
#include "common/ui/LoadProgress.h"
#include "common/ui/SheetRowsChoice.h"
#include "common/ui/WarningsReview.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScopeGuard>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"Регистрация клиентов"_s;

} // namespace

ClientListDocument::ClientListDocument(DocumentWindow frame, View view, ClientTableModel *model, const Clock &clock)
    : DocumentCommands(frame, clock)
    , m_view(view)
    , m_model(model)
    , m_history(new QUndoStack(this))
{
    m_frame.window->setWindowTitle(kCaption);
    startSession();
    connect(m_session, &DocumentSession::recentChosen, this, &ClientListDocument::loadFrom);
    connect(m_session, &DocumentSession::noted, this, &ClientListDocument::showCaptionNote);

    auto *pasteRows = new QAction(u"Вставить из &буфера"_s, m_frame.window);
    pasteRows->setObjectName(u"pasteRowsAction"_s);
    pasteRows->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    m_frame.fileMenu->insertAction(m_view.printAction, pasteRows);
    connect(pasteRows, &QAction::triggered, this, &ClientListDocument::importClipboard);
}

ClientListDocument::~ClientListDocument() = default;

void ClientListDocument::updateRecordCount()
{
    m_view.recordCount->setText(ClientTableModel::RecordCountText(m_model->recordCount()));
}

bool ClientListDocument::askSaveChanges(const QString &caption)
{
    // A save that did not happen ends the command, as a failed one does.
    return ConfirmSaveChanges(m_dialogs, m_frame.window, m_session->isModified(), [this] { return saveClientList(); }, caption,
                              u"Сохранить данные?"_s);
}

bool ClientListDocument::confirmClose()
{
    bool canClose = !m_session->isModified();
    if (!canClose)
        Guarded(m_frame.window, m_dialogs, [&] { canClose = askSaveChanges(u"Выход"_s); });
    return canClose;
}

void ClientListDocument::newList()
{
    Guarded(m_frame.window, m_dialogs, [this] {
        if (!askSaveChanges(u"Новый"_s))
            return;
        m_model->clear();
        m_view.fields->clearFields();
        m_currentFile.clear();
        m_fileNamed = false;
        m_frame.window->setWindowTitle(kCaption);
        m_view.fields->clearChangeMarks();
        m_session->setModified(false);
        m_session->startNewHistory();
        m_session->discardCopy();
        updateRecordCount();
    });
}

void ClientListDocument::save()
{
    Guarded(m_frame.window, m_dialogs, [this] { saveClientList(); });
}

void ClientListDocument::load()
{
    loadFrom(QString());
}

void ClientListDocument::loadFrom(const QString &chosen)
{
    Guarded(m_frame.window, m_dialogs, [&] {
        if (!askSaveChanges(u"Загрузка файла"_s))
            return;
        const QString path =
                chosen.isEmpty() ? m_dialogs.openFileNameIn(m_frame.window, u"CLSV|CLSV*"_s, ClientFolder()) : chosen;
        // The count and numbers are refreshed also when the load fails.
        auto refresh = qScopeGuard([this] {
            updateRecordCount();
            m_model->renumber();
        });
        if (!path.isEmpty()) {
            loadClientList(path);
            if (!m_model->isEmpty())
                m_view.grid->selectCell(0, ClientColumn::Number);
        }
    });
}

void ClientListDocument::importText()
{
    Guarded(m_frame.window, m_dialogs, [this] {
        if (!askSaveChanges(u"Загрузка txt файла"_s))
            return;
        const QString path = m_dialogs.openFileName(m_frame.window, SheetRowsFilter());
        if (!path.isEmpty())
            importClientText(path);
    });
}

bool ClientListDocument::saveClientList()
{
    const ClientListSaveResult result = SaveClientList(
            m_model->records(), {m_fileNamed, m_currentFile}, m_clock,
            [this] {
                const Dialogs::Answer answer = m_dialogs.question(m_frame.window, ClientOverwriteCaption(),
                                                                  ClientOverwriteQuestion(), Dialogs::Buttons::YesNoCancel);
                return answer == Dialogs::Answer::Yes  ? OverwriteAnswer::Yes
                     : answer == Dialogs::Answer::No ? OverwriteAnswer::No
                                                     : OverwriteAnswer::Cancel;
            },
            ClientSaveTarget::AsAsked, [this] { return m_frame.warnings->confirmSave(); });
    switch (result.outcome.kind) {
    case ClientListSaveOutcome::Kind::Cancelled:
        return false;
    case ClientListSaveOutcome::Kind::StoppedByCheck:
        if (result.outcome.field == ClientField::Table)
            m_view.grid->setFocus();
        else if (QWidget *widget = m_view.fields->fieldWidget(result.outcome.field))
            widget->setFocus();
        [[fallthrough]];
    case ClientListSaveOutcome::Kind::WriteFailed:
        // Flags, file and caption keep their values.
        throw UserError(result.outcome.message);
    case ClientListSaveOutcome::Kind::Saved:
        break;
    }
    m_dialogs.information(m_frame.window, result.outcome.message);
    m_fileNamed = true;
    m_currentFile = result.currentFile;
    m_frame.window->setWindowTitle(m_currentFile);
    m_session->markSaved();
    m_session->fileUsed(m_currentFile);
    return true;
}

// The file is read whole before the table is touched: a refused file leaves it as it was.
void ClientListDocument::loadClientList(const QString &path)
{
    ClientListContents contents = LoadClientList(path);
    m_model->replaceAll(std::move(contents.records));
    if (contents.limitReached)
        m_dialogs.information(m_frame.window, ClientLimitMessage());
    m_fileNamed = true;
    m_currentFile = path;
    m_session->setModified(contents.limitReached);
    m_frame.window->setWindowTitle(path);
    m_session->startNewHistory();
    m_session->fileUsed(path);
}

void ClientListDocument::importClientText(const QString &path)
{
    LoadProgress progress(m_dialogs, m_frame.window);
    // A file that cannot be read throws; the dialog goes as the error leaves.
    QByteArray bytes = ReadClientTextBytes(path);
    progress.step();
    importClientRows(std::move(bytes), path, progress);
}

// The table changes only when every line passed: a failed import leaves it,
// hidden cells included, as it was, and the edit area holds the bad line.
void ClientListDocument::importClientRows(QByteArray bytes, const QString &path, LoadProgress &progress)
{
    std::optional<QByteArray> text =
            ChooseSheetRows(m_dialogs, m_frame.window, bytes, {ClientTableLayout(), ClientFieldNames(), u"clients"_s},
                            [&] { progress.finish(); });
    bytes = QByteArray();
    if (!text)
        return;
    ClientImportResult result = ImportClientText(*text, path, m_view.fields->fields(), m_clock.now().date().year());
    text.reset();
    progress.step();

    m_session->markModified();
    if (!result.ok()) {
        progress.finish();
        // Set as a program sets texts: the changed fields show their marks.
        m_view.fields->setFields(result.fields);
        emit fieldsReplaced();
        if (result.failure->field)
            m_view.fields->focusField(*result.failure->field);
        m_dialogs.information(m_frame.window, result.failure->message);
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
        m_view.grid->selectCell(m_model->recordCount() - 1, ClientColumn::Number);
        m_view.fields->showFields(result.fields);
    }
    progress.finish();
}

// Rows copied from a spreadsheet, taken as the text import takes a file's.
void ClientListDocument::importClipboard()
{
    Guarded(m_frame.window, m_dialogs, [this] {
        if (!askSaveChanges(u"Вставка из буфера"_s))
            return;
        const QList<QStringList> rows = ClipboardRows(QGuiApplication::clipboard()->mimeData());
        if (rows.isEmpty()) {
            m_dialogs.information(m_frame.window, u"В буфере обмена нет строк таблицы"_s);
            return;
        }
        LoadProgress progress(m_dialogs, m_frame.window);
        importClientRows(ClipboardRowsText(rows), u"буфер обмена"_s, progress);
    });
}

void ClientListDocument::recordStep(const QString &text, const ClientRecords &before)
{
    m_history->push(new ClientRecordsCommand([this](const ClientRecords &records) { showRecords(records); }, text,
                                             before, m_model->records()));
}

void ClientListDocument::showRecords(const ClientRecords &records)
{
    m_model->replaceAll(records);
    m_model->renumber();
    updateRecordCount();
}

// The caption carries the copy's trouble until a write works again.
void ClientListDocument::showCaptionNote(const QString &note)
{
    QString caption = m_frame.window->windowTitle();
    if (!m_captionNote.isEmpty() && caption.endsWith(m_captionNote))
        caption.chop(m_captionNote.size());
    m_captionNote = note.isEmpty() ? QString() : u" — "_s + note;
    m_frame.window->setWindowTitle(caption + m_captionNote);
}

void ClientListDocument::startSession()
{
    DocumentSession::Setup setup;
    setup.history = m_history;
    setup.rows = m_model;
    setup.kind = ClientRecovery::kind();
    setup.copy.worthKeeping = [this] { return m_session->isModified() && !m_model->isEmpty(); };
    setup.copy.write = [this](const RecoveryStore &store, QString *reason) {
        return WriteRecovery<ClientRecovery>(store, {m_model->records(), m_fileNamed ? m_currentFile : QString(), m_clock.now()},
                                   reason);
    };
    setup.copy.read = [this](const RecoveryStore &store, QString *note) {
        return OfferOfCopy(ReadRecovery<ClientRecovery>(store), note, ClientRecoveryQuestion, [this](const ClientRecovery &copy) {
            showRecords(copy.records);
            m_currentFile = copy.currentFile;
            m_fileNamed = !copy.currentFile.isEmpty();
            m_frame.window->setWindowTitle(m_fileNamed ? m_currentFile : kCaption);
            m_session->markModified();
            m_session->startNewHistory();
            if (!m_model->isEmpty())
                m_view.grid->selectCell(0, ClientColumn::Number);
        });
    };
    openSession(RecoveryStoreFor<ClientRecovery>(QDir::currentPath()), std::move(setup));
}
