#include "common/ui/WarningsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

WarningsDialog::WarningsDialog(const QList<Dialogs::WarningLine> &lines, Dialogs::WarningsPurpose purpose,
                               QWidget *parent)
    : QDialog(parent)
    , m_purpose(purpose)
    , m_list(new QTreeWidget(this))
{
    const bool beforeSave = purpose == Dialogs::WarningsPurpose::BeforeSave;
    setWindowTitle(beforeSave ? u"Сохранение файла"_s : u"Проверка"_s);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(beforeSave ? u"Замечаний: %1. Банк может не принять такой файл. Сохранить всё же?"_s.arg(lines.size())
                                        : u"Замечаний: %1."_s.arg(lines.size()),
                             this);
    label->setObjectName(u"summaryLabel"_s);
    label->setWordWrap(true);
    layout->addWidget(label);

    m_list->setObjectName(u"warningsList"_s);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({u"Строка"_s, u"Поле"_s, u"Замечание"_s});
    QList<QTreeWidgetItem *> items;
    items.reserve(lines.size());
    for (const Dialogs::WarningLine &line : lines)
        items.append(new QTreeWidgetItem(QStringList{line.row, line.field, line.text}));
    m_list->addTopLevelItems(items);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    if (!items.isEmpty())
        m_list->setCurrentItem(items.first());
    layout->addWidget(m_list);

    auto *buttons = new QDialogButtonBox(this);
    m_saveOrGo = buttons->addButton(beforeSave ? u"&Сохранить"_s : u"&Перейти"_s,
                                    QDialogButtonBox::AcceptRole);
    m_back = buttons->addButton(beforeSave ? u"&Вернуться к исправлению"_s : u"&Закрыть"_s,
                                QDialogButtonBox::RejectRole);
    m_saveOrGo->setObjectName(beforeSave ? u"saveButton"_s : u"goButton"_s);
    m_back->setObjectName(beforeSave ? u"returnButton"_s : u"closeButton"_s);
    QPushButton *fallback = beforeSave ? m_back : m_saveOrGo;
    m_saveOrGo->setAutoDefault(false);
    m_back->setAutoDefault(false);
    fallback->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A double-clicked line is the chosen one, for the default answer.
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this, beforeSave] { beforeSave ? reject() : accept(); });

    m_list->setFocus();
    resize(640, 360);
}

int WarningsDialog::chosenLine() const
{
    QTreeWidgetItem *item = m_list->currentItem();
    return item ? m_list->indexOfTopLevelItem(item) : -1;
}

Dialogs::WarningsAnswer WarningsDialog::answer() const
{
    const bool accepted = result() == QDialog::Accepted;
    if (m_purpose == Dialogs::WarningsPurpose::BeforeSave)
        return {accepted, accepted ? -1 : chosenLine()};
    return {false, accepted ? chosenLine() : -1};
}
