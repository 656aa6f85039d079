#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QSettings;

// The files of one kind of document ("payroll", "clients") last opened or
// saved, newest first, at most eight, each once by its canonical path; kept
// in the settings under "recentFiles/<kind>".
class RecentFiles
{
public:
    static constexpr int kMaxCount = 8;

    RecentFiles(QSettings &settings, const QString &kind);

    QStringList files() const;
    // Puts the file first; the same file further down moves up. False when
    // it was first already, and nothing was stored.
    bool add(const QString &path);
    void remove(const QString &path);
    void clear();

    struct MenuEntry
    {
        QString path;
        QString text;  // RecentFileMenuText
        bool exists;   // a missing file's entry is shown disabled
    };
    QList<MenuEntry> menuEntries() const;

private:
    void store(const QStringList &files);

    QSettings &m_settings;
    QString m_key;
};

// "ZPSV… — /home/user/Кардолист/2026" with the folder in native form, and
// " (нет файла)" after a file that is gone; "&" doubled for a menu.
QString RecentFileMenuText(const QString &path, bool exists);
