#pragma once

#include "payroll/PayrollChecks.h"
#include "payroll/PayrollFile.h"

#include <QGroupBox>

class Clock;
class DateEdit;
class MaskedEdit;
class QCalendarWidget;
class QComboBox;

// The register's header fields: number, date with its calendar, month and
// year. The form places them inside the panel; setUp ties them together.
class PayrollHeaderPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit PayrollHeaderPanel(QWidget *parent = nullptr);

    // Once the form built the fields: today's date, month and year.
    void setUp(QCalendarWidget *calendar, const Clock &clock);

    PayrollHeader header() const;
    void setHeader(const PayrollHeader &header);
    // The number as the save padded it; the field is only set when it differs.
    void setRegisterNumber(const QString &number);

    // The cursor to the start of the register number.
    void focusRegisterNumber();
    // The cursor to the first unfilled place of the field a check named;
    // false when the field is not one of the header's.
    bool focusField(PayrollField field);
    // Before a file dialog: the year, where the open folder comes from.
    void focusYear();

signals:
    // A field really changed: a key a mask refused changes nothing.
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MaskedEdit *m_registerNum = nullptr;
    DateEdit *m_sendDate = nullptr;
    QComboBox *m_months = nullptr;
    MaskedEdit *m_year = nullptr;
};
