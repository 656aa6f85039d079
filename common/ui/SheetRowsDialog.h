#pragma once

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTableWidget;
class SheetRowsImport;

// The preview of rows about to be imported: the first rows as the document
// will take them, the header row apart, the format, the row count, the
// replacements made, and a column choice for every field of the document.
class SheetRowsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SheetRowsDialog(SheetRowsImport &rows, QWidget *parent = nullptr);

    static constexpr int kPreviewRows = 20;

private:
    void columnChosen();
    void showRows();

    SheetRowsImport &m_rows;
    QList<QComboBox *> m_columnBoxes;
    QLabel *m_format = nullptr;
    QLabel *m_header = nullptr;
    QLabel *m_refusal = nullptr;
    QTableWidget *m_preview = nullptr;
    QPlainTextEdit *m_replacements = nullptr;
};
