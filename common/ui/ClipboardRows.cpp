#include "common/ui/ClipboardRows.h"

#include "common/sheet/DelimitedText.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

QList<QStringList> TabTextRows(const QString &text)
{
    QList<QStringList> rows;
    int next = 1;
    for (DelimitedRecord &record : SplitDelimited(text, u'\t')) {
        // Blank rows are left out by the splitter; they stay rows here.
        for (; next < record.row; ++next)
            rows.append(QStringList());
        ++next;
        rows.append(std::move(record.fields));
    }
    return rows;
}

QList<QStringList> HtmlTableRows(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    const QList<QTextFrame *> frames = document.rootFrame()->childFrames();
    for (QTextFrame *frame : frames) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        QList<QStringList> rows;
        for (int r = 0; r < table->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                cells << cursor.selectedText().replace(QChar::ParagraphSeparator, u' ').trimmed();
            }
            rows << cells;
        }
        return rows;
    }
    return {};
}

QList<QStringList> ClipboardRows(const QMimeData *data)
{
    if (!data)
        return {};
    if (data->hasText()) {
        const QString text = data->text();
        if (text.contains(u'\t') || text.contains(u'\n') || !data->hasHtml())
            return TabTextRows(text);
    }
    return data->hasHtml() ? HtmlTableRows(data->html()) : QList<QStringList>();
}

QByteArray ClipboardRowsText(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (QString cell : row) {
            if (cell.contains(u'\t') || cell.contains(u'"') || cell.contains(u'\n') || cell.contains(u'\r'))
                cell = u'"' + cell.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
            cells << cell;
        }
        text += cells.join(u'\t') + QStringLiteral("\r\n");
    }
    // The byte order mark tells it from the import's own Windows-1251 text.
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}
