#include "common/sheet/TableTabText.h"

#include "common/Cp1251.h"
#include "common/Cp1251Fit.h"
#include "common/Digits.h"
#include "common/TextRoutines.h"
#include "common/sheet/SheetCells.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const ImportCell kNoCell;

const ImportCell &CellAt(const ImportRow &row, int column)
{
    return column >= 0 && column < row.cells.size() ? row.cells[column] : kNoCell;
}

bool IsHeader(const ImportRow &row, const TableLayout &layout)
{
    if (layout.header != HeaderMode::Auto)
        return layout.header == HeaderMode::Yes;
    const ImportCell &amount = CellAt(row, layout.columnOf(layout.amountField));
    if (layout.amountField >= 0 && amount.kind == ImportCell::Text && !IsAmountText(amount.text))
        return true;
    const ImportCell &date = CellAt(row, layout.columnOf(layout.dateField));
    return layout.dateField >= 0 && date.kind == ImportCell::Text && !IsDateText(date.text);
}

bool HasMappedCell(const ImportRow &row, const TableLayout &layout)
{
    for (int field = 0; field < layout.fieldCount; ++field)
        if (CellAt(row, layout.columnOf(field)).kind != ImportCell::Empty)
            return true;
    return false;
}

bool IsDefaultLayout(const TableLayout &layout)
{
    for (int field = 0; field < layout.columns.size(); ++field)
        if (layout.columns[field] != field)
            return false;
    return true;
}

bool SplitsLine(QChar c)
{
    return c == u'\t' || c == u'\r' || c == u'\n' || c.unicode() == 0;
}

// A cell's text on one line: TAB and line ends would split the row.
QString OneLine(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), SplitsLine))
        return text;
    QString line = text;
    std::replace_if(line.begin(), line.end(), SplitsLine, u' ');
    return line;
}

} // namespace

QString ColumnName(const ImportTable &table, int column)
{
    return table.isWorkbook() ? ColumnLetters(column) : QString::number(column + 1);
}

QString CellPlace(const ImportTable &table, int row, int column)
{
    return u"Строка "_s + QString::number(row) + u", столбец "_s + ColumnName(table, column) + u": "_s;
}

TableTabText ToTabText(const ImportTable &table, const TableLayout &layout)
{
    TableTabText out;
    if (table.isPlainTabText() && layout.header != HeaderMode::Yes && IsDefaultLayout(layout)) {
        out.bytes = table.source;
        return out;
    }
    if (!table.rows.isEmpty() && IsHeader(table.rows.first(), layout))
        out.headerRow = table.rows.first().row;

    out.bytes.reserve(table.rows.size() * layout.fieldCount * 16);
    int line = 1;
    for (const ImportRow &row : table.rows) {
        for (; line < row.row; ++line)
            out.bytes += "\r\n";
        ++line;
        for (int field = 0; field < layout.fieldCount && row.row != out.headerRow; ++field) {
            if (field > 0)
                out.bytes += '\t';
            const int column = layout.columnOf(field);
            const ImportCell &cell = CellAt(row, column);
            const auto refuse = [&](const QString &why) {
                out.refusal = TableRefusal{row.row, column, CellPlace(table, row.row, column) + why};
                out.bytes.clear();
                out.replacements.clear();
                return out;
            };
            if (cell.kind == ImportCell::Empty) {
                // An empty amount would count as zero: in .xls it may be a formula unread.
                if (field == layout.amountField && table.formulasUnread && HasMappedCell(row, layout))
                    return refuse(u"сумма пуста. Формулы из файлов .xls не читаются: "
                                  u"сохраните книгу как .xlsx или .ods"_s);
                continue;
            }
            if (field == layout.cardField && cell.kind == ImportCell::Number && NumberLostDigits(cell.text))
                return refuse(u"номер карты записан числом "_s + cell.text
                              + u" и потерял цифры. Храните номера карт как текст"_s);
            if (field == layout.amountField && cell.kind != ImportCell::Number && !IsAmountText(cell.text))
                return refuse(u"сумма «"_s + Excerpt(cell.text) + u"» не число"_s);
            const QString text = OneLine(cell.text);
            if (Cp1251::canEncode(text)) {
                Cp1251::appendEncoded(out.bytes, text);
                continue;
            }
            const Cp1251Fit fit = Cp1251Fit::of(text);
            if (!fit.accepted())
                return refuse(RefusedCharacterNote(fit.refused));
            for (QChar c : fit.replaced)
                out.replacements.append({row.row, column, c, UsualCp1251Letter(c)});
            Cp1251::appendEncoded(out.bytes, fit.text);
        }
        out.bytes += "\r\n";
    }
    return out;
}

std::optional<QList<int>> ParseColumns(QStringView text)
{
    QList<int> columns;
    for (QStringView part : text.split(u',')) {
        part = part.trimmed();
        if (part.isEmpty() || part.size() > 3)
            return std::nullopt;
        int column = 0;
        if (AllAsciiDigits(part)) {
            column = part.toInt() - 1;
        } else {
            for (QChar c : part) {
                const char16_t letter = c.toUpper().unicode();
                if (letter < u'A' || letter > u'Z')
                    return std::nullopt;
                column = column * 26 + (letter - u'A' + 1);
            }
            --column;
        }
        if (column < 0)
            return std::nullopt;
        columns.append(column);
    }
    return columns;
}
