#pragma once

#include <QWidget>

#include <memory>

class Dialogs;
class QKeyEvent;
class QLabel;
class QLineEdit;
namespace Ui { class SettingsWindow; }

// The settings window: the organisation's bank details kept in "settings.ini".
// While that file does not exist it is the first run: the window shows itself
// at creation and only a valid save leaves it.
class SettingsWindow : public QWidget
{
    Q_OBJECT
public:
    // Places the window; on first run it shows itself.
    explicit SettingsWindow(Dialogs &dialogs, QWidget *parent = nullptr);
    ~SettingsWindow() override;

signals:
    // The settings were saved with this organisation name; the window is hidden.
    void saved(const QString &organisationName);
    // The window was closed or hidden: the window that showed it may go on.
    void left();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // True once a field was edited since the window was last shown.
    bool isModified() const { return m_modified; }
    void placeAndShowOnFirstRun();
    void loadOnShow();
    bool confirmClose();
    bool closeOnEscape(const QKeyEvent *event);
    void save();
    void closeWindow();
    void markModified();

    bool validate();
    void loadFields();
    bool saveSettings();

    class QuitWatcher;

    std::unique_ptr<Ui::SettingsWindow> ui;
    Dialogs &m_dialogs;
    QuitWatcher *m_quitWatcher;
    bool m_modified = false;
    void showNote(QLineEdit *edit, const QString &note);
    QLabel *m_note = nullptr;
};
