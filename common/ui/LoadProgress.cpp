#include "common/ui/LoadProgress.h"

#include <QProgressDialog>

using namespace Qt::StringLiterals;

LoadProgress::LoadProgress(QWidget *parent)
    : m_dialog(std::make_unique<QProgressDialog>(u"Загрузка файла..."_s, QString(), 0, 3, parent))
{
    m_dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setCancelButton(nullptr);
    m_dialog->setMinimumDuration(500);
    m_dialog->setValue(0);
}

LoadProgress::~LoadProgress() = default;

void LoadProgress::step()
{
    if (m_dialog)
        m_dialog->setValue(m_dialog->value() + 1);
}

void LoadProgress::finish()
{
    m_dialog.reset();
}
