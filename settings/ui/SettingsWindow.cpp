#include "settings/ui/SettingsWindow.h"

#include "ui_SettingsWindow.h"

#include "common/TextRoutines.h"
#include "common/ui/DetachChildren.h"
#include "common/ui/Cp1251InputFilter.h"
#include "common/ui/Dialogs.h"
#include "common/ui/ErrorGuard.h"
#include "settings/SettingsRecord.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <cmath>

using namespace Qt::StringLiterals;

// Qt closes the visible windows when the program ends; the settings window
// then neither asks nor refuses, whatever its state.
class SettingsWindow::QuitWatcher : public QObject
{
public:
    using QObject::QObject;
    bool ending = false;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == qApp && event->type() == QEvent::Quit) {
            ending = true;
            // Another window may refuse, and the program goes on.
            QTimer::singleShot(0, this, [this] { ending = false; });
        }
        return false;
    }
};

SettingsWindow::SettingsWindow(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
    , ui(std::make_unique<Ui::SettingsWindow>())
    , m_dialogs(dialogs)
    , m_quitWatcher(new QuitWatcher(this))
{
    ui->setupUi(this);
    setFixedSize(550, 212);
    ui->filialCode->setEditMask(u"!99999;1;_"_s);
    ui->clientCode->setEditMask(u"!99999999;1;_"_s);
    // The name is written in Windows-1251: typed and pasted as in every window.
    connect(Cp1251InputFilter::attach(ui->clientName), &Cp1251InputFilter::noted, this, &SettingsWindow::showNote);
    qApp->installEventFilter(m_quitWatcher);

    connect(ui->saveButton, &QPushButton::clicked, this, &SettingsWindow::save);
    connect(ui->closeButton, &QPushButton::clicked, this, &SettingsWindow::closeWindow);
    // A key that a mask refuses changes nothing and marks nothing.
    connect(ui->clientCode, &MaskedEdit::storedTextChanged, this, &SettingsWindow::markModified);
    connect(ui->clientName, &QLineEdit::textChanged, this, &SettingsWindow::markModified);
    connect(ui->filialCode, &MaskedEdit::storedTextChanged, this, &SettingsWindow::markModified);

    // One Esc handler for the window and its five controls.
    installEventFilter(this);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->saveButton, ui->closeButton, ui->filialCode,
                                                        ui->clientCode, ui->clientName})
        w->installEventFilter(this);

    placeAndShowOnFirstRun();
}

SettingsWindow::~SettingsWindow()
{
    DetachChildren(this);
}

void SettingsWindow::placeAndShowOnFirstRun()
{
    Guarded(this, m_dialogs, [this] {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            // nearbyint rounds halves to the even neighbour
            move(int(std::nearbyint(area.width() / 3.5)), int(std::nearbyint(area.height() / 3.5)));
        }
        if (!SettingsFileExists()) {
            show();
            raise();
            activateWindow();
            ui->closeButton->hide();
        } else {
            ui->closeButton->show();
        }
        m_modified = false;
    });
}

void SettingsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        loadOnShow();
}

void SettingsWindow::loadOnShow()
{
    Guarded(this, m_dialogs, [this] { loadFields(); });
    // Apart from the load, so that an unreadable file leaves the window
    // consistent; loading raised the change notifications, discard them.
    Guarded(this, m_dialogs, [this] {
        m_modified = false;
        if (SettingsFileExists())
            ui->closeButton->show();
    });
}

void SettingsWindow::loadFields()
{
    if (!SettingsFileExists())
        return;
    const std::optional<SettingsRecord> record = ReadCompleteSettingsRecord();
    if (!record)
        return;
    ui->clientCode->setStoredText(record->organisationCode);
    ui->clientName->setText(record->organisationName);
    ui->filialCode->setStoredText(record->filialCode);
}

bool SettingsWindow::validate()
{
    // After the message, the cursor on the first place left unfilled.
    const auto refuse = [this](MaskedEdit *field, const QString &message) {
        m_dialogs.information(this, message);
        field->focusFirstUnfilled();
        return false;
    };
    if (ui->filialCode->storedText().contains(u' '))
        return refuse(ui->filialCode, u"Длина кода филиала должна быть не менее 5 символов!"_s);
    if (ui->clientCode->storedText().contains(u' '))
        return refuse(ui->clientCode, u"Длина кода клиента должна быть не менее 8 символов!"_s);
    if (ReplaceAll(ui->clientName->text(), u" "_s, QString()).isEmpty())
        return refuse(ui->clientName, u"Введите наименование клиента!"_s);
    return true;
}

// Gives false when the checks refused the values; an I/O error is thrown.
bool SettingsWindow::saveSettings()
{
    if (!validate())
        return false;
    const QString name = ui->clientName->text();
    WriteSettingsRecord({ui->clientCode->storedText(), name, ui->filialCode->storedText()});
    hide();
    emit left();
    // The name as typed, even beyond what the record holds.
    emit saved(name);
    return true;
}

void SettingsWindow::save()
{
    Guarded(this, m_dialogs, [this] { saveSettings(); });
}

void SettingsWindow::closeWindow()
{
    Guarded(this, m_dialogs, [this] {
        emit left();
        close();
    });
}

void SettingsWindow::closeEvent(QCloseEvent *event)
{
    if (m_quitWatcher->ending) {
        event->accept();
        return;
    }
    bool canClose = false;
    Guarded(this, m_dialogs, [&] { canClose = confirmClose(); });
    if (!canClose) {
        event->ignore();
        return;
    }
    event->accept();
    emit left();
}

bool SettingsWindow::confirmClose()
{
    // First run: nothing but a valid save leaves the window.
    if (!SettingsFileExists())
        return false;
    return ConfirmSaveChanges(m_dialogs, this, isModified(), [this] { return saveSettings(); });
}

bool SettingsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        bool handled = false;
        Guarded(this, m_dialogs, [&] { handled = closeOnEscape(static_cast<QKeyEvent *>(event)); });
        if (handled)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool SettingsWindow::closeOnEscape(const QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape || !SettingsFileExists())
        return false;
    close();
    return true;
}

void SettingsWindow::markModified()
{
    m_modified = true;
}

// Below the name field, over the buttons' row gap; gone when the field is left.
void SettingsWindow::showNote(QLineEdit *edit, const QString &note)
{
    if (note.isEmpty()) {
        if (m_note)
            m_note->hide();
        return;
    }
    if (!m_note) {
        m_note = new QLabel(this);
        m_note->setObjectName(u"inputNote"_s);
        m_note->setAutoFillBackground(true);
        m_note->setFrameShape(QFrame::Box);
        m_note->setBackgroundRole(QPalette::ToolTipBase);
        m_note->setForegroundRole(QPalette::ToolTipText);
    }
    m_note->setText(note);
    m_note->adjustSize();
    m_note->move(std::max(0, std::min(edit->x(), width() - m_note->width())), edit->geometry().bottom() + 2);
    m_note->raise();
    m_note->show();
}
