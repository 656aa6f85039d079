#pragma once

#include "common/ui/MaskedEdit.h"

#include <QDate>
#include <QPointer>

#include <functional>

class QCalendarWidget;
class QKeyEvent;

// A date field ("dd.MM.yyyy") with a calendar that pops up while the field
// has the focus. Any key shows the calendar; the keys that move through it or
// pick its day go to it, the rest keep their meaning in the field. Only a
// double-click or Enter in the calendar fills the date: it never takes the focus.
class DateEdit : public MaskedEdit
{
    Q_OBJECT
public:
    explicit DateEdit(QWidget *parent = nullptr);

    // The calendar to pop up, placed by the form; today is shown when the
    // field holds no valid date.
    void setCalendar(QCalendarWidget *calendar, std::function<QDate()> today);

    static QString pattern() { return QStringLiteral("dd.MM.yyyy"); }

protected:
    bool event(QEvent *event) override;

private:
    void showCalendar();
    bool calendarKeyPress(const QKeyEvent *event);
    void pick(QDate date);

    QPointer<QCalendarWidget> m_calendar;
    std::function<QDate()> m_today;
};
