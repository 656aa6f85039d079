#pragma once

#include <QMenu>
#include <QString>

// "Последние файлы" in a window's File menu: the files of one kind of
// document last opened or saved, newest first; a file that is gone is
// shown disabled. The list is kept in the program's own settings file.
class RecentFilesMenu : public QMenu
{
    Q_OBJECT
public:
    // Placed into fileMenu before the action `before` (at the end when null).
    RecentFilesMenu(const QString &kind, QMenu *fileMenu, QAction *before);

    // The file was opened or saved.
    void add(const QString &path);

    // The program's settings of its own, beside no document: not the
    // working folder's "settings.ini".
    static QString settingsPath();

signals:
    void chosen(const QString &path);

private:
    void rebuild();

    QString m_kind;
};
