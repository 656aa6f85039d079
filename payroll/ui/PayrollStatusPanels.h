#pragma once

class Money;
class QLabel;
class QStatusBar;
class QString;

// The two status bar panels, the row count and the total, and the total
// again above the grid.
class PayrollStatusPanels
{
public:
    PayrollStatusPanels(QStatusBar *statusBar, QLabel *overallSumma);

    // "Всего записей :" and the number of rows.
    void showRowCount(int rows);
    void showTotal(const Money &total);
    // Over the panels for a while: a refused or replaced letter is never silent.
    void showNote(const QString &note);

private:
    QStatusBar *m_statusBar;
    QLabel *m_overallSumma;
    QLabel *m_rowCount;
    QLabel *m_total;
};
