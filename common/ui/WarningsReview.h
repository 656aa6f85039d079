#pragma once

#include "common/Warning.h"
#include "common/ui/Dialogs.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>

class QAbstractItemModel;
class QAction;
class QMenu;
class QWidget;

// A window's warnings: found again a moment after the document last
// changed and handed to its model to mark, listed before a save that
// would write them, and on "Проверить" (F7) at any time. The document says
// how to find them, how to name a field and how to go to a warning's cell.
class WarningsReview : public QObject
{
    Q_OBJECT
public:
    struct Document
    {
        std::function<QList<Warning>()> find;
        std::function<void(const QList<Warning> &)> mark;
        std::function<QString(const Warning &)> fieldName;
        std::function<void(const Warning &)> goTo;
    };

    // Quiet time after the last change before the marks are renewed.
    static constexpr int kSettleMs = 250;

    WarningsReview(QWidget *window, Dialogs &dialogs, Document document);

    // Renews the marks kSettleMs after the model's last change.
    void watch(const QAbstractItemModel *model);
    // "&Проверить" with F7 at the end of the menu, object name "checkAction";
    // the window connects it to review() inside its error guard.
    QAction *addCheckAction(QMenu *menu);

    // The warnings as the document stands, the marks renewed with them.
    QList<Warning> refresh();
    // Before a save: true when there are none or the user chose to save;
    // otherwise the chosen warning's cell is gone to.
    bool confirmSave();
    // Whether a confirmSave since the last call sent the user back to the document.
    bool takeReturnedToFix() { return std::exchange(m_returnedToFix, false); }
    // Lists the warnings, or says there are none.
    void review();

    static QString noWarningsText();

private:
    QList<Dialogs::WarningLine> lines(const QList<Warning> &warnings) const;

    QWidget *m_window;
    Dialogs &m_dialogs;
    Document m_document;
    QTimer m_settle;
    bool m_returnedToFix = false;
};
