#pragma once

#include "common/ui/MaskedEdit.h"

#include <QDate>
#include <QPointer>

#include <functional>

class QCalendarWidget;
class QKeyEvent;

// A date field ("dd.MM.yyyy"). A "." typed after one digit of the day or
// the month completes it with a leading zero; leaving the field writes a
// valid date with blanks in full. With a calendar, it pops up while the field
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

    // A valid date written with blanks for leading zeros ("1 .2 .1980",
    // " 1. 2.1980") in full ("01.02.1980"); any other text as it is.
    static QString completed(const QString &stored);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showCalendar();
    bool calendarKeyPress(const QKeyEvent *event);
    void pick(QDate date);

    QPointer<QCalendarWidget> m_calendar;
    std::function<QDate()> m_today;
};
