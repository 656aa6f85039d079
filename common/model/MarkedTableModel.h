#pragma once

#include "common/Warning.h"
#include "common/WarningIndex.h"

#include <QAbstractTableModel>

// A document's table of text cells with its warnings marked: a marked cell
// is tinted and bold, with the warnings as its tooltip; the row-number
// column stands for the row and for the cells the view hides.
class MarkedTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Any order, the columns the model's; rows whose marks change are repainted.
    void markWarnings(QList<Warning> warnings);
    const WarningIndex &warningIndex() const { return m_warnings; }

protected:
    // The column's title above the table.
    virtual QString columnTitle(int column) const = 0;
    static bool isMarkRole(int role)
    {
        return role == Qt::BackgroundRole || role == Qt::FontRole || role == Qt::ToolTipRole;
    }
    // The tint, the bold font or the tooltip of a cell; nothing when unmarked.
    QVariant markData(const QModelIndex &index, int role) const;

private:
    WarningIndex m_warnings;
};
