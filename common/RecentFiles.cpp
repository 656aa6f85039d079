#include "common/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

// The same file, whichever way it was named; a missing one by its absolute path.
QString CanonicalPath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

RecentFiles::RecentFiles(QSettings &settings, const QString &kind)
    : m_settings(settings), m_key(u"recentFiles/"_s + kind)
{
}

QStringList RecentFiles::files() const
{
    QStringList files = m_settings.value(m_key).toStringList();
    files.removeAll(QString());
    files.removeDuplicates();
    if (files.size() > kMaxCount)
        files.resize(kMaxCount);
    return files;
}

bool RecentFiles::add(const QString &path)
{
    const QString file = CanonicalPath(path);
    QStringList list = files();
    if (!list.isEmpty() && list.first() == file)
        return false;
    list.removeAll(file);
    list.prepend(file);
    store(list);
    return true;
}

void RecentFiles::remove(const QString &path)
{
    QStringList list = files();
    list.removeAll(CanonicalPath(path));
    store(list);
}

void RecentFiles::clear()
{
    m_settings.remove(m_key);
}

QList<RecentFiles::MenuEntry> RecentFiles::menuEntries() const
{
    QList<MenuEntry> entries;
    for (const QString &file : files()) {
        const bool exists = QFileInfo(file).isFile();
        entries.append({file, RecentFileMenuText(file, exists), exists});
    }
    return entries;
}

void RecentFiles::store(const QStringList &files)
{
    m_settings.setValue(m_key, files.mid(0, kMaxCount));
}

QString RecentFileMenuText(const QString &path, bool exists)
{
    const QFileInfo info(path);
    QString text = info.fileName() + u" — "_s + QDir::toNativeSeparators(info.absolutePath());
    if (!exists)
        text += u" (нет файла)"_s;
    return text.replace(u'&', u"&&"_s);
}
