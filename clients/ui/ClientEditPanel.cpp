#include "clients/ui/ClientEditPanel.h"

#include "ui_ClientEditPanel.h"

#include "clients/ClientKeyFilter.h"
#include "clients/ClientTextImport.h"
#include "common/TextRoutines.h"
#include "common/ui/Cp1251InputFilter.h"
#include "common/ui/DateEdit.h"

using namespace Qt::StringLiterals;

namespace {

const QString kChangeMark = u" *"_s;

constexpr int kNameLength = 30;
constexpr int kPlaceLength = 100;
// Series and number of the two national passports, and of every other type.
constexpr int kPassportSeriesLength = 2;
constexpr int kPassportNumberLength = 7;
constexpr int kOtherSeriesLength = 10;
constexpr int kOtherNumberLength = 20;

QString WithoutMark(const QString &caption)
{
    return ReplaceAll(caption, kChangeMark, QString());
}

// A line edit cuts a text longer than its limit: a loaded text longer than
// the limit of the document type last chosen widens the limit instead.
void SetEditText(QLineEdit *edit, const QString &text)
{
    if (text.size() > edit->maxLength())
        edit->setMaxLength(int(text.size()));
    edit->setText(text);
}

} // namespace

ClientEditPanel::ClientEditPanel(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::ClientEditPanel>())
    , m_seriesLimit(kOtherSeriesLength)
    , m_numberLimit(kOtherNumberLength)
{
    ui->setupUi(this);
    ui->inputNote->hide();
    ui->inputNote->setBackgroundRole(QPalette::ToolTipBase);
    ui->inputNote->setForegroundRole(QPalette::ToolTipText);

    // The same masks format imported values: one definition for both.
    ui->inn->setEditMask(kInnEditMask.toString());
    ui->birthday->setEditMask(kDateEditMask.toString());
    ui->phone->setEditMask(kPhoneEditMask.toString());
    ui->passportDate->setEditMask(kDateEditMask.toString());
    ui->passportEnd->setEditMask(kExpiryEditMask.toString());
    ui->mobileNumber->setEditMask(kMobileEditMask.toString());
    // The country code of a number pasted or typed whole.
    ui->mobileNumber->setDroppedPrefix(u"998"_s);

    ui->docType->addItems(DocTypeNames());
    ui->docType->setCurrentIndex(-1);
    connect(ui->docType, &QComboBox::activated, this, &ClientEditPanel::docTypeChange);

    // The key filters read the document type as it is when the key comes.
    const std::pair<QLineEdit *, KeyField> filtered[] = {
        {ui->surname, KeyField::Surname},
        {ui->name, KeyField::Name},
        {ui->patronymic, KeyField::Patronymic},
        {ui->passportSerial, KeyField::PassportSeries},
        {ui->passportNumber, KeyField::PassportNumber},
    };
    for (const auto &[edit, field] : filtered) {
        auto *filter = Cp1251InputFilter::attach(
                edit, [this, field = field](QChar c) { return AcceptsKey(field, ui->docType->currentIndex(), c); });
        connect(filter, &Cp1251InputFilter::noted, this, &ClientEditPanel::showNote);
    }
    for (QLineEdit *edit : {ui->passportPlace, ui->address, ui->placeOfBirth, ui->taxOffice, ui->passportIssuedBy})
        connect(Cp1251InputFilter::attach(edit), &Cp1251InputFilter::noted, this, &ClientEditPanel::showNote);
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

    // Choosing the type shown again is no change; the name hint follows the type.
    connect(ui->docType, &QComboBox::currentIndexChanged, this, [this](int type) {
        m_docTypeChanged = true;
        const QString hint = IsBiometricType(type) ? u"Ввод только латиница"_s : u"Ввод только кириллица"_s;
        for (QLineEdit *edit : {ui->surname, ui->name, ui->patronymic})
            edit->setToolTip(hint);
    });
}

ClientEditPanel::~ClientEditPanel() = default;

ClientFields ClientEditPanel::fields() const
{
    ClientFields f;
    f.surname = ui->surname->text();
    f.name = ui->name->text();
    f.patronymic = ui->patronymic->text();
    f.sexIndex = ui->sex->currentIndex();
    f.inn = ui->inn->storedText();
    f.birthday = DateEdit::completed(ui->birthday->storedText());
    f.phone = ui->phone->storedText();
    f.docType = ui->docType->currentIndex();
    f.passportSeries = ui->passportSerial->text();
    f.passportNumber = ui->passportNumber->text();
    f.passportDate = DateEdit::completed(ui->passportDate->storedText());
    f.passportPlace = ui->passportPlace->text();
    f.passportEnd = DateEdit::completed(ui->passportEnd->storedText());
    f.address = ui->address->text();
    f.placeOfBirth = ui->placeOfBirth->text();
    f.taxOffice = ui->taxOffice->text();
    f.mobileNumber = ui->mobileNumber->storedText();
    f.passportIssuedBy = ui->passportIssuedBy->text();
    return f;
}

void ClientEditPanel::setFields(const ClientFields &f)
{
    SetEditText(ui->name, f.name);
    SetEditText(ui->surname, f.surname);
    SetEditText(ui->patronymic, f.patronymic);
    ui->sex->setCurrentIndex(f.sexIndex);
    ui->inn->setStoredText(f.inn);
    ui->birthday->setStoredText(f.birthday);
    ui->phone->setStoredText(f.phone);
    SetEditText(ui->passportSerial, f.passportSeries);
    SetEditText(ui->passportNumber, f.passportNumber);
    ui->passportDate->setStoredText(f.passportDate);
    SetEditText(ui->passportPlace, f.passportPlace);
    ui->passportEnd->setStoredText(f.passportEnd);
    SetEditText(ui->address, f.address);
    ui->docType->setCurrentIndex(f.docType >= 0 && f.docType < kDocTypeCount ? f.docType : -1);
    m_docTypeChanged = false;
    SetEditText(ui->placeOfBirth, f.placeOfBirth);
    SetEditText(ui->taxOffice, f.taxOffice);
    ui->mobileNumber->setStoredText(f.mobileNumber);
    SetEditText(ui->passportIssuedBy, f.passportIssuedBy);
}

void ClientEditPanel::showFields(const ClientFields &fields)
{
    setFields(fields);
    clearChangeMarks();
}

void ClientEditPanel::clearFields()
{
    for (QLineEdit *edit : {ui->name, ui->surname, ui->patronymic, ui->passportSerial, ui->passportNumber,
                            ui->passportPlace, ui->address, ui->placeOfBirth, ui->taxOffice, ui->passportIssuedBy})
        edit->setText(QString());
    // Set, not cleared, so that an emptied masked field counts as unchanged.
    const std::initializer_list<MaskedEdit *> masked = {ui->inn,          ui->birthday,    ui->phone,
                                                        ui->passportDate, ui->passportEnd, ui->mobileNumber};
    for (MaskedEdit *edit : masked)
        edit->setStoredText(QString());
    ui->sex->setCurrentIndex(0);
    applyLengthLimits();
}

void ClientEditPanel::applyLengthLimits()
{
    for (QLineEdit *edit : {ui->surname, ui->name, ui->patronymic})
        edit->setMaxLength(kNameLength);
    for (QLineEdit *edit : {ui->passportPlace, ui->address, ui->placeOfBirth})
        edit->setMaxLength(kPlaceLength);
    ui->passportSerial->setMaxLength(m_seriesLimit);
    ui->passportNumber->setMaxLength(m_numberLimit);
}

// A user's choice of a document type, not the program's.
void ClientEditPanel::docTypeChange()
{
    if (!std::exchange(m_docTypeChanged, false))
        return;
    ui->passportSerial->setText(QString());
    ui->passportNumber->setText(QString());
    const bool passport = IsPassportType(ui->docType->currentIndex());
    m_seriesLimit = passport ? kPassportSeriesLength : kOtherSeriesLength;
    m_numberLimit = passport ? kPassportNumberLength : kOtherNumberLength;
    ui->passportSerial->setMaxLength(m_seriesLimit);
    ui->passportNumber->setMaxLength(m_numberLimit);
}

void ClientEditPanel::markFieldChanged(QLabel *label)
{
    emit marksChanged(true);
    label->setText(WithoutMark(label->text()) + kChangeMark);
}

void ClientEditPanel::clearChangeMarks()
{
    for (QLabel *label : std::as_const(m_markedLabels))
        label->setText(WithoutMark(label->text()));
    emit marksChanged(false);
}

// Over the field's label, so that it covers no field; within the panel.
void ClientEditPanel::showNote(QLineEdit *edit, const QString &note)
{
    QLabel *label = ui->inputNote;
    if (note.isEmpty()) {
        label->hide();
        return;
    }
    label->setText(note);
    label->adjustSize();
    const int x = std::max(0, std::min(edit->x(), width() - label->width()));
    label->move(x, edit->y() - label->height());
    label->raise();
    label->show();
}

ClientCheckResult ClientEditPanel::check(int currentYear)
{
    ClientCheckResult failure = ValidateClientFields(fields(), currentYear);
    if (failure)
        focusField(failure->field);
    return failure;
}

void ClientEditPanel::focusField(ClientField field)
{
    if (QWidget *widget = fieldWidget(field))
        widget->setFocus(Qt::OtherFocusReason);
}

QWidget *ClientEditPanel::fieldWidget(ClientField field) const
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
    case ClientField::Table:
    case ClientField::None:
        return nullptr;
    }
    return nullptr;
}
