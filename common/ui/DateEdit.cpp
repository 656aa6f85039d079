#include "common/ui/DateEdit.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLocale>

DateEdit::DateEdit(QWidget *parent)
    : MaskedEdit(parent)
{
}

void DateEdit::setCalendar(QCalendarWidget *calendar, std::function<QDate()> today)
{
    m_calendar = calendar;
    m_today = std::move(today);
    calendar->setFocusPolicy(Qt::NoFocus);
    calendar->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    for (QWidget *w : calendar->findChildren<QWidget *>())
        w->setFocusPolicy(Qt::NoFocus);
    connect(calendar, &QCalendarWidget::activated, this, &DateEdit::pick);
}

bool DateEdit::event(QEvent *event)
{
    if (m_calendar) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::MouseButtonDblClick:
            showCalendar();
            break;
        case QEvent::FocusOut:
            m_calendar->hide();
            break;
        case QEvent::KeyPress:
            return calendarKeyPress(static_cast<QKeyEvent *>(event));
        default:
            break;
        }
    }
    return MaskedEdit::event(event);
}

void DateEdit::showCalendar()
{
    if (m_calendar->isVisible())
        return;
    const QDate shown = QDate::fromString(text(), pattern());
    m_calendar->setSelectedDate(shown.isValid() ? shown : m_today());
    m_calendar->show();
    m_calendar->raise();
}

// True: consumed. The event's accepted flag stays as it came: a Tab left
// ignored would travel on to the parent and move the focus a second time.
bool DateEdit::calendarKeyPress(const QKeyEvent *event)
{
    showCalendar();
    switch (event->key()) {
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Left: case Qt::Key_Right:
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Return: case Qt::Key_Enter:
        if (auto *days = m_calendar->findChild<QAbstractItemView *>()) {
            QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
            QCoreApplication::sendEvent(days, &copy);
        }
        return true;
    default:
        return false;
    }
}

void DateEdit::pick(QDate date)
{
    setText(date.toString(pattern()));
    m_calendar->hide();
    deselect();
}
