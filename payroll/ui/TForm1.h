#pragma once

#include "payroll/PayrollFile.h"

#include <QDate>
#include <QMainWindow>

#include <functional>
#include <memory>

class Clock;
class Dialogs;
class PayrollGrid;
class PayrollModel;
class QDialog;
class QKeyEvent;
class QLabel;
namespace Ui { class TForm1; }

// The payroll register window, the main window: the header fields of a
// register, the grid of its rows with their totals, saving, opening,
// text import and printing.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // Runs FormCreate.
    TForm1(Dialogs &dialogs, const Clock &clock, QWidget *parent = nullptr);
    ~TForm1() override;

    // The window that the menu item "Настройки" shows.
    void setSettingsWindow(QWidget *settings) { m_settingsWindow = settings; }
    // The About window that the menu item "О программе" shows modally.
    void setAboutWindow(QDialog *about) { m_aboutWindow = about; }

    PayrollModel *model() const { return m_model; }
    PayrollGrid *grid() const;

    // Whether the register differs from what was last saved or opened.
    bool dataChanged() const { return DataChanged; }
    void setDataChanged(bool changed) { DataChanged = changed; }

    // The first line of the payroll file last opened; empty until one is.
    QString lastHeaderLine() const { return LastHeaderLine; }
    void setLastHeaderLine(const QString &line) { LastHeaderLine = line; }

    PayrollHeader header() const;
    void setHeader(const PayrollHeader &header);

    QString statusText(int panel) const;
    int requestedCol() const { return RequestedCol; }
    int requestedRow() const { return RequestedRow; }
    int scrollPosition() const;

    // Saves the register; false when the checks before saving stopped it.
    bool SavePayroll();
    // Amounts in display form; throws UserError at an amount that is not a number.
    void FormatAmounts();
    void UpdateTotals();
    // "Всего записей :" and the number of data rows in status panel 0.
    void UpdateRowCounter();
    void PadRegisterNumber();
    bool CheckCardNumbers();

    // Fill the register from a payroll file or a TAB-separated text file;
    // both throw UserError at the step that fails.
    void OpenPayrollFile(const QString &path);
    void ImportPayrollText(const QString &path);

public slots:
    void gf1Click();
    void txt1Click();
    void N2Click();
    void N3Click();
    void N4Click();
    void N5Click();
    void Preview1Click();
    void N6Click();
    void Button1Click();
    void registerNumChange();
    void registerNumExit();
    void sendDateChange();
    void sendDateEnter();
    void sendDateDblClick();
    void sendDateKeyPress(QKeyEvent *event);
    void sendDateExit();
    void MonthCalendar1DblClick(QDate date);
    void monthsChange();
    void yearChange();
    void mainGridSelectCell(int col, int row, bool &canSelect);
    void mainGridKeyPress(QChar &key);
    bool mainGridKeyDown(int key, Qt::KeyboardModifiers shift);
    void mainGridSetEditText(int col, int row);
    void mainGridExit();
    void addRowButtonClick();
    void deleteRowButtonClick();
    void clearButtonClick();

protected:
    void FormCreate();
    void FormCloseQuery(bool &canClose);
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool ValidateBeforeSave();
    void OpenWithDialog(const QString &filter, void (TForm1::*reader)(const QString &));
    void FillLoadedRows(QList<PayrollRow> rows, const std::function<void()> &formatted);
    void ShowLoadedRows();
    void SetScrollPosition(int position);
    void ShowRow(int row);
    void ShowCalendar();
    void PlaceInitialFocus();
    void FocusChanged(QWidget *old, QWidget *now);

    std::unique_ptr<Ui::TForm1> ui;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    PayrollModel *m_model;
    QLabel *m_panels[2];
    QWidget *m_settingsWindow = nullptr;
    QDialog *m_aboutWindow = nullptr;
    bool m_focusPlaced = false;

    bool DataChanged = false;
    QString LastHeaderLine;
    int RequestedCol = 0;
    int RequestedRow = 0;
    int PageTopRow = 0;
};
