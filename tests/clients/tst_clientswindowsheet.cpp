#include "support/SettingsFolder.h"
#include "support/WindowDriver.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowDriver.h"
#include "clients/ClientTableModel.h"
#include "clients/ui/ClientsWindow.h"
#include "common/Clock.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Kind = ScriptedDialogs::Kind;

namespace {

QStringList Fields(int n, const QString &surname)
{
    return {surname, u"Азиз"_s, u"Рустамович"_s, u"мужской"_s, u"123456789"_s, u"05.06.1980"_s, u"1234567"_s,
            u"AA"_s, QString::number(1000000 + n), u"15.03.2016"_s, u"Юнусабадский РОВД"_s, u"14.03.2026"_s,
            u"Ташкент, ул. Навои"_s};
}

const QStringList kHeader{u"Фамилия"_s, u"Имя"_s, u"Отчество"_s, u"Пол"_s, u"ИНН"_s, u"Дата рождения"_s};

// A UTF-8 CSV with ";", as a spreadsheet saves it.
QByteArray Csv(const QList<QStringList> &rows)
{
    QStringList lines;
    for (const QStringList &row : rows)
        lines << row.join(u';');
    return "\xEF\xBB\xBF" + lines.join(u"\r\n"_s).toUtf8();
}

QStringList Surnames(ClientsWindow &window)
{
    QStringList out;
    for (const ClientRecord &r : WindowDriver(&window).model<ClientTableModel>(u"mainGrid"_s)->records())
        out << r[ClientColumn::Surname];
    return out;
}

} // namespace

// The client window's import from a spreadsheet export and from the clipboard.
class TestClientsSheetWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = EnterSettingsFolder();
        QVERIFY(m_dir);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
        QVERIFY(OpenWindow(m_form, m_dialogs, m_clock));
    }
    void cleanup()
    {
        m_form.reset();
        LeaveFolder(m_dir);
    }

    void importThroughPreview_data()
    {
        QTest::addColumn<bool>("clipboard");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QStringList>("surnames");
        QTest::newRow("file, OK") << false << true << QStringList{u"Каримов"_s, u"Ганиев"_s};
        QTest::newRow("file, Cancel") << false << false << QStringList();
        QTest::newRow("clipboard, OK") << true << true << QStringList{u"Каримов"_s, u"Ганиев"_s};
        QTest::newRow("clipboard, Cancel") << true << false << QStringList();
    }
    void importThroughPreview()
    {
        QFETCH(bool, clipboard);
        QFETCH(bool, accept);
        QFETCH(QStringList, surnames);
        const QList<QStringList> rows{kHeader, Fields(1, u"Каримов"_s), {}, Fields(2, u"Ғаниев"_s)};
        m_dialogs.setNextSheetRows(accept);
        if (clipboard) {
            QStringList lines;
            for (const QStringList &row : rows)
                lines << row.join(u'\t');
            QGuiApplication::clipboard()->setText(lines.join(u'\n'));
            QTest::keyClick(m_form.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            QFile file(m_dir->filePath(u"clients.csv"_s));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(Csv(rows));
            file.close();
            m_dialogs.setNextFileName(file.fileName());
            m_form->findChild<QAction *>(u"importTextAction"_s)->trigger();
        }
        QCOMPARE(m_dialogs.sheetRowsSeen.size(), 1);
        const ScriptedDialogs::SheetRowsSeen &seen = m_dialogs.sheetRowsSeen.first();
        QCOMPARE(seen.header.mid(0, 6), kHeader);
        QCOMPARE(seen.rowCount, 2);
        QCOMPARE(seen.replacements.size(), 1);
        QCOMPARE(Surnames(*m_form), surnames);
        QCOMPARE(m_form->isModified(), accept);
    }

    // A check's message names the row as the sheet numbers it.
    void badRowNamed()
    {
        QStringList bad = Fields(2, u"Ганиев"_s);
        bad[5] = u"31.02.1980"_s;
        QGuiApplication::clipboard()->setText(
                QStringList{kHeader.join(u'\t'), Fields(1, u"Каримов"_s).join(u'\t'), bad.join(u'\t')}.join(u'\n'));
        m_dialogs.setNextSheetRows(true);
        m_form->findChild<QAction *>(u"pasteRowsAction"_s)->trigger();
        QVERIFY2(m_dialogs.lastText().startsWith(u"Обнаружена ошибка в файле:\"буфер обмена\", строка:3, ошибка:<"_s),
                 qPrintable(m_dialogs.lastText()));
        QCOMPARE(Surnames(*m_form), QStringList());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{QDateTime(QDate(2026, 3, 8), QTime(14, 5, 9))};
    std::unique_ptr<ClientsWindow> m_form;
};

QTEST_MAIN(TestClientsSheetWindow)
#include "tst_clientswindowsheet.moc"
