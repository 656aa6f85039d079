#include "common/ui/WarningsReview.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QMenu>

using namespace Qt::StringLiterals;

WarningsReview::WarningsReview(QWidget *window, Dialogs &dialogs, Document document)
    : QObject(window)
    , m_window(window)
    , m_dialogs(dialogs)
    , m_document(std::move(document))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] { refresh(); });
}

void WarningsReview::watch(const QAbstractItemModel *model)
{
    const auto changed = [this] { m_settle.start(); };
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this, changed](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                // The marks' own repaint is no change of the document.
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole) || roles.contains(Qt::EditRole))
                    changed();
            });
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
    // Other rows altogether: the old marks would point at the wrong ones.
    connect(model, &QAbstractItemModel::modelReset, this, [this, changed] {
        m_document.mark({});
        changed();
    });
}

QAction *WarningsReview::addCheckAction(QMenu *menu)
{
    auto *action = new QAction(u"&Проверить"_s, menu);
    action->setObjectName(u"checkAction"_s);
    action->setShortcut(Qt::Key_F7);
    menu->addAction(action);
    return action;
}

QList<Warning> WarningsReview::refresh()
{
    m_settle.stop();
    QList<Warning> warnings = m_document.find();
    m_document.mark(warnings);
    return warnings;
}

QList<Dialogs::WarningLine> WarningsReview::lines(const QList<Warning> &warnings) const
{
    QList<Dialogs::WarningLine> lines;
    lines.reserve(warnings.size());
    for (const Warning &w : warnings)
        lines.append({QString::number(w.row + 1), m_document.fieldName(w), w.message});
    return lines;
}

bool WarningsReview::confirmSave()
{
    m_returnedToFix = false;
    const QList<Warning> warnings = refresh();
    if (warnings.isEmpty())
        return true;
    const Dialogs::WarningsAnswer answer =
            m_dialogs.warnings(m_window, lines(warnings), Dialogs::WarningsPurpose::BeforeSave);
    if (answer.save)
        return true;
    m_returnedToFix = true;
    if (answer.chosen >= 0 && answer.chosen < warnings.size())
        m_document.goTo(warnings[answer.chosen]);
    return false;
}

void WarningsReview::review()
{
    const QList<Warning> warnings = refresh();
    if (warnings.isEmpty()) {
        m_dialogs.information(m_window, noWarningsText());
        return;
    }
    const Dialogs::WarningsAnswer answer = m_dialogs.warnings(m_window, lines(warnings), Dialogs::WarningsPurpose::Review);
    if (answer.chosen >= 0 && answer.chosen < warnings.size())
        m_document.goTo(warnings[answer.chosen]);
}

QString WarningsReview::noWarningsText()
{
    return u"Замечаний нет"_s;
}
