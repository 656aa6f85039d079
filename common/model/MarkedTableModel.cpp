#include "common/model/MarkedTableModel.h"

#include <QColor>
#include <QFont>

QVariant MarkedTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return columnTitle(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void MarkedTableModel::markWarnings(QList<Warning> warnings)
{
    WarningIndex next;
    next.setWarnings(std::move(warnings));
    const auto changed = next.changedRows(m_warnings);
    m_warnings = std::move(next);
    const int last = rowCount() - 1;
    if (!changed || changed->first > last)
        return;
    emit dataChanged(index(int(changed->first), 0), index(std::min(int(changed->second), last), columnCount() - 1),
                     {Qt::BackgroundRole, Qt::FontRole, Qt::ToolTipRole});
}

QVariant MarkedTableModel::markData(const QModelIndex &index, int role) const
{
    constexpr int kRowColumn = 0;
    if (index.row() >= rowCount() || !m_warnings.marks(index.row(), index.column(), kRowColumn))
        return {};
    switch (role) {
    case Qt::BackgroundRole:
        return QColor::fromRgb(WarningIndex::kTintRgb);
    case Qt::FontRole: {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    default:
        return m_warnings.toolTip(index.row(), index.column(), kRowColumn);
    }
}
