#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>
#include <memory>

class Dialogs;

namespace Ui {
class TForm3;
}

// The About window: logo, program name, the version read from the running
// executable, the maker's line and a link to the maker's site. It has no
// close box; "ОК" closes it. Created once at start and shown modally
// (exec()) from the "О программе" menu items.
class TForm3 : public QDialog
{
    Q_OBJECT
public:
    // The maker's site, opened by clicking Label6.
    static QUrl siteAddress();

    // Without dialogs the window shows Qt's own message boxes.
    explicit TForm3(QWidget *parent = nullptr, Dialogs *dialogs = nullptr);
    ~TForm3() override;

    // Opens an address with the system's default action; tests replace it.
    void setUrlOpener(std::function<void(const QUrl &)> opener);

    // The logo picture as stored with the program (JPEG bytes).
    static QByteArray logoJpeg();

public slots:
    void FormCreate();
    void Label6Click();
    void Button1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<Ui::TForm3> ui;
    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs *m_dialogs;
    std::function<void(const QUrl &)> m_openUrl;
};
