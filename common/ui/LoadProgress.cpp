#include "common/ui/LoadProgress.h"

#include "common/UserError.h"
#include "common/ui/Dialogs.h"

#include <QProgressDialog>

using namespace Qt::StringLiterals;

LoadProgressDialog::LoadProgressDialog(QWidget *parent)
    : m_dialog(std::make_unique<QProgressDialog>(u"Загрузка файла..."_s, QString(), 0, 3, parent))
{
    m_dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setCancelButton(nullptr);
    m_dialog->setMinimumDuration(500);
    m_dialog->setValue(0);
}

LoadProgressDialog::~LoadProgressDialog() = default;

void LoadProgressDialog::step()
{
    m_dialog->setValue(m_dialog->value() + 1);
}

LoadProgress::LoadProgress(Dialogs &dialogs, QWidget *parent)
    : m_dialogs(dialogs)
    , m_parent(parent)
    , m_display(dialogs.loadProgress(parent))
{
}

LoadProgress::~LoadProgress() = default;

void LoadProgress::step()
{
    if (m_display)
        m_display->step();
}

void LoadProgress::finish()
{
    m_display.reset();
}

bool LoadProgress::attempt(const std::function<void()> &stage)
{
    try {
        stage();
        return true;
    } catch (const UserError &e) {
        finish();
        m_dialogs.information(m_parent, e.text());
        return false;
    }
}
