#pragma once

#include "common/EditMask.h"

#include <QLineEdit>
#include <QPointer>

class QLabel;

// A line edit with a edit mask in the "mask;keepLiterals;blank" notation. Its stored text keeps every
// place: an unfilled input place reads as a blank, literals are kept, so an
// empty date reads "  .  .    ".
class MaskedEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit MaskedEdit(QWidget *parent = nullptr);

    void setEditMask(const QString &mask);
    QString editMask() const { return m_editMask; }

    QString storedText() const;
    void setStoredText(const QString &text);

    // A changed field with an unfilled required place cannot be left: a note
    // at the field says why, and Esc brings back its last complete value.
    bool mustStay() const;
    static QString leaveNote();

    // A leading prefix that a value may come with and the field drops (the
    // country code of a phone number): in a pasted number, or typed as the
    // first digits of one digit too many.
    void setDroppedPrefix(const QString &digits) { m_droppedPrefix = digits; }

    // Focus into the field, the cursor on its first unfilled place (the end
    // of the text when every place is filled).
    void focusFirstUnfilled();

signals:
    // The stored text really changed: a key the mask refused emits
    // textChanged all the same, but not this.
    void storedTextChanged(const QString &text);

protected:
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool isInputPlace(qsizetype position) const;
    QString filledPlaces() const;
    bool isEmptyForm() const;
    void setDigits(const QString &digits);
    bool dropPrefix(QKeyEvent *event);
    void showLeaveNote(bool shown);

    QString m_editMask;
    EditMask m_mask;
    QList<bool> m_inputPlaces;
    bool m_swallowRelease = false;
    QString m_lastStored;
    QString m_lastComplete;
    QString m_droppedPrefix;
    QPointer<QLabel> m_note;
};
