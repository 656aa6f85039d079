#pragma once

#include <QComboBox>

// A drop-down list whose closed box cuts a name too long for it with an
// ellipsis instead of clipping it; the open list shows the names whole.
class ElidingComboBox : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    // The current item's text as the closed box shows it.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int textWidth() const;
};
