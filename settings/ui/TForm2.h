#pragma once

#include <QWidget>

#include <memory>

class Dialogs;
class QKeyEvent;
namespace Ui { class TForm2; }

// The settings window: the organisation's bank details kept in "settings.ini".
// While that file does not exist it is the first run: the window shows itself
// at creation and only a valid save leaves it.
class TForm2 : public QWidget
{
    Q_OBJECT
public:
    // Runs FormCreate: places the window, shows itself on first run.
    TForm2(Dialogs &dialogs, QWidget *payrollWindow, QWidget *parent = nullptr);
    ~TForm2() override;

    // True once a field was edited since the window was last shown.
    bool settingsChanged() const { return SettingsChanged; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    bool FormCloseQuery();
    bool FormKeyPress(const QKeyEvent *event);
    void saveButtonClick();
    void closeButtonClick();
    void clientCodeChange();
    void clientNameChange();
    void filialCodeChange();

    bool ValidateSettings();
    void LoadSettingsFields();
    bool SaveSettings();
    void EnablePayrollWindow();

    class QuitWatcher;

    std::unique_ptr<Ui::TForm2> ui;
    Dialogs &m_dialogs;
    QWidget *m_payrollWindow;
    QuitWatcher *m_quitWatcher;
    bool SettingsChanged = false;
};
