#include "about/ui/AboutDialog.h"
#include "ui_AboutDialog.h"

#include "about/FileVersion.h"
#include "about/JpegDecoder.h"
#include "common/ui/Dialogs.h"
#include "common/ui/ErrorGuard.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace {

QFont ArialBold(int pixels)
{
    QFont font(u"Arial"_s);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

void UseLinkColour(QWidget *w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, p.color(QPalette::Link));
    w->setPalette(p);
}

} // namespace

QUrl AboutDialog::siteAddress()
{
    return QUrl(u"https://kardolist.example"_s);
}

QByteArray AboutDialog::logoJpeg()
{
    // The resource lives in a static library: register it explicitly.
    Q_INIT_RESOURCE(AboutLogo);
    QFile file(u":/about/logo.jpg"_s);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

AboutDialog::AboutDialog(QWidget *parent, Dialogs *dialogs)
    : QDialog(parent)
    , ui(std::make_unique<Ui::AboutDialog>())
    , m_dialogs(dialogs)
    , m_openUrl([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<QtDialogs>();
        m_dialogs = m_ownDialogs.get();
    }
    ui->setupUi(this);
    // A title bar without system menu, hence without close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setGeometry(200, 380, 598, 339);
    setFixedSize(598, 339);

    ui->productLabel->setFont(ArialBold(27));
    UseLinkColour(ui->productLabel);
    for (QLabel *label : {ui->siteCaptionLabel, ui->versionLabel, ui->makerLabel})
        label->setFont(ArialBold(13));
    QFont link = ArialBold(13);
    link.setItalic(true);
    link.setUnderline(true);
    ui->siteLink->setFont(link);
    UseLinkColour(ui->siteLink);
    ui->siteLink->setCursor(Qt::PointingHandCursor);
    ui->siteLink->setText(siteAddress().toString());
    ui->siteLink->installEventFilter(this);
    for (QLabel *label : {ui->productLabel, ui->siteCaptionLabel, ui->makerLabel, ui->siteLink})
        label->adjustSize();

    // Unscaled from the top left corner; the control clips it. A picture
    // that does not decode leaves the control empty.
    const QImage logo = JpegDecoder::decode(logoJpeg());
    if (!logo.isNull())
        ui->logo->setPixmap(QPixmap::fromImage(logo));
    ui->logoFrame->raise();

    connect(ui->okButton, &QPushButton::clicked, this, &AboutDialog::okClick);
    showVersion();
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::setUrlOpener(std::function<void(const QUrl &)> opener)
{
    m_openUrl = std::move(opener);
}

void AboutDialog::showVersion()
{
    Guarded(this, *m_dialogs, [this] {
        ui->versionLabel->setText(u"Версия : "_s + ReadFileVersion(QCoreApplication::applicationFilePath()));
        ui->versionLabel->adjustSize();
    });
}

void AboutDialog::openSite()
{
    // Whether the system managed to open it is not looked at.
    Guarded(this, *m_dialogs, [this] { m_openUrl(siteAddress()); });
}

void AboutDialog::okClick()
{
    Guarded(this, *m_dialogs, [this] { accept(); });
}

bool AboutDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->siteLink && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && ui->siteLink->rect().contains(mouse->position().toPoint()))
            openSite();
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::keyPressEvent(QKeyEvent *event)
{
    // Only "ОК" closes the window; Esc does not.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
