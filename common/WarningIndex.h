#pragma once

#include "common/Warning.h"

#include <optional>
#include <utility>

// A document's warnings by row, for marking its cells: whether a cell
// carries one and the texts to show there. Kept in row order and looked up
// by halving, so that painting a cell costs the same at any size.
class WarningIndex
{
public:
    // Any order; the columns are the model's.
    void setWarnings(QList<Warning> warnings);
    const QList<Warning> &warnings() const { return m_warnings; }
    bool isEmpty() const { return m_warnings.isEmpty(); }

    // Whether a warning names the cell; the row's column (the number) stands
    // for every warning of its row, also those of cells the view hides.
    bool marks(qsizetype row, int column, int rowColumn) const;
    // The messages of those warnings, one a line; empty when none.
    QString toolTip(qsizetype row, int column, int rowColumn) const;

    // The first and last rows whose marks may differ from other's; nothing when none do.
    std::optional<std::pair<qsizetype, qsizetype>> changedRows(const WarningIndex &other) const;

    // Light amber: light grey in a grey preview, apart from white; the
    // marked text is bold besides.
    static constexpr unsigned kTintRgb = 0xFFE08A;

private:
    std::pair<const Warning *, const Warning *> rowRange(qsizetype row) const;

    QList<Warning> m_warnings;
};
