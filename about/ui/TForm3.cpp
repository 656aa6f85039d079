#include "about/ui/TForm3.h"
#include "ui_TForm3.h"

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

QUrl TForm3::siteAddress()
{
    return QUrl(u"https://kardolist.example"_s);
}

QByteArray TForm3::logoJpeg()
{
    // The resource lives in a static library: register it explicitly.
    Q_INIT_RESOURCE(AboutLogo);
    QFile file(u":/about/logo.jpg"_s);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TForm3::TForm3(QWidget *parent, Dialogs *dialogs)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TForm3>())
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

    ui->Label1->setFont(ArialBold(27));
    UseLinkColour(ui->Label1);
    for (QLabel *label : {ui->Label2, ui->Label3, ui->Label4})
        label->setFont(ArialBold(13));
    QFont link = ArialBold(13);
    link.setItalic(true);
    link.setUnderline(true);
    ui->Label6->setFont(link);
    UseLinkColour(ui->Label6);
    ui->Label6->setCursor(Qt::PointingHandCursor);
    ui->Label6->setText(siteAddress().toString());
    ui->Label6->installEventFilter(this);
    for (QLabel *label : {ui->Label1, ui->Label2, ui->Label4, ui->Label6})
        label->adjustSize();

    // Unscaled from the top left corner; the control clips it. A picture
    // that does not decode leaves the control empty.
    const QImage logo = JpegDecoder::decode(logoJpeg());
    if (!logo.isNull())
        ui->Image1->setPixmap(QPixmap::fromImage(logo));
    ui->Bevel3->raise();

    connect(ui->Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::setUrlOpener(std::function<void(const QUrl &)> opener)
{
    m_openUrl = std::move(opener);
}

void TForm3::FormCreate()
{
    Guarded(this, *m_dialogs, [this] {
        ui->Label3->setText(u"Версия : "_s + ReadFileVersion(QCoreApplication::applicationFilePath()));
        ui->Label3->adjustSize();
    });
}

void TForm3::Label6Click()
{
    // Whether the system managed to open it is not looked at.
    Guarded(this, *m_dialogs, [this] { m_openUrl(siteAddress()); });
}

void TForm3::Button1Click()
{
    Guarded(this, *m_dialogs, [this] { accept(); });
}

bool TForm3::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Label6 && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && ui->Label6->rect().contains(mouse->position().toPoint()))
            Label6Click();
    }
    return QDialog::eventFilter(watched, event);
}

void TForm3::keyPressEvent(QKeyEvent *event)
{
    // Only "ОК" closes the window; Esc does not.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
