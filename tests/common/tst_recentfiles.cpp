#include "common/RecentFiles.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRecentFiles : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_settings.reset();
        m_dir.emplace();
        m_settings.emplace(m_dir->filePath(u"recent.ini"_s), QSettings::IniFormat);
        for (int i = 0; i < 12; ++i) {
            QFile file(m_dir->filePath(u"file%1.txt"_s.arg(i)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }

    // Files added in order (by number) and the list that results, newest first.
    void order_data()
    {
        QTest::addColumn<QList<int>>("added");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("none") << QList<int>{} << QList<int>{};
        QTest::newRow("newest first") << QList<int>{0, 1, 2} << QList<int>{2, 1, 0};
        QTest::newRow("again moves to the top") << QList<int>{0, 1, 2, 0} << QList<int>{0, 2, 1};
        QTest::newRow("top again stays") << QList<int>{0, 1, 1} << QList<int>{1, 0};
        QTest::newRow("eight kept") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << QList<int>{7, 6, 5, 4, 3, 2, 1, 0};
        QTest::newRow("oldest dropped beyond eight")
            << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9} << QList<int>{9, 8, 7, 6, 5, 4, 3, 2};
        QTest::newRow("dropped one comes back on top")
            << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 0} << QList<int>{0, 8, 7, 6, 5, 4, 3, 2};
    }
    void order()
    {
        QFETCH(QList<int>, added);
        QFETCH(QList<int>, expected);
        RecentFiles recent(*m_settings, u"payroll"_s);
        for (int i : added)
            recent.add(path(i));
        QStringList files;
        for (int i : expected)
            files.append(path(i));
        QCOMPARE(recent.files(), files);
        // Kept for the next run.
        QCOMPARE(RecentFiles(*m_settings, u"payroll"_s).files(), files);
    }

    void sameFileHoweverNamed()
    {
        RecentFiles recent(*m_settings, u"payroll"_s);
        QVERIFY(QDir(m_dir->path()).mkdir(u"sub"_s));
        QVERIFY(QFile::link(path(0), m_dir->filePath(u"link"_s)));
        recent.add(path(0));
        recent.add(path(1));
        QVERIFY(recent.add(m_dir->filePath(u"sub/../file0.txt"_s)));
        // The newest again, by another name: nothing to store.
        QVERIFY(!recent.add(m_dir->filePath(u"link"_s)));
        QCOMPARE(recent.files(), (QStringList{path(0), path(1)}));
        recent.remove(m_dir->filePath(u"sub/../file1.txt"_s));
        QCOMPARE(recent.files(), QStringList{path(0)});
    }

    void kindsKeptApart()
    {
        RecentFiles payroll(*m_settings, u"payroll"_s);
        RecentFiles clients(*m_settings, u"clients"_s);
        payroll.add(path(0));
        clients.add(path(1));
        QCOMPARE(payroll.files(), QStringList{path(0)});
        QCOMPARE(clients.files(), QStringList{path(1)});
        clients.clear();
        QVERIFY(clients.files().isEmpty());
        QCOMPARE(payroll.files(), QStringList{path(0)});
    }

    void missingFileShownDisabled()
    {
        RecentFiles recent(*m_settings, u"clients"_s);
        recent.add(path(0));
        recent.add(path(1));
        QVERIFY(QFile::remove(path(0)));
        const QList<RecentFiles::MenuEntry> entries = recent.menuEntries();
        QCOMPARE(entries.size(), 2);
        const QString folder = QDir::toNativeSeparators(QFileInfo(path(0)).absolutePath());
        QCOMPARE(entries[0].path, path(1));
        QVERIFY(entries[0].exists);
        QCOMPARE(entries[0].text, u"file1.txt — "_s + folder);
        QCOMPARE(entries[1].path, path(0));
        QVERIFY(!entries[1].exists);
        QCOMPARE(entries[1].text, u"file0.txt — "_s + folder + u" (нет файла)"_s);
        // The list keeps it: the file may come back.
        QCOMPARE(recent.files().size(), 2);
    }

    void menuTextKeepsAmpersand()
    {
        QCOMPARE(RecentFileMenuText(u"/data/A&B/x&y.txt"_s, true), u"x&&y.txt — "_s
                                                                      + QDir::toNativeSeparators(u"/data/A&&B"_s));
    }

private:
    QString path(int i) const
    {
        return QDir(m_dir->path()).canonicalPath() + u"/file%1.txt"_s.arg(i);
    }

    std::optional<QTemporaryDir> m_dir;
    std::optional<QSettings> m_settings;
};

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
