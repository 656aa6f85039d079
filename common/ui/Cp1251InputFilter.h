#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;

// Keeps what is typed or pasted into a field within Windows-1251, the code
// page of the bank's files, and never changes or refuses a character without
// a note. A letter the code page lacks takes its usual spelling (Қ Ғ Ҳ become
// К Г Х); typed "Ё" and "ё" become "Е" and "е" where the field refuses them;
// anything else the code page cannot hold is refused. A paste the code page
// cannot hold is refused whole.
class Cp1251InputFilter : public QObject
{
    Q_OBJECT
public:
    // The characters a field takes when typed; an empty function takes all.
    using Accepts = std::function<bool(QChar)>;

    struct Typed
    {
        QString text; // what goes into the field; empty when nothing does
        QString note; // for the user; empty when nothing was changed or refused
    };
    // What typed text becomes in a field. Characters the code page holds but
    // the field refuses are dropped without a note, as a key filter drops
    // them. For a delegate's key handling as much as for a line edit.
    static Typed fitTyped(QStringView typed, const Accepts &accepts);

    // Filters the keys typed into the edit and what is pasted into it. The
    // filter is the edit's child; its notes come through noted().
    static Cp1251InputFilter *attach(QLineEdit *edit, Accepts accepts = {});

signals:
    // A note on a changed or refused character; an empty note when the
    // edit lost the focus and the last note no longer applies.
    void noted(QLineEdit *edit, const QString &note);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Validator;
    Cp1251InputFilter(QLineEdit *edit, Accepts accepts);

    QLineEdit *m_edit;
    Accepts m_accepts;
};
