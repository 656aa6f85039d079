#include "common/ui/SheetRowsDialog.h"

#include "common/sheet/TableTabText.h"
#include "common/ui/SheetRowsImport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

SheetRowsDialog::SheetRowsDialog(SheetRowsImport &rows, QWidget *parent)
    : QDialog(parent)
    , m_rows(rows)
{
    setWindowTitle(u"Загрузка строк"_s);
    auto *layout = new QVBoxLayout(this);

    m_format = new QLabel(this);
    m_format->setObjectName(u"formatLabel"_s);
    layout->addWidget(m_format);

    auto *columnsGroup = new QGroupBox(u"Столбцы"_s, this);
    auto *form = new QFormLayout(columnsGroup);
    const QList<int> columns = m_rows.columns();
    for (int field = 0; field < m_rows.fieldNames().size(); ++field) {
        auto *box = new QComboBox(columnsGroup);
        box->setObjectName(u"columnBox%1"_s.arg(field));
        for (int column = 0; column < m_rows.columnCount(); ++column)
            box->addItem(ColumnName(m_rows.table(), column));
        box->setCurrentIndex(columns.value(field));
        connect(box, &QComboBox::currentIndexChanged, this, &SheetRowsDialog::columnChosen);
        form->addRow(m_rows.fieldNames()[field] + u":"_s, box);
        m_columnBoxes << box;
    }
    layout->addWidget(columnsGroup);

    m_header = new QLabel(this);
    m_header->setObjectName(u"headerLabel"_s);
    m_header->setWordWrap(true);
    layout->addWidget(m_header);

    m_preview = new QTableWidget(this);
    m_preview->setObjectName(u"previewTable"_s);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setColumnCount(int(m_rows.fieldNames().size()));
    m_preview->setHorizontalHeaderLabels(m_rows.fieldNames());
    layout->addWidget(m_preview, 1);

    m_replacements = new QPlainTextEdit(this);
    m_replacements->setObjectName(u"replacementsText"_s);
    m_replacements->setReadOnly(true);
    m_replacements->setMaximumHeight(80);
    layout->addWidget(m_replacements);

    m_refusal = new QLabel(this);
    m_refusal->setObjectName(u"refusalLabel"_s);
    m_refusal->setWordWrap(true);
    m_refusal->setStyleSheet(u"color: #800000"_s);
    layout->addWidget(m_refusal);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(u"okButton"_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Отмена"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    resize(720, 520);
    showRows();
}

void SheetRowsDialog::columnChosen()
{
    QList<int> columns;
    for (const QComboBox *box : std::as_const(m_columnBoxes))
        columns << box->currentIndex();
    m_rows.setColumns(columns);
    showRows();
}

void SheetRowsDialog::showRows()
{
    m_format->setText(m_rows.formatText() + u"; строк: "_s + QString::number(m_rows.rowCount()));

    const QStringList header = m_rows.headerCells();
    m_header->setText(header.isEmpty() ? u"Строки заголовка нет"_s
                                       : u"Строка заголовка (не загружается): "_s + header.join(u" | "_s));

    const QList<QStringList> rows = m_rows.firstRows(kPreviewRows);
    m_preview->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row)
        for (int field = 0; field < rows[row].size(); ++field)
            m_preview->setItem(row, field, new QTableWidgetItem(rows[row][field]));
    m_preview->resizeColumnsToContents();

    const QStringList notes = m_rows.replacementNotes();
    m_replacements->setPlainText(notes.isEmpty() ? u"Замен нет"_s : u"Заменены буквы:\n"_s + notes.join(u'\n'));

    const TableTabText &tab = m_rows.tabText();
    m_refusal->setText(tab.ok() ? QString() : tab.refusal->message);
    m_refusal->setVisible(!tab.ok());
}
