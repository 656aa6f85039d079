#include "common/ui/MaskedEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

MaskedEdit::MaskedEdit(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] {
        const QString now = storedText();
        if (!mustStay()) {
            m_lastComplete = now;
            showLeaveNote(false);
        }
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

QString MaskedEdit::leaveNote()
{
    return u"Заполните поле полностью или очистите его — Esc"_s;
}

// Over the window, just below the field, so that it covers no label.
void MaskedEdit::showLeaveNote(bool shown)
{
    if (!shown) {
        if (m_note)
            m_note->hide();
        return;
    }
    QWidget *top = window();
    if (!m_note || m_note->parentWidget() != top) {
        delete m_note;
        m_note = new QLabel(leaveNote(), top);
        m_note->setObjectName(u"maskedEditNote"_s);
        m_note->setAutoFillBackground(true);
        m_note->setFrameShape(QFrame::Box);
        m_note->setBackgroundRole(QPalette::ToolTipBase);
        m_note->setForegroundRole(QPalette::ToolTipText);
        m_note->adjustSize();
    }
    const QPoint below = mapTo(top, QPoint(0, height()));
    m_note->move(std::max(0, std::min(below.x(), top->width() - m_note->width())), below.y());
    m_note->raise();
    m_note->show();
}

QString MaskedEdit::filledPlaces() const
{
    QString digits;
    const QString shown = storedText();
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (isInputPlace(i) && shown[i] != u' ')
            digits += shown[i];
    return digits;
}

bool MaskedEdit::isEmptyForm() const
{
    return !m_editMask.isEmpty() && filledPlaces().isEmpty();
}

// The places filled from the left, the cursor on the first place left.
void MaskedEdit::setDigits(const QString &digits)
{
    QString text = storedText();
    qsizetype next = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (isInputPlace(i))
            text[i] = next < digits.size() ? digits[next++] : u' ';
    const QString complete = m_lastComplete;
    setStoredText(text);
    setModified(true);
    if (mustStay())
        m_lastComplete = complete;
    focusFirstUnfilled();
}

// True: the key was taken here.
bool MaskedEdit::dropPrefix(QKeyEvent *event)
{
    const QString held = filledPlaces();
    const auto places = m_inputPlaces.count(true);
    if (event->matches(QKeySequence::Paste)) {
        QString digits = QGuiApplication::clipboard()->text();
        digits.removeIf([](QChar c) { return !c.isDigit(); });
        if (digits.size() == places + m_droppedPrefix.size() && digits.startsWith(m_droppedPrefix))
            digits.remove(0, m_droppedPrefix.size());
        else if (digits.size() != places)
            return false;
        setDigits(digits);
        return true;
    }
    const QString typed = event->text();
    if (typed.size() != 1 || !typed[0].isDigit() || held.size() != places || !held.startsWith(m_droppedPrefix)
        || hasSelectedText() || cursorPosition() < displayText().size())
        return false;
    setDigits(held.mid(m_droppedPrefix.size()) + typed);
    return true;
}

void MaskedEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && mustStay()) {
        setStoredText(m_lastComplete);
        showLeaveNote(false);
        event->accept();
        return;
    }
    if (!m_droppedPrefix.isEmpty() && !m_editMask.isEmpty() && dropPrefix(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// A click into an empty field starts it at its first place, wherever it hit.
void MaskedEdit::mousePressEvent(QMouseEvent *event)
{
    const bool empty = isEmptyForm();
    QLineEdit::mousePressEvent(event);
    if (empty && event->button() == Qt::LeftButton) {
        deselect();
        setCursorPosition(int(m_inputPlaces.indexOf(true)));
    }
}

bool MaskedEdit::focusNextPrevChild(bool next)
{
    if (mustStay()) {
        showLeaveNote(true);
        return true;
    }
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
        showLeaveNote(false);
        return;
    }
    showLeaveNote(true);
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
                showLeaveNote(true);
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
