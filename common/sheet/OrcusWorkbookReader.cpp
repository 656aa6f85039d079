#include "common/sheet/OrcusWorkbookReader.h"

#include "common/sheet/OrcusCellReferences.h"
#include "common/sheet/SheetCells.h"

#include <QHash>

#include <orcus/format_detection.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace ss = orcus::spreadsheet;

namespace {

QString FromUtf8(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// A cell as the importer gave it; numbers wait for the cell's format,
// which may come after the value.
struct RawCell
{
    int row = 0;
    int column = 0;
    ImportCell::Kind kind = ImportCell::Empty;
    double number = 0;
    QString text;
};

class Strings final : public ss::iface::import_shared_strings
{
public:
    size_t append(std::string_view s) override
    {
        m_strings.push_back(FromUtf8(s));
        return m_strings.size() - 1;
    }
    size_t add(std::string_view s) override
    {
        const auto found = m_index.find(std::string(s));
        if (found != m_index.end())
            return found->second;
        const size_t id = append(s);
        m_index.emplace(std::string(s), id);
        return id;
    }
    void set_segment_font(size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { m_segments += FromUtf8(s); }
    size_t commit_segments() override
    {
        m_strings.push_back(m_segments);
        m_segments.clear();
        return m_strings.size() - 1;
    }

    QString at(size_t id) const { return id < m_strings.size() ? m_strings[id] : QString(); }

private:
    std::vector<QString> m_strings;
    std::unordered_map<std::string, size_t> m_index;
    QString m_segments;
};

// Only what tells a date from a number: the number formats and the cell
// formats that use them.
class Styles final : public ss::iface::import_styles
{
public:
    bool isDate(size_t xf) const { return xf < m_dateXfs.size() && m_dateXfs[xf]; }

    void set_number_format_count(size_t) override {}
    void set_number_format_identifier(size_t id) override { m_formatId = id; }
    void set_number_format_code(std::string_view s) override { m_formatCode = s; }
    size_t commit_number_format() override
    {
        const bool date = IsDateFormatCode(m_formatCode);
        m_formatById[m_formatId] = date;
        m_formats.push_back(date);
        m_formatId = 0;
        m_formatCode.clear();
        return m_formats.size() - 1;
    }
    void set_xf_number_format(size_t index) override { m_xfFormat = index; }
    size_t commit_cell_xf() override
    {
        // The .xlsx importer names a format by its identifier, built-in ones included.
        const auto byId = m_formatById.find(m_xfFormat);
        const bool date = byId != m_formatById.end() ? byId->second
                                                     : IsBuiltinDateFormat(int(m_xfFormat));
        m_dateXfs.push_back(date);
        m_xfFormat = 0;
        return m_dateXfs.size() - 1;
    }

    void set_font_count(size_t) override {}
    void set_font_bold(bool) override {}
    void set_font_italic(bool) override {}
    void set_font_name(std::string_view) override {}
    void set_font_size(double) override {}
    void set_font_underline(ss::underline_t) override {}
    void set_font_underline_width(ss::underline_width_t) override {}
    void set_font_underline_mode(ss::underline_mode_t) override {}
    void set_font_underline_type(ss::underline_type_t) override {}
    void set_font_underline_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_strikethrough_style(ss::strikethrough_style_t) override {}
    void set_strikethrough_type(ss::strikethrough_type_t) override {}
    void set_strikethrough_width(ss::strikethrough_width_t) override {}
    void set_strikethrough_text(ss::strikethrough_text_t) override {}
    size_t commit_font() override { return 0; }
    void set_fill_count(size_t) override {}
    void set_fill_pattern_type(ss::fill_pattern_t) override {}
    void set_fill_fg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_fill_bg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    size_t commit_fill() override { return 0; }
    void set_border_count(size_t) override {}
    void set_border_style(ss::border_direction_t, ss::border_style_t) override {}
    void set_border_color(ss::border_direction_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                          ss::color_elem_t) override {}
    void set_border_width(ss::border_direction_t, double, orcus::length_unit_t) override {}
    size_t commit_border() override { return 0; }
    void set_cell_hidden(bool) override {}
    void set_cell_locked(bool) override {}
    void set_cell_print_content(bool) override {}
    void set_cell_formula_hidden(bool) override {}
    size_t commit_cell_protection() override { return 0; }
    void set_cell_xf_count(size_t) override {}
    void set_cell_style_xf_count(size_t) override {}
    void set_dxf_count(size_t) override {}
    void set_xf_font(size_t) override {}
    void set_xf_fill(size_t) override {}
    void set_xf_border(size_t) override {}
    void set_xf_protection(size_t) override {}
    void set_xf_style_xf(size_t) override {}
    void set_xf_apply_alignment(bool) override {}
    void set_xf_horizontal_alignment(ss::hor_alignment_t) override {}
    void set_xf_vertical_alignment(ss::ver_alignment_t) override {}
    size_t commit_cell_style_xf() override { m_xfFormat = 0; return 0; }
    size_t commit_dxf() override { m_xfFormat = 0; return 0; }
    void set_cell_style_count(size_t) override {}
    void set_cell_style_name(std::string_view) override {}
    void set_cell_style_xf(size_t) override {}
    void set_cell_style_builtin(size_t) override {}
    void set_cell_style_parent_name(std::string_view) override {}
    size_t commit_cell_style() override { return 0; }

private:
    size_t m_formatId = 0;
    std::string m_formatCode;
    std::unordered_map<size_t, bool> m_formatById;
    std::vector<bool> m_formats;
    size_t m_xfFormat = 0;
    std::vector<bool> m_dateXfs;
};

class Sheet;

// A formula cell is its stored result.
class Formula final : public ss::iface::import_formula
{
public:
    explicit Formula(Sheet &sheet) : m_sheet(sheet) {}
    void set_position(ss::row_t row, ss::col_t col) override
    {
        m_cell = RawCell();
        m_cell.row = int(row);
        m_cell.column = int(col);
    }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(size_t) override {}
    void set_result_string(std::string_view value) override
    {
        m_cell.kind = ImportCell::Text;
        m_cell.text = FromUtf8(value);
    }
    void set_result_value(double value) override
    {
        m_cell.kind = ImportCell::Number;
        m_cell.number = value;
    }
    void set_result_bool(bool value) override { set_result_value(value ? 1 : 0); }
    void set_result_empty() override { m_cell.kind = ImportCell::Empty; }
    void commit() override;

private:
    Sheet &m_sheet;
    RawCell m_cell;
};

class Sheet final : public ss::iface::import_sheet
{
public:
    Sheet(QString name, const Strings &strings, const Styles &styles)
        : m_name(std::move(name)), m_strings(strings), m_styles(styles), m_formula(*this)
    {
    }

    ss::iface::import_formula *get_formula() override { return &m_formula; }

    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override
    {
        add({int(row), int(col), ImportCell::Text, 0, FromUtf8(s)});
    }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t sindex) override
    {
        add({int(row), int(col), ImportCell::Text, 0, m_strings.at(sindex)});
    }
    void set_value(ss::row_t row, ss::col_t col, double value) override
    {
        add({int(row), int(col), ImportCell::Number, value, {}});
    }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override { set_value(row, col, value ? 1 : 0); }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int, int, double) override
    {
        const QDate date(year, month, day);
        add({int(row), int(col), ImportCell::Date, 0,
             date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString()});
    }
    // A cell's format comes just before or after its value; only a number's is kept.
    void set_format(ss::row_t row, ss::col_t col, size_t xf) override
    {
        const quint64 place = Place(int(row), int(col));
        if (!m_numbers.empty() && Place(m_numbers.back().row, m_numbers.back().column) == place)
            m_numbers.back().xf = xf;
        else if (xf != 0)
            m_pendingFormat = {place, xf};
    }
    void set_format(ss::row_t rowStart, ss::col_t colStart, ss::row_t rowEnd, ss::col_t colEnd, size_t xf) override
    {
        m_formatRanges.push_back({int(rowStart), int(colStart), int(rowEnd), int(colEnd), xf});
    }
    void fill_down_cells(ss::row_t srcRow, ss::col_t srcCol, ss::row_t rangeSize) override
    {
        RawCell source;
        source.row = int(srcRow);
        source.column = int(srcCol);
        for (auto it = m_numbers.rbegin(); it != m_numbers.rend(); ++it)
            if (it->row == source.row && it->column == source.column) {
                source.kind = ImportCell::Number;
                source.number = it->number;
                break;
            }
        if (source.kind == ImportCell::Empty) {
            const ImportRow *row = findRow(source.row);
            if (!row || source.column >= row->cells.size())
                return;
            source.kind = row->cells[source.column].kind;
            source.text = row->cells[source.column].text;
        }
        for (int k = 1; k <= int(rangeSize); ++k) {
            RawCell copy = source;
            copy.row += k;
            add(std::move(copy));
        }
    }
    ss::range_size_t get_sheet_size() const override { return {1048576, 16384}; }

    // Cells come row by row in the files' order; any other order is sorted at the end.
    void add(RawCell cell)
    {
        if (cell.kind == ImportCell::Empty)
            return;
        if (!m_late.empty() || (!m_rows.isEmpty() && m_rows.last().row > cell.row + 1)) {
            m_late.push_back(std::move(cell));
            return;
        }
        if (m_rows.isEmpty() || m_rows.last().row != cell.row + 1)
            m_rows.append(ImportRow{cell.row + 1, {}});
        QList<ImportCell> &cells = m_rows.last().cells;
        if (cells.size() <= cell.column)
            cells.resize(cell.column + 1);
        if (cell.kind == ImportCell::Number) {
            const quint64 place = Place(cell.row, cell.column);
            m_numbers.push_back({cell.row, cell.column, cell.number, m_pendingFormat.first == place ? m_pendingFormat.second
                                                                                               : kNoFormat});
        }
        cells[cell.column] = ImportCell{std::move(cell.text), cell.kind};
    }

    WorkbookSheet finish(QDate origin)
    {
        if (!m_late.empty())
            resort();
        qsizetype r = 0;
        for (const NumberCell &number : m_numbers) {
            while (m_rows[r].row != number.row + 1)
                ++r;
            ImportCell &cell = m_rows[r].cells[number.column];
            if (cell.kind != ImportCell::Number)
                continue; // written over by a later value
            const QString date = isDate(number) ? SerialDateText(number.number, origin) : QString();
            cell.kind = date.isEmpty() ? ImportCell::Number : ImportCell::Date;
            cell.text = date.isEmpty() ? NumberCellText(number.number) : date;
        }
        m_numbers = {};
        return WorkbookSheet{m_name, std::move(m_rows)};
    }

private:
    static constexpr size_t kNoFormat = size_t(-1);
    struct NumberCell { int row; int column; double number; size_t xf = kNoFormat; };
    struct FormatRange { int rowStart; int colStart; int rowEnd; int colEnd; size_t xf; };

    static quint64 Place(int row, int column) { return quint64(quint32(row)) << 32 | quint32(column); }

    bool isDate(const NumberCell &number) const
    {
        if (number.xf != kNoFormat)
            return m_styles.isDate(number.xf);
        for (const FormatRange &range : m_formatRanges)
            if (number.row >= range.rowStart && number.row <= range.rowEnd && number.column >= range.colStart
                && number.column <= range.colEnd)
                return m_styles.isDate(range.xf);
        return false;
    }

    const ImportRow *findRow(int row) const
    {
        for (auto it = m_rows.crbegin(); it != m_rows.crend(); ++it)
            if (it->row == row + 1)
                return &*it;
        return nullptr;
    }

    void resort()
    {
        std::vector<RawCell> cells = std::move(m_late);
        m_late = {};
        for (const ImportRow &row : m_rows)
            for (int column = 0; column < row.cells.size(); ++column)
                if (row.cells[column].kind != ImportCell::Empty)
                    cells.push_back({row.row - 1, column, row.cells[column].kind, 0, row.cells[column].text});
        QHash<quint64, NumberCell> numbers;
        for (const NumberCell &number : m_numbers)
            numbers.insert(Place(number.row, number.column), number);
        for (RawCell &cell : cells)
            if (cell.kind == ImportCell::Number)
                cell.number = numbers.value(Place(cell.row, cell.column), NumberCell{0, 0, cell.number}).number;
        std::stable_sort(cells.begin(), cells.end(), [](const RawCell &a, const RawCell &b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        });
        m_rows.clear();
        m_numbers.clear();
        for (RawCell &cell : cells) {
            const NumberCell number = numbers.value(Place(cell.row, cell.column));
            m_pendingFormat = {Place(cell.row, cell.column), number.xf};
            add(std::move(cell));
        }
    }

    QString m_name;
    const Strings &m_strings;
    const Styles &m_styles;
    Formula m_formula;
    QList<ImportRow> m_rows;
    std::vector<NumberCell> m_numbers;
    std::vector<RawCell> m_late;
    std::pair<quint64, size_t> m_pendingFormat{quint64(-1), kNoFormat};
    std::vector<FormatRange> m_formatRanges;
};

void Formula::commit()
{
    m_sheet.add(std::move(m_cell));
    m_cell = {};
}

class Settings final : public ss::iface::import_global_settings
{
public:
    void set_origin_date(int year, int month, int day) override { origin = QDate(year, month, day); }
    void set_default_formula_grammar(ss::formula_grammar_t grammar) override { m_grammar = grammar; }
    ss::formula_grammar_t get_default_formula_grammar() const override { return m_grammar; }
    void set_character_set(orcus::character_set_t) override {}

    QDate origin{1899, 12, 30};

private:
    ss::formula_grammar_t m_grammar = ss::formula_grammar_t::unknown;
};

class Factory final : public ss::iface::import_factory
{
public:
    ss::iface::import_reference_resolver *get_reference_resolver(ss::formula_ref_context_t) override
    {
        return &m_references;
    }
    ss::iface::import_global_settings *get_global_settings() override { return &m_settings; }
    ss::iface::import_shared_strings *get_shared_strings() override { return &m_strings; }
    ss::iface::import_styles *get_styles() override { return &m_styles; }
    ss::iface::import_sheet *append_sheet(ss::sheet_t, std::string_view name) override
    {
        m_sheets.push_back(std::make_unique<Sheet>(FromUtf8(name), m_strings, m_styles));
        m_names.push_back(std::string(name));
        return m_sheets.back().get();
    }
    ss::iface::import_sheet *get_sheet(std::string_view name) override
    {
        for (size_t i = 0; i < m_names.size(); ++i)
            if (m_names[i] == name)
                return m_sheets[i].get();
        return nullptr;
    }
    ss::iface::import_sheet *get_sheet(ss::sheet_t index) override
    {
        return index >= 0 && size_t(index) < m_sheets.size() ? m_sheets[size_t(index)].get() : nullptr;
    }
    void finalize() override {}

    QList<WorkbookSheet> sheets()
    {
        QList<WorkbookSheet> sheets;
        for (auto &sheet : m_sheets)
            sheets.append(sheet->finish(m_settings.origin));
        return sheets;
    }

private:
    Settings m_settings;
    OrcusCellReferences m_references;
    Strings m_strings;
    Styles m_styles;
    std::vector<std::unique_ptr<Sheet>> m_sheets;
    std::vector<std::string> m_names;
};

} // namespace

ImportFormat OrcusWorkbookReader::detect(const QByteArray &bytes)
{
    switch (orcus::detect(reinterpret_cast<const unsigned char *>(bytes.constData()), size_t(bytes.size()))) {
    case orcus::format_t::xlsx: return ImportFormat::Xlsx;
    case orcus::format_t::ods: return ImportFormat::Ods;
    default: return ImportFormat::Text;
    }
}

QList<WorkbookSheet> OrcusWorkbookReader::read(const QByteArray &bytes, ImportFormat format)
{
    Factory factory;
    const std::string_view stream(bytes.constData(), size_t(bytes.size()));
    if (format == ImportFormat::Xlsx) {
        orcus::orcus_xlsx filter(&factory);
        filter.read_stream(stream);
    } else {
        orcus::orcus_ods filter(&factory);
        filter.read_stream(stream);
    }
    return factory.sheets();
}
