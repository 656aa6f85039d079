#pragma once

#include "common/ui/StringGridView.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollSave.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class Clock;
class Dialogs;
class PayrollGrid;
class PayrollModel;
class QKeyEvent;
class QLabel;
namespace Ui { class PayrollWindow; }

// The payroll register window, the main window: the header fields of a
// register, the grid of its rows with their totals, saving, opening,
// text import and printing.
class PayrollWindow : public QMainWindow, private GridHandler
{
    Q_OBJECT
public:
    PayrollWindow(Dialogs &dialogs, const Clock &clock, QWidget *parent = nullptr);
    ~PayrollWindow() override;

    // " Организация: " and the name, above the grid.
    void showOrganisation(const QString &clientName);

    PayrollModel *model() const { return m_model; }
    PayrollGrid *grid() const;

    // Whether the register differs from what was last saved or opened.
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // The first line of the payroll file last opened; empty until one is.
    QString openedHeaderLine() const { return m_openedHeaderLine; }
    void setOpenedHeaderLine(const QString &line) { m_openedHeaderLine = line; }

    PayrollHeader header() const;
    void setHeader(const PayrollHeader &header);

    QString statusText(int panel) const;
    // The cell last asked for, also when its selection was refused.
    int requestedCol() const { return m_requestedCell.col; }
    int requestedRow() const { return m_requestedCell.row; }
    int scrollPosition() const;

    // Saves the register and shows how it went; false when a check or the
    // overwrite question stopped it. A failed write leaves it modified.
    bool savePayroll();
    // Amounts in display form; throws UserError at an amount that is not a number.
    void formatAmounts();
    void updateTotals();
    // "Всего записей :" and the number of data rows in status panel 0.
    void updateRowCounter();
    void padRegisterNumber();
    bool checkCardNumbers();

    // Fill the register from a payroll file or a TAB-separated text file;
    // both throw UserError at the step that fails.
    void loadPayrollFile(const QString &path);
    void loadPayrollText(const QString &path);

signals:
    // "Настройки": the window disables itself until the settings window is left.
    void settingsRequested();
    // "О программе", from the menu: shown modally.
    void aboutRequested();
    // "Сервис" / "Регистрация клиентов": the client window takes this one's place.
    void clientsRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openPayrollFile();
    void importText();
    void save();
    void showSettings();
    void print();
    void printPreview();
    void showAbout();
    // Asks about unsaved changes; true when the window may close.
    bool confirmClose();
    void markModified();
    void padRegisterNumberOnExit();
    void sendDateEnter();
    bool sendDateKeyPress(const QKeyEvent *event);
    void hideCalendar();
    void pickCalendarDate(QDate date);
    bool allowCell(int col, int row) override;
    void gridKeyPress(QChar &key) override;
    bool gridKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void cellTextSet(int col, int row) override;
    void mainGridExit();
    void addRow();
    void deleteRow();
    void clearRows();

    void initialise();
    void openWithDialog(const QString &filter, void (PayrollWindow::*reader)(const QString &));
    void fillLoadedRows(PayrollRows rows, const std::function<void()> &formatted);
    void showLoadedRows();
    void setScrollPosition(int position);
    void showRow(int row);
    void showCalendar();
    void placeInitialFocus();
    void focusCheckedField(const PayrollSaveOutcome &outcome);
    void focusChanged(QWidget *old, QWidget *now);

    std::unique_ptr<Ui::PayrollWindow> ui;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    PayrollModel *m_model;
    QLabel *m_panels[2];
    bool m_focusPlaced = false;
    QPointer<QWidget> m_focusBeforeSettings;

    bool m_modified = false;
    QString m_openedHeaderLine;
    struct Cell { int col = 0; int row = 0; };
    Cell m_requestedCell;
    int m_pageTopRow = 0;
};
