#include "common/ui/DateEdit.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

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
            // Coming back from another window is no entering of the field.
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason)
                showCalendar();
            break;
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

QString DateEdit::completed(const QString &stored)
{
    const QStringList parts = stored.split(u'.');
    if (parts.size() != 3)
        return stored;
    int values[3] = {};
    const int widths[3] = {2, 2, 4};
    for (int i = 0; i < 3; ++i) {
        const QString digits = parts[i].trimmed();
        bool ok = false;
        values[i] = digits.toInt(&ok);
        const bool allDigits = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
        if (!ok || !allDigits || parts[i].size() != widths[i] || (i == 2 && digits.size() != 4))
            return stored;
    }
    const QDate date(values[2], values[1], values[0]);
    return date.isValid() ? date.toString(pattern()) : stored;
}

// "." in the day or month holding one digit: a leading zero, on to the next part.
void DateEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->text() == u"."_s && !hasSelectedText()) {
        const QString shown = storedText();
        const int cursor = cursorPosition();
        const qsizetype start = cursor > 0 ? shown.lastIndexOf(u'.', cursor - 1) + 1 : 0;
        const qsizetype end = shown.indexOf(u'.', cursor);
        if (end > start && end - start == 2) {
            const QString part = shown.mid(start, end - start).trimmed();
            if (part.size() == 1 && part[0].isDigit()) {
                setSelection(int(start), 2);
                insert(u'0' + part);
                setCursorPosition(int(end + 1));
                event->accept();
                return;
            }
        }
    }
    MaskedEdit::keyPressEvent(event);
}

void DateEdit::focusOutEvent(QFocusEvent *event)
{
    const QString shown = storedText();
    const QString full = completed(shown);
    if (full != shown) {
        setStoredText(full);
        setModified(true);
    }
    MaskedEdit::focusOutEvent(event);
}

void DateEdit::pick(QDate date)
{
    setText(date.toString(pattern()));
    m_calendar->hide();
    deselect();
}
