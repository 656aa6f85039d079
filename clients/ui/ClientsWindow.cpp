#include "clients/ui/ClientsWindow.h"

#include "ui_ClientsWindow.h"

#include "clients/ClientKeyFilter.h"
#include "clients/ClientListFile.h"
#include "clients/ClientListLoad.h"
#include "clients/ClientListSave.h"
#include "clients/ClientTableModel.h"
#include "clients/ClientTextImport.h"
#include "clients/ui/ClientListPrinting.h"
#include "clients/ui/Cp1251Validator.h"
#include "common/Clock.h"
#include "common/GridPaging.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/ui/Dialogs.h"
#include "common/ui/ErrorGuard.h"
#include "common/ui/LoadProgress.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"Регистрация клиентов"_s;
const QString kChangeMark = u" *"_s;
const QString kSaveQuestion = u"Сохранить данные?"_s;
const QString kDeleteQuestion = u"Вы действительно хотите удалить данную запись?"_s;
const QString kClearQuestion = u"Вы действительно хотите очистить всю таблицу?"_s;

constexpr int kNameLength = 30;
constexpr int kPlaceLength = 100;
// Series and number of the two national passports, and of every other type.
constexpr int kPassportSerialLength = 2;
constexpr int kPassportNumberLength = 7;
constexpr int kOtherSerialLength = 10;
constexpr int kOtherNumberLength = 20;

// Pages of 20 rows of 25 pixels; a row between page starts keeps the page.
constexpr GridPaging kPaging{20, 25, GridPaging::Rounding::Down};

QString WithoutMark(const QString &caption)
{
    return ReplaceAll(caption, kChangeMark, QString());
}

void SetTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

} // namespace

ClientsWindow::ClientsWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::ClientsWindow>())
    , m_dialogs(dialogs)
    , m_clock(clock)
    , m_model(new ClientTableModel(this))
    , m_serialLimit(kOtherSerialLength)
    , m_numberLimit(kOtherNumberLength)
{
    ui->setupUi(this);
    // A fixed frame with the system menu and a minimise button only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(kCaption);

    // The same masks format imported values: one definition for both.
    ui->inn->setEditMask(kInnEditMask.toString());
    ui->birthday->setEditMask(kDateEditMask.toString());
    ui->phone->setEditMask(kPhoneEditMask.toString());
    ui->passportDate->setEditMask(kDateEditMask.toString());
    ui->passportEnd->setEditMask(kExpiryEditMask.toString());
    ui->mobileNumber->setEditMask(kMobileEditMask.toString());

    ui->docType->addItems(DocTypeNames());
    ui->docType->setCurrentIndex(-1);

    auto *validator = new Cp1251Validator(this);
    for (QLineEdit *edit : {ui->surname, ui->name, ui->patronymic, ui->passportSerial, ui->passportNumber,
                            ui->passportPlace, ui->address, ui->placeOfBirth, ui->taxOffice, ui->passportIssuedBy})
        edit->setValidator(validator);
    for (QLineEdit *edit : {ui->surname, ui->name, ui->patronymic, ui->passportSerial, ui->passportNumber})
        edit->installEventFilter(this);
    applyLengthLimits();

    // The 13 marked fields; series and number share their label.
    const std::pair<QLineEdit *, QLabel *> marked[] = {
        {ui->surname, ui->surnameLabel},           {ui->name, ui->nameLabel},
        {ui->patronymic, ui->patronymicLabel},     {ui->inn, ui->innLabel},
        {ui->birthday, ui->birthdayLabel},         {ui->phone, ui->phoneLabel},
        {ui->passportSerial, ui->documentLabel},   {ui->passportNumber, ui->documentLabel},
        {ui->passportDate, ui->passportDateLabel}, {ui->passportPlace, ui->passportPlaceLabel},
        {ui->passportEnd, ui->passportEndLabel},   {ui->address, ui->addressLabel},
    };
    for (const auto &[edit, label] : marked) {
        const auto mark = [this, label = label] { markFieldChanged(label); };
        // A key a mask refuses changes no stored text, and marks nothing.
        if (auto *masked = qobject_cast<MaskedEdit *>(edit))
            connect(masked, &MaskedEdit::storedTextChanged, this, mark);
        else
            connect(edit, &QLineEdit::textChanged, this, mark);
        if (!m_markedLabels.contains(label))
            m_markedLabels.append(label);
    }
    m_markedLabels.append(ui->sexLabel);
    connect(ui->sex, &QComboBox::activated, this, [this] { markFieldChanged(ui->sexLabel); });

    ui->mainGrid->setClientModel(m_model);
    ui->mainGrid->setHandler(this);

    connect(ui->docType, &QComboBox::activated, this, &ClientsWindow::docTypeChange);
    connect(ui->addButton, &QPushButton::clicked, this, &ClientsWindow::addClient);
    connect(ui->editButton, &QPushButton::clicked, this, &ClientsWindow::editClient);
    connect(ui->deleteButton, &QPushButton::clicked, this, &ClientsWindow::deleteClient);
    connect(ui->clearButton, &QPushButton::clicked, this, &ClientsWindow::clearTableAsked);
    connect(ui->printButton, &QPushButton::clicked, this, &ClientsWindow::print);
    connect(ui->newAction, &QAction::triggered, this, &ClientsWindow::newList);
    connect(ui->saveAction, &QAction::triggered, this, &ClientsWindow::save);
    connect(ui->loadAction, &QAction::triggered, this, &ClientsWindow::load);
    connect(ui->importTextAction, &QAction::triggered, this, &ClientsWindow::importText);
    connect(ui->previewAction, &QAction::triggered, this, &ClientsWindow::printPreview);
    connect(ui->exitAction, &QAction::triggered, this, [this] { close(); });
    connect(ui->payrollAction, &QAction::triggered, this, &ClientsWindow::showPayroll);
    connect(ui->aboutAction, &QAction::triggered, this, &ClientsWindow::showAbout);

    updateRecordCount();
    // The client area is 999 x 680 below the menu bar.
    setFixedSize(999, 680 + menuBar()->sizeHint().height());
}

ClientsWindow::~ClientsWindow()
{
    ui->mainGrid->setHandler(nullptr);
}

// ---- The edit area ---------------------------------------------------------

ClientFields ClientsWindow::fields() const
{
    ClientFields f;
    f.surname = ui->surname->text();
    f.name = ui->name->text();
    f.patronymic = ui->patronymic->text();
    f.sexIndex = ui->sex->currentIndex();
    f.inn = ui->inn->storedText();
    f.birthday = ui->birthday->storedText();
    f.phone = ui->phone->storedText();
    f.docType = ui->docType->currentIndex();
    f.passportSeries = ui->passportSerial->text();
    f.passportNumber = ui->passportNumber->text();
    f.passportDate = ui->passportDate->storedText();
    f.passportPlace = ui->passportPlace->text();
    f.passportEnd = ui->passportEnd->storedText();
    f.address = ui->address->text();
    f.placeOfBirth = ui->placeOfBirth->text();
    f.taxOffice = ui->taxOffice->text();
    f.mobileNumber = ui->mobileNumber->storedText();
    f.passportIssuedBy = ui->passportIssuedBy->text();
    return f;
}

// Sets the fields as loading a record does: the document type is set, not
// chosen, so series and number and their limits stay.
void ClientsWindow::setFields(const ClientFields &f)
{
    setEditText(ui->name, f.name);
    setEditText(ui->surname, f.surname);
    setEditText(ui->patronymic, f.patronymic);
    ui->sex->setCurrentIndex(f.sexIndex);
    ui->inn->setStoredText(f.inn);
    ui->birthday->setStoredText(f.birthday);
    ui->phone->setStoredText(f.phone);
    setEditText(ui->passportSerial, f.passportSeries);
    setEditText(ui->passportNumber, f.passportNumber);
    ui->passportDate->setStoredText(f.passportDate);
    setEditText(ui->passportPlace, f.passportPlace);
    ui->passportEnd->setStoredText(f.passportEnd);
    setEditText(ui->address, f.address);
    ui->docType->setCurrentIndex(f.docType >= 0 && f.docType < kDocTypeCount ? f.docType : -1);
    setEditText(ui->placeOfBirth, f.placeOfBirth);
    setEditText(ui->taxOffice, f.taxOffice);
    ui->mobileNumber->setStoredText(f.mobileNumber);
    setEditText(ui->passportIssuedBy, f.passportIssuedBy);
}

// A line edit cuts a text longer than its limit: a loaded text longer than
// the limit of the document type last chosen widens the limit instead.
void ClientsWindow::setEditText(QLineEdit *edit, const QString &text)
{
    if (text.size() > edit->maxLength())
        edit->setMaxLength(int(text.size()));
    edit->setText(text);
}

void ClientsWindow::applyLengthLimits()
{
    for (QLineEdit *edit : {ui->surname, ui->name, ui->patronymic})
        edit->setMaxLength(kNameLength);
    for (QLineEdit *edit : {ui->passportPlace, ui->address, ui->placeOfBirth})
        edit->setMaxLength(kPlaceLength);
    ui->passportSerial->setMaxLength(m_serialLimit);
    ui->passportNumber->setMaxLength(m_numberLimit);
}

void ClientsWindow::clearFields()
{
    for (QLineEdit *edit : {ui->name, ui->surname, ui->patronymic, ui->passportSerial, ui->passportNumber,
                            ui->passportPlace, ui->address, ui->placeOfBirth, ui->taxOffice, ui->passportIssuedBy})
        edit->setText(QString());
    // Set, not cleared, so that an emptied masked field counts as unchanged.
    for (MaskedEdit *edit : {ui->inn, ui->birthday, ui->phone, ui->passportDate, ui->passportEnd, ui->mobileNumber})
        edit->setStoredText(QString());
    ui->sex->setCurrentIndex(0);
    applyLengthLimits();
}

void ClientsWindow::docTypeChange()
{
    ui->passportSerial->setText(QString());
    ui->passportNumber->setText(QString());
    const bool passport = IsPassportType(ui->docType->currentIndex());
    m_serialLimit = passport ? kPassportSerialLength : kOtherSerialLength;
    m_numberLimit = passport ? kPassportNumberLength : kOtherNumberLength;
    ui->passportSerial->setMaxLength(m_serialLimit);
    ui->passportNumber->setMaxLength(m_numberLimit);
}

bool ClientsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    // Control characters (Backspace, Enter) and shortcuts such as paste pass.
    const bool shortcut = (key->modifiers() & Qt::ControlModifier) && !(key->modifiers() & Qt::AltModifier);
    if (shortcut || text.isEmpty() || text.front().unicode() < 0x20 || text.front().unicode() == 0x7F)
        return false;
    KeyField field;
    if (watched == ui->surname)
        field = KeyField::Surname;
    else if (watched == ui->name)
        field = KeyField::Name;
    else if (watched == ui->patronymic)
        field = KeyField::Patronymic;
    else if (watched == ui->passportSerial)
        field = KeyField::PassportSerial;
    else if (watched == ui->passportNumber)
        field = KeyField::PassportNumber;
    else
        return false;
    const int docType = ui->docType->currentIndex();
    for (QChar c : text)
        if (!AcceptsKey(field, docType, c))
            return true;
    return false;
}

// ---- Change marks ----------------------------------------------------------

void ClientsWindow::markFieldChanged(QLabel *label)
{
    SetTextColour(ui->editButton, QColor(0x80, 0, 0));
    ui->editButton->setText(WithoutMark(ui->editButton->text()) + kChangeMark);
    label->setText(WithoutMark(label->text()) + kChangeMark);
}

void ClientsWindow::clearChangeMarks()
{
    for (QLabel *label : std::as_const(m_markedLabels))
        label->setText(WithoutMark(label->text()));
    ui->editButton->setText(WithoutMark(ui->editButton->text()));
    SetTextColour(ui->editButton, Qt::black);
}

// ---- The table -------------------------------------------------------------

int ClientsWindow::currentRow() const
{
    return std::max(ui->mainGrid->Row(), 0);
}

void ClientsWindow::updateRecordCount()
{
    ui->rowsCountLabel->setText(ClientTableModel::RecordCountText(m_model->recordCount()));
}

void ClientsWindow::clearTable()
{
    m_model->clear();
    m_saved = false;
}

void ClientsWindow::loadRecordIntoFields(int row)
{
    if (row < 0 || row >= m_model->recordCount())
        return;
    setFields(FieldsFromRecord(m_model->record(row)));
    clearChangeMarks();
}

// Every change of the current row, by a click or by a command, comes here
// first: the row goes into the edit area and the panel pages.
bool ClientsWindow::allowCell(int col, int row)
{
    loadRecordIntoFields(row);
    if (col >= ClientColumn::kVisibleCount)
        return false;
    const GridPaging::Scroll scroll = kPaging.scrollForSelection(row + 1, m_pageAnchor);
    m_pageAnchor = scroll.pageTopRow;
    if (scroll.position)
        setScrollPosition(*scroll.position);
    return true;
}

int ClientsWindow::scrollPosition() const
{
    return ui->gridScrollArea->verticalScrollBar()->value();
}

void ClientsWindow::setScrollPosition(int position)
{
    ui->gridScrollArea->verticalScrollBar()->setValue(std::max(0, position));
}

void ClientsWindow::addRecord()
{
    const int row = m_model->append(RecordFromFields(fields(), NameParts::Trimmed));
    ui->mainGrid->SelectCell(ClientColumn::Number, row);
    m_saved = false;
    clearChangeMarks();
}

void ClientsWindow::editCurrentRecord()
{
    const ClientFields f = fields();
    const int row = currentRow();
    const int found = m_model->findPassport(f.passportSeries, f.passportNumber);
    if (found != -1 && found != row + 1)
        throw UserError(ClientTableModel::DuplicatePassportMessage(f.passportSeries, f.passportNumber, found));
    m_model->overwrite(row, RecordFromFields(f, NameParts::AsTyped));
    clearChangeMarks();
    m_saved = false;
}

QWidget *ClientsWindow::fieldWidget(ClientField field) const
{
    switch (field) {
    case ClientField::Surname: return ui->surname;
    case ClientField::Name: return ui->name;
    case ClientField::Patronymic: return ui->patronymic;
    case ClientField::Inn: return ui->inn;
    case ClientField::Birthday: return ui->birthday;
    case ClientField::Phone: return ui->phone;
    case ClientField::PassportSeries: return ui->passportSerial;
    case ClientField::PassportNumber: return ui->passportNumber;
    case ClientField::PassportDate: return ui->passportDate;
    case ClientField::PassportPlace: return ui->passportPlace;
    case ClientField::Address: return ui->address;
    case ClientField::PassportEnd: return ui->passportEnd;
    case ClientField::PlaceOfBirth: return ui->placeOfBirth;
    case ClientField::TaxOffice: return ui->taxOffice;
    case ClientField::MobileNumber: return ui->mobileNumber;
    case ClientField::PassportIssuedBy: return ui->passportIssuedBy;
    case ClientField::Table: return ui->mainGrid;
    case ClientField::None: return nullptr;
    }
    return nullptr;
}

bool ClientsWindow::validateClient()
{
    const ClientCheckResult failure = ValidateClientFields(fields(), m_clock.now().date().year());
    if (!failure)
        return true;
    if (QWidget *widget = fieldWidget(failure->field))
        widget->setFocus(Qt::OtherFocusReason);
    m_dialogs.information(this, failure->message);
    return false;
}

// ---- Commands --------------------------------------------------------------

void ClientsWindow::addClient()
{
    Guarded(this, m_dialogs, [this] {
        if (m_model->recordCount() >= kMaxClientRecords) {
            m_dialogs.information(this, ClientLimitMessage());
            return;
        }
        if (!validateClient())
            return;
        const ClientFields f = fields();
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
        m_saved = false;
        clearFields();
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
        editCurrentRecord();
    });
}

void ClientsWindow::deleteClient()
{
    Guarded(this, m_dialogs, [this] {
        const int row = currentRow();
        const bool hasName = !m_model->isEmpty() && !m_model->cell(row, ClientColumn::FullName).isEmpty();
        if (hasName
            && m_dialogs.question(this, u"Удаление записи"_s, kDeleteQuestion, Dialogs::Buttons::YesNo)
                    == Dialogs::Answer::Yes) {
            m_model->remove(row);
            if (!m_model->isEmpty())
                ui->mainGrid->SelectCell(ClientColumn::Number, 0);
        }
        m_saved = false;
        updateRecordCount();
        m_model->renumber();
    });
}

void ClientsWindow::clearTableAsked()
{
    Guarded(this, m_dialogs, [this] {
        if (m_dialogs.question(this, u"Удаление"_s, kClearQuestion, Dialogs::Buttons::YesNoCancel)
            == Dialogs::Answer::Yes)
            clearTable();
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
        clearFields();
        m_currentFile.clear();
        m_fileNamed = false;
        setWindowTitle(kCaption);
        clearChangeMarks();
        m_saved = true;
        updateRecordCount();
    });
}

void ClientsWindow::save()
{
    Guarded(this, m_dialogs, [this] { saveClientList(); });
}

void ClientsWindow::load()
{
    Guarded(this, m_dialogs, [this] {
        if (!askSaveChanges(u"Загрузка файла"_s))
            return;
        const QString path = m_dialogs.openFileName(this, u"CLSV|CLSV*.*"_s);
        // The count and numbers are refreshed also when the load fails.
        auto refresh = qScopeGuard([this] {
            updateRecordCount();
            m_model->renumber();
        });
        if (!path.isEmpty()) {
            loadClientList(path);
            if (!m_model->isEmpty())
                ui->mainGrid->SelectCell(ClientColumn::Number, 0);
        }
    });
}

void ClientsWindow::importText()
{
    Guarded(this, m_dialogs, [this] {
        if (!askSaveChanges(u"Загрузка txt файла"_s))
            return;
        const QString path = m_dialogs.openFileName(this, u"txt|*.txt"_s);
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

void ClientsWindow::showAbout()
{
    Guarded(this, m_dialogs, [this] { emit aboutRequested(); });
}

bool ClientsWindow::askSaveChanges(const QString &caption)
{
    if (m_saved)
        return true;
    switch (m_dialogs.question(this, caption, kSaveQuestion, Dialogs::Buttons::YesNoCancel)) {
    case Dialogs::Answer::Yes:
        // A save that did not happen ends the command, as a failed one does.
        return saveClientList();
    case Dialogs::Answer::No:
        return true;
    default:
        return false;
    }
}

void ClientsWindow::closeEvent(QCloseEvent *event)
{
    bool canClose = m_saved;
    if (!canClose)
        Guarded(this, m_dialogs, [&] {
            switch (m_dialogs.question(this, u"Выход"_s, kSaveQuestion, Dialogs::Buttons::YesNoCancel)) {
            case Dialogs::Answer::Yes: canClose = saveClientList(); break;
            case Dialogs::Answer::No: canClose = true; break;
            default: break;
            }
        });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

// ---- Client list files -----------------------------------------------------

bool ClientsWindow::saveClientList()
{
    const ClientListSaveResult result =
            SaveClientList(m_model->records(), {m_fileNamed, m_currentFile}, m_clock, [this] {
                switch (m_dialogs.question(this, ClientOverwriteCaption(), ClientOverwriteQuestion(),
                                           Dialogs::Buttons::YesNoCancel)) {
                case Dialogs::Answer::Yes: return OverwriteAnswer::Yes;
                case Dialogs::Answer::No: return OverwriteAnswer::No;
                default: return OverwriteAnswer::Cancel;
                }
            });
    switch (result.outcome.kind) {
    case ClientListSaveOutcome::Kind::Cancelled:
        return false;
    case ClientListSaveOutcome::Kind::StoppedByCheck:
        if (QWidget *widget = fieldWidget(result.outcome.field))
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
    m_saved = true;
    m_currentFile = result.currentFile;
    setWindowTitle(m_currentFile);
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
    m_saved = !contents.limitReached;
    setWindowTitle(path);
}

// The table changes only when every line passed: a failed import leaves it,
// hidden cells included, as it was, and the edit area holds the bad line.
void ClientsWindow::importClientText(const QString &path)
{
    LoadProgress progress(m_dialogs, this);
    // A file that cannot be read throws; the dialog goes as the error leaves.
    QByteArray bytes = ReadClientTextBytes(path);
    progress.step();
    ClientImportResult result = ImportClientText(bytes, path, fields(), m_clock.now().date().year());
    bytes = QByteArray();
    progress.step();

    m_saved = false;
    if (!result.ok()) {
        progress.finish();
        // Set as a program sets texts: the changed fields show their marks.
        setFields(result.fields);
        if (result.failure->field)
            if (QWidget *widget = fieldWidget(*result.failure->field))
                widget->setFocus(Qt::OtherFocusReason);
        m_dialogs.information(this, result.failure->message);
        return;
    }

    m_model->replaceAll(std::move(result.records));
    m_model->renumber();
    updateRecordCount();
    // The last client becomes the current row, as adding it would make it;
    // a file without a client line leaves the edit area alone.
    if (!m_model->isEmpty()) {
        ui->mainGrid->SelectCell(ClientColumn::Number, m_model->recordCount() - 1);
        setFields(result.fields);
        clearChangeMarks();
    }
    progress.finish();
}
