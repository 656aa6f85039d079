#include "payroll/ui/PayrollCellDelegate.h"

#include "common/Cp1251Fit.h"
#include "common/ui/Cp1251InputFilter.h"
#include "payroll/PayrollModel.h"
#include "payroll/ui/PayrollGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

PayrollCellDelegate::PayrollCellDelegate(PayrollGrid *grid)
    : QStyledItemDelegate(grid)
    , m_grid(grid)
{
}

QWidget *PayrollCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setFocusPolicy(Qt::ClickFocus);
    // Every way in for text passes the event filter: no context menu, no
    // drops, no input method composing beside the key events.
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    editor->setAcceptDrops(false);
    editor->setAttribute(Qt::WA_InputMethodEnabled, false);
    auto *self = const_cast<PayrollCellDelegate *>(this);
    connect(editor, &QLineEdit::textChanged, self, [self, editor] {
        if (!self->m_loading)
            emit self->commitData(editor); // each keystroke is written to the cell at once
    });
    return editor;
}

void PayrollCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *line = static_cast<QLineEdit *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text) {
        m_loading = true;
        line->setText(text);
        m_loading = false;
    }
    showFrame(line, index);
}

void PayrollCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *line = static_cast<QLineEdit *>(editor);
    model->setData(index, line->text());
    showFrame(line, index);
}

void PayrollCellDelegate::showFrame(QLineEdit *editor, const QModelIndex &index)
{
    const auto *model = qobject_cast<const PayrollModel *>(index.model());
    const bool bad = model && index.column() == PayrollModel::CardColumn && model->isBadCard(index.row());
    if (editor->property("badCard").toBool() == bad)
        return;
    editor->setProperty("badCard", bad);
    editor->setStyleSheet(bad ? u"QLineEdit { border: 1px solid rgb(255, 98, 0); }"_s : QString());
}

void PayrollCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const auto *model = qobject_cast<const PayrollModel *>(index.model());
    if (model && index.column() == PayrollModel::CardColumn && model->isBadCard(index.row())) {
        painter->save();
        painter->setPen(frameColor());
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

bool PayrollCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QLineEdit *>(object);
    if (!editor)
        return QStyledItemDelegate::eventFilter(object, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return editorKeyPress(editor, static_cast<QKeyEvent *>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        // The middle button would paste the selection past the filter.
        return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton;
    default:
        // The editor stays open when the focus leaves it.
        return false;
    }
}

bool PayrollCellDelegate::editorKeyPress(QLineEdit *editor, QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        paste(editor);
        return true;
    }
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)
        || event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Undo)
        || event->matches(QKeySequence::Redo))
        return false;

    if (m_grid->offerKeyDown(event->key(), event->modifiers()))
        return true;

    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        m_grid->moveBy(event->key() == Qt::Key_Tab ? StringGridView::Move::Next : StringGridView::Move::Previous);
        QChar tab(u'\t');
        m_grid->offerKeyPress(tab);
        return true;
    }
    case Qt::Key_Up:
        m_grid->moveBy(StringGridView::Move::Up);
        return true;
    case Qt::Key_Down:
        m_grid->moveBy(StringGridView::Move::Down);
        return true;
    case Qt::Key_Left:
        // The caret moves inside the text; from its start on to the cell on the left.
        if (editor->cursorPosition() > 0 || editor->hasSelectedText())
            return false;
        m_grid->moveBy(StringGridView::Move::Left);
        return true;
    case Qt::Key_Right:
        if (editor->cursorPosition() < editor->text().size() || editor->hasSelectedText())
            return false;
        m_grid->moveBy(StringGridView::Move::Right);
        return true;
    default:
        break;
    }

    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Delete)
        return false; // not a typed character: the editor's own
    // Alt with a letter belongs to the menus, never to the cell.
    if ((event->modifiers() & Qt::AltModifier) && !(event->modifiers() & Qt::ControlModifier))
        return true;
    if (text.size() == 1 && (text[0] < u' ' || text[0] == QChar(0x7F))) {
        // Backspace is the grid's to refuse; other control characters never go into a cell.
        QChar c = text[0];
        m_grid->offerKeyPress(c);
        return c != u'\b';
    }
    const QString typed = m_grid->typedAs(text);
    const Cp1251InputFilter::Typed fit =
            Cp1251InputFilter::fitTyped(typed, [this](QChar c) { return m_grid->acceptsTyped(c); });
    if (!fit.note.isEmpty())
        emit inputNoted(fit.note);
    else if (fit.text.size() < typed.size())
        emit inputNoted(m_grid->refusedKeyNote(typed));
    if (fit.text == text)
        return false;
    if (!fit.text.isEmpty())
        editor->insert(fit.text);
    return true;
}

void PayrollCellDelegate::paste(QLineEdit *editor)
{
    if (m_grid->pasteRows())
        return;
    QString text = QGuiApplication::clipboard()->text();
    // Line breaks, TABs and other control characters would break the
    // register's line in the file: the text goes in as one line.
    text.removeIf([](QChar c) { return c < u' '; });
    if (text.isEmpty())
        return;
    const Cp1251Fit fit = Cp1251Fit::of(text);
    if (const QString note = fit.note(); !note.isEmpty())
        emit inputNoted(note);
    if (fit.accepted())
        editor->insert(fit.text);
}
