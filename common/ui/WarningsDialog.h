#pragma once

#include "common/ui/Dialogs.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// The list of a document's warnings, row, field and text, one a line, the
// first chosen. Before a save it asks "Сохранить" or "Вернуться к
// исправлению", the default, which Esc and a double-clicked line answer
// too; for a review it offers "Перейти" to the chosen line, the default,
// or "Закрыть".
class WarningsDialog : public QDialog
{
    Q_OBJECT
public:
    WarningsDialog(const QList<Dialogs::WarningLine> &lines, Dialogs::WarningsPurpose purpose,
                   QWidget *parent = nullptr);

    // What the user chose; valid once the dialog has closed.
    Dialogs::WarningsAnswer answer() const;

private:
    int chosenLine() const;

    Dialogs::WarningsPurpose m_purpose;
    QTreeWidget *m_list;
    QPushButton *m_saveOrGo;
    QPushButton *m_back;
};
