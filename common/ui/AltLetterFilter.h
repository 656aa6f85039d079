#pragma once

#include <QObject>

class QWidget;

// Alt with a letter belongs to the menus: in a field of the window it types
// nothing, also when no menu has that letter. Alt with Ctrl (AltGr) still types.
class AltLetterFilter : public QObject
{
    Q_OBJECT
public:
    // The filter lives as long as the window.
    static void install(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit AltLetterFilter(QWidget *window);

    QWidget *m_window;
};
