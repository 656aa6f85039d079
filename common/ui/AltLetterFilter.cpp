#include "common/ui/AltLetterFilter.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

void AltLetterFilter::install(QWidget *window)
{
    qApp->installEventFilter(new AltLetterFilter(window));
}

AltLetterFilter::AltLetterFilter(QWidget *window)
    : QObject(window)
    , m_window(window)
{
}

bool AltLetterFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != m_window)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    if (!(modifiers & Qt::AltModifier) || (modifiers & Qt::ControlModifier))
        return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.front().isPrint())
        return false;
    return qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)
            || qobject_cast<QComboBox *>(widget);
}
