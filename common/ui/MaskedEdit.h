#pragma once

#include "common/DelphiMask.h"

#include <QLineEdit>

// A line edit with a Delphi-style edit mask. Its stored text keeps every
// place: an unfilled input place reads as a blank, literals are kept, so an
// empty date reads "  .  .    ".
class MaskedEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit MaskedEdit(QWidget *parent = nullptr);

    void setDelphiMask(const QString &delphiMask);
    QString delphiMask() const { return m_delphi; }

    QString storedText() const;
    void setStoredText(const QString &text);

    // A changed field with an unfilled required place cannot be left.
    bool mustStay() const;

protected:
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isInputPlace(qsizetype position) const;

    QString m_delphi;
    DelphiMask m_mask;
    QList<bool> m_inputPlaces;
    bool m_swallowRelease = false;
};
