#pragma once

#include "common/EditMask.h"

#include <QLineEdit>

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

    // A changed field with an unfilled required place cannot be left.
    bool mustStay() const;

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

private:
    bool isInputPlace(qsizetype position) const;

    QString m_editMask;
    EditMask m_mask;
    QList<bool> m_inputPlaces;
    bool m_swallowRelease = false;
    QString m_lastStored;
};
