#pragma once

#include "common/ui/StringGridView.h"

class ClientTableModel;

// mainGrid of the client window: the read-only client table with the model's
// headers, rows of 25 pixels (24 and the grid line), columns 0 to 8 shown.
// A click selects a row; the arrow keys move up and down, the page keys by
// the rows in view, Ctrl+Home and Ctrl+End to the first and last client.
// The current row is always scrolled into view.
class ClientGrid : public StringGridView
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 25;

    explicit ClientGrid(QWidget *parent = nullptr);

    void setClientModel(ClientTableModel *model);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int rowsInView() const;
    void showCurrentRow();
};
