#include "common/ui/MaskedEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QTimer>

MaskedEdit::MaskedEdit(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] {
        const QString now = storedText();
        if (now == m_lastStored)
            return;
        m_lastStored = now;
        emit storedTextChanged(now);
    });
}

void MaskedEdit::setEditMask(const QString &editMask)
{
    m_editMask = editMask;
    m_mask = EditMask::parse(editMask);
    m_inputPlaces.clear();
    const QString body = m_mask.qtMask.left(m_mask.qtMask.lastIndexOf(QLatin1Char(';')));
    static const QString inputLetters = QStringLiteral("ANXDHB9anxdhb0#");
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == QLatin1Char('\\')) {
            ++i;
            m_inputPlaces.append(false);
        } else if (c == QLatin1Char('>') || c == QLatin1Char('<') || c == QLatin1Char('!')) {
            continue;
        } else {
            m_inputPlaces.append(inputLetters.contains(c));
        }
    }
    setInputMask(m_mask.qtMask);
    setMaxLength(int(m_inputPlaces.size()));
}

bool MaskedEdit::isInputPlace(qsizetype position) const
{
    return position < m_inputPlaces.size() && m_inputPlaces[position];
}

QString MaskedEdit::storedText() const
{
    if (m_editMask.isEmpty())
        return text();
    QString shown = displayText();
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (isInputPlace(i) && shown[i] == m_mask.blank)
            shown[i] = QLatin1Char(' ');
    return shown;
}

void MaskedEdit::setStoredText(const QString &value)
{
    if (m_editMask.isEmpty()) {
        setText(value);
        return;
    }
    QString v = value;
    if (m_mask.fillFromRight && v.size() < m_inputPlaces.size())
        v = v.rightJustified(m_inputPlaces.size(), QLatin1Char(' '));
    for (qsizetype i = 0; i < v.size(); ++i)
        if (v[i] == QLatin1Char(' ') && isInputPlace(i))
            v[i] = m_mask.blank;
    setText(v);
}

bool MaskedEdit::mustStay() const
{
    return !m_editMask.isEmpty() && isModified() && !hasAcceptableInput();
}

void MaskedEdit::focusFirstUnfilled()
{
    setFocus(Qt::OtherFocusReason);
    deselect();
    const QString shown = storedText();
    qsizetype place = shown.size();
    if (m_editMask.isEmpty()) {
        // A text of blanks only counts as unfilled from its start.
        if (shown.trimmed().isEmpty())
            place = 0;
    } else {
        for (qsizetype i = 0; i < shown.size(); ++i) {
            if (isInputPlace(i) && shown[i] == QLatin1Char(' ')) {
                place = i;
                break;
            }
        }
    }
    setCursorPosition(int(place));
}

bool MaskedEdit::focusNextPrevChild(bool next)
{
    if (mustStay())
        return true;
    return QLineEdit::focusNextPrevChild(next);
}

void MaskedEdit::focusInEvent(QFocusEvent *event)
{
    qApp->installEventFilter(this);
    QLineEdit::focusInEvent(event);
}

void MaskedEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    const bool stay = mustStay() && event->reason() != Qt::ActiveWindowFocusReason
            && event->reason() != Qt::PopupFocusReason;
    if (!stay) {
        qApp->removeEventFilter(this);
        return;
    }
    // A click moves the focus before the clicked widget sees the press, so
    // the filter stays installed to swallow that click.
    QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

bool MaskedEdit::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease
         || type == QEvent::MouseButtonDblClick) && watched != this) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == window() && !isAncestorOf(w)) {
            if (type != QEvent::MouseButtonRelease && mustStay()) {
                m_swallowRelease = true;
                return true;
            }
            if (type == QEvent::MouseButtonRelease && m_swallowRelease) {
                m_swallowRelease = false;
                return true;
            }
        }
    }
    return QLineEdit::eventFilter(watched, event);
}
