#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>
#include <memory>

class Dialogs;

namespace Ui {
class AboutDialog;
}

// The About window: logo, program name, the version read from the running
// executable, the maker's line and a link to the maker's site. It has no
// close box; "ОК" closes it. Created once at start and shown modally
// (exec()) from the "О программе" menu items.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    // The maker's site, opened by clicking siteLink.
    static QUrl siteAddress();

    // Without dialogs the window shows Qt's own message boxes.
    explicit AboutDialog(QWidget *parent = nullptr, Dialogs *dialogs = nullptr);
    ~AboutDialog() override;

    // Opens an address with the system's default action; tests replace it.
    void setUrlOpener(std::function<void(const QUrl &)> opener);

    // The logo picture as stored with the program (JPEG bytes).
    static QByteArray logoJpeg();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showVersion();
    void openSite();
    void okClick();

    std::unique_ptr<Ui::AboutDialog> ui;
    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs *m_dialogs;
    std::function<void(const QUrl &)> m_openUrl;
};
