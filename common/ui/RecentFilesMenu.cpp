#include "common/ui/RecentFilesMenu.h"

#include "common/RecentFiles.h"

#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

RecentFilesMenu::RecentFilesMenu(const QString &kind, QMenu *fileMenu, QAction *before)
    : QMenu(u"Последние &файлы"_s, fileMenu), m_kind(kind)
{
    setObjectName(u"recentFilesMenu"_s);
    fileMenu->insertMenu(before, this);
    connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::rebuild);
    rebuild();
}

QString RecentFilesMenu::settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u"/recent.ini"_s;
}

void RecentFilesMenu::add(const QString &path)
{
    // Opening the newest file again writes nothing: the list stands.
    QSettings settings(settingsPath(), QSettings::IniFormat);
    if (!RecentFiles(settings, m_kind).add(path))
        return;
    settings.sync();
    rebuild();
}

void RecentFilesMenu::rebuild()
{
    clear();
    QSettings settings(settingsPath(), QSettings::IniFormat);
    const QList<RecentFiles::MenuEntry> entries = RecentFiles(settings, m_kind).menuEntries();
    for (const RecentFiles::MenuEntry &entry : entries) {
        QAction *action = addAction(entry.text);
        action->setEnabled(entry.exists);
        const QString path = entry.path;
        connect(action, &QAction::triggered, this, [this, path] { emit chosen(path); });
    }
    setEnabled(!entries.isEmpty());
}
