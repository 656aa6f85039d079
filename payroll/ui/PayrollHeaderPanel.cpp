#include "payroll/ui/PayrollHeaderPanel.h"

#include "payroll/PayrollChecks.h"

#include "common/Clock.h"
#include "common/ui/DateEdit.h"

#include <QComboBox>
#include <QDateTime>
#include <QEvent>

using namespace Qt::StringLiterals;

PayrollHeaderPanel::PayrollHeaderPanel(QWidget *parent)
    : QGroupBox(parent)
{
}

void PayrollHeaderPanel::setUp(QCalendarWidget *calendar, const Clock &clock)
{
    m_registerNum = findChild<MaskedEdit *>(u"registerNum"_s);
    m_sendDate = findChild<DateEdit *>(u"sendDate"_s);
    m_months = findChild<QComboBox *>(u"months"_s);
    m_year = findChild<MaskedEdit *>(u"year"_s);
    Q_ASSERT(m_registerNum && m_sendDate && m_months && m_year);

    m_sendDate->setCalendar(calendar, [&clock] { return clock.now().date(); });
    connect(m_registerNum, &MaskedEdit::storedTextChanged, this, &PayrollHeaderPanel::edited);
    connect(m_sendDate, &MaskedEdit::storedTextChanged, this, &PayrollHeaderPanel::edited);
    connect(m_months, &QComboBox::currentIndexChanged, this, &PayrollHeaderPanel::edited);
    connect(m_year, &MaskedEdit::storedTextChanged, this, &PayrollHeaderPanel::edited);
    m_registerNum->installEventFilter(this);

    const QDateTime now = clock.now();
    m_year->setStoredText(now.toString(u"yyyy"_s));
    m_months->setCurrentIndex(now.date().month() - 1);
    m_sendDate->setText(now.toString(DateEdit::pattern()));
}

PayrollHeader PayrollHeaderPanel::header() const
{
    PayrollHeader h;
    h.registerNumber = m_registerNum->storedText();
    h.date = m_sendDate->text();
    h.monthIndex = m_months->currentIndex();
    h.year = m_year->storedText();
    return h;
}

void PayrollHeaderPanel::setHeader(const PayrollHeader &h)
{
    m_registerNum->setStoredText(h.registerNumber);
    m_sendDate->setText(h.date);
    m_months->setCurrentIndex(h.monthIndex);
    m_year->setStoredText(h.year);
}

void PayrollHeaderPanel::setRegisterNumber(const QString &number)
{
    if (number != m_registerNum->storedText())
        m_registerNum->setStoredText(number);
}

void PayrollHeaderPanel::focusRegisterNumber()
{
    m_registerNum->setFocus(Qt::OtherFocusReason);
    m_registerNum->setCursorPosition(0);
}

void PayrollHeaderPanel::focusYear()
{
    m_year->setFocus(Qt::OtherFocusReason);
}

bool PayrollHeaderPanel::focusField(PayrollField field)
{
    switch (field) {
    case PayrollField::RegisterNumber:
        m_registerNum->focusFirstUnfilled();
        return true;
    case PayrollField::Year:
        m_year->focusFirstUnfilled();
        return true;
    case PayrollField::Date:
        m_sendDate->focusFirstUnfilled();
        return true;
    case PayrollField::Month:
        m_months->setFocus(Qt::OtherFocusReason);
        return true;
    case PayrollField::Name:
    case PayrollField::Card:
    case PayrollField::Rows:
    case PayrollField::BankCodes:
        break;
    }
    return false;
}

// Leaving the register number pads it with leading zeros.
bool PayrollHeaderPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_registerNum && event->type() == QEvent::FocusOut)
        setRegisterNumber(PadRegisterNumberText(m_registerNum->storedText()));
    return QGroupBox::eventFilter(watched, event);
}
