#include "clients/ui/ClientsWindow.h"

#include "ui_ClientsWindow.h"

#include "clients/ClientListFile.h"
#include "clients/ClientTableModel.h"
#include "clients/ClientTexts.h"
#include "clients/ui/ClientEditPanel.h"
#include "clients/ui/ClientListDocument.h"
#include "clients/ui/ClientListPrinting.h"
#include "clients/ui/ClientWarningsReview.h"
#include "common/Clock.h"
#include "common/GridPaging.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/ui/DetachChildren.h"
#include "common/ui/Dialogs.h"
#include "common/ui/DocumentSession.h"
#include "common/ui/ErrorGuard.h"

#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace {

const QString kChangeMark = u" *"_s;
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
    : DocumentMainWindow(dialogs, clock, parent)
    , ui(std::make_unique<Ui::ClientsWindow>())
    , m_model(new ClientTableModel(this))
{
    ui->setupUi(this);
    m_fields = ui->editPanel;
    SetUpDocumentFrame(this, ui->fileMenu, QSize(999, 680));

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
    ui->mainGrid->setCellCheck([this](int row, int column) { return allowCell(row, column); });

    connect(ui->addButton, &QPushButton::clicked, this, &ClientsWindow::addClient);
    connect(ui->editButton, &QPushButton::clicked, this, &ClientsWindow::editClient);
    connect(ui->deleteButton, &QPushButton::clicked, this, &ClientsWindow::deleteClient);
    connect(ui->clearButton, &QPushButton::clicked, this, &ClientsWindow::clearTableAsked);
    connect(ui->printButton, &QPushButton::clicked, this, &ClientsWindow::print);
    connect(ui->printAction, &QAction::triggered, this, &ClientsWindow::print);

    connect(ui->previewAction, &QAction::triggered, this, &ClientsWindow::printPreview);
    connect(ui->exitAction, &QAction::triggered, this, [this] { close(); });
    connect(ui->payrollAction, &QAction::triggered, this, &ClientsWindow::showPayroll);
    connect(ui->aboutAction, &QAction::triggered, this, &ClientsWindow::showAbout);

    WarningsReview *warnings =
            MakeClientWarningsReview(this, m_dialogs, m_clock, m_model, ui->mainGrid, m_fields, ui->serviceMenu);
    m_document = new ClientListDocument({this, &m_dialogs, ui->fileMenu, ui->exitAction, warnings},
                                        {m_fields, ui->mainGrid, ui->rowsCountLabel, ui->printAction}, m_model, m_clock);
    ClientListDocument *document = m_document;
    setDocument(document, ui->mainGrid);
    connect(document, &ClientListDocument::fieldsReplaced, this, [this] { m_fieldsFromCurrentRow = false; });
    connect(ui->newAction, &QAction::triggered, document, &ClientListDocument::newList);
    connect(ui->saveAction, &QAction::triggered, document, &ClientListDocument::save);
    connect(ui->loadAction, &QAction::triggered, document, &ClientListDocument::load);
    connect(ui->importTextAction, &QAction::triggered, document, &ClientListDocument::importText);
    document->updateRecordCount();
}

ClientsWindow::~ClientsWindow()
{
    DetachChildren(this);
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

void ClientsWindow::clearTable()
{
    m_model->clear();
    m_document->session()->markModified();
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
    m_document->recordStep(u"добавление клиента"_s, before);
    ui->mainGrid->selectCell(row, ClientColumn::Number);
    m_document->session()->markModified();
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
    m_document->recordStep(u"изменение клиента"_s, before);
    m_fields->clearChangeMarks();
    m_document->session()->markModified();
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
        m_document->updateRecordCount();
        m_document->session()->markModified();
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
            m_document->updateRecordCount();
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
            m_document->recordStep(u"удаление клиента"_s, before);
            if (!m_model->isEmpty())
                ui->mainGrid->selectCell(0, ClientColumn::Number);
        }
        m_document->session()->markModified();
        m_document->updateRecordCount();
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
            m_document->recordStep(u"очистку таблицы"_s, before);
        }
        m_document->updateRecordCount();
        m_model->renumber();
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
        if (m_document->askSaveChanges(u"Выход"_s))
            emit payrollRequested();
    });
}

void ClientsWindow::showAbout() { Guarded(this, m_dialogs, [this] { emit aboutRequested(); }); }

// The edit area came from elsewhere: the row it would replace is named first.
bool ClientsWindow::confirmOverwrite()
{
    const int row = currentRow();
    const QString text = u"Поля ввода не загружены из текущей записи. Заменить ими запись %1 (%2)?"_s
                                 .arg(row + 1)
                                 .arg(m_model->cell(row, ClientColumn::FullName).trimmed());
    return m_dialogs.destructiveQuestion(this, u"Изменение записи"_s, text, Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes;
}
