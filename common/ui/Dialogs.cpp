#include "common/ui/Dialogs.h"

#include "common/AppInfo.h"
#include "common/ui/WarningsDialog.h"
#include "common/ui/SheetRowsDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

void QtDialogs::information(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

void QtDialogs::error(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

namespace {

Dialogs::Answer AskQuestion(QWidget *parent, const QString &caption, const QString &text, Dialogs::Buttons buttons,
                            bool defaultNo)
{
    QMessageBox::StandardButtons set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Dialogs::Buttons::YesNoCancel)
        set |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, caption, text, set, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (defaultNo)
        box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes: return Dialogs::Answer::Yes;
    case QMessageBox::No: return Dialogs::Answer::No;
    default: return buttons == Dialogs::Buttons::YesNoCancel ? Dialogs::Answer::Cancel : Dialogs::Answer::No;
    }
}

QString AskFileName(QWidget *parent, const QString &filter, const QString &folder)
{
    // "name|pattern" filters become Qt's "name (pattern)".
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList qtFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        qtFilters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    return QFileDialog::getOpenFileName(parent, QString(), folder, qtFilters.join(QStringLiteral(";;")));
}

} // namespace

Dialogs::Answer QtDialogs::question(QWidget *parent, const QString &caption, const QString &text, Buttons buttons)
{
    return AskQuestion(parent, caption, text, buttons, false);
}

QString QtDialogs::openFileName(QWidget *parent, const QString &filter)
{
    return AskFileName(parent, filter, QDir::currentPath());
}

bool QtDialogs::printSetup(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::printPreview(QWidget *parent, QPrinter &printer, const std::function<void(QPrinter &)> &paint)
{
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Предварительный просмотр"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter *target) { paint(*target); });
    preview.exec();
}

namespace {

class SilentProgress : public PrintProgress
{
public:
    bool pageStarting(int, int) override { return true; }
};

} // namespace

std::unique_ptr<PrintProgress> Dialogs::printProgress(QWidget *)
{
    return std::make_unique<SilentProgress>();
}

std::unique_ptr<PrintProgress> QtDialogs::printProgress(QWidget *parent)
{
    return std::make_unique<PrintProgressDialog>(parent);
}

std::unique_ptr<LoadProgressDisplay> Dialogs::loadProgress(QWidget *)
{
    return nullptr;
}

std::unique_ptr<LoadProgressDisplay> QtDialogs::loadProgress(QWidget *parent)
{
    return std::make_unique<LoadProgressDialog>(parent);
}

bool ConfirmSaveChanges(Dialogs &dialogs, QWidget *parent, bool modified, const std::function<bool()> &save,
                        const QString &caption, const QString &text)
{
    if (!modified)
        return true;
    switch (dialogs.question(parent, caption, text, Dialogs::Buttons::YesNoCancel)) {
    case Dialogs::Answer::Yes:
        return save();
    case Dialogs::Answer::No:
        return true;
    default:
        return false;
    }
}

Dialogs::WarningsAnswer Dialogs::warnings(QWidget *, const QList<WarningLine> &, WarningsPurpose)
{
    return {true, -1};
}

Dialogs::WarningsAnswer QtDialogs::warnings(QWidget *parent, const QList<WarningLine> &lines, WarningsPurpose purpose)
{
    WarningsDialog dialog(lines, purpose, parent);
    dialog.exec();
    return dialog.answer();
}

Dialogs::Answer Dialogs::destructiveQuestion(QWidget *parent, const QString &caption, const QString &text,
                                             Buttons buttons)
{
    return question(parent, caption, text, buttons);
}

QString Dialogs::openFileNameIn(QWidget *parent, const QString &filter, const QString &)
{
    return openFileName(parent, filter);
}

Dialogs::Answer QtDialogs::destructiveQuestion(QWidget *parent, const QString &caption, const QString &text,
                                               Buttons buttons)
{
    return AskQuestion(parent, caption, text, buttons, true);
}

QString QtDialogs::openFileNameIn(QWidget *parent, const QString &filter, const QString &folder)
{
    const QDir dir(folder);
    return AskFileName(parent, filter, dir.exists() ? dir.absolutePath() : QDir::currentPath());
}

int Dialogs::chooseSheet(QWidget *, const QStringList &)
{
    return 0;
}

bool Dialogs::sheetRowsPreview(QWidget *, SheetRowsImport &)
{
    return true;
}

int QtDialogs::chooseSheet(QWidget *parent, const QStringList &sheets)
{
    bool ok = false;
    const QString sheet = QInputDialog::getItem(parent, ApplicationTitle(), QStringLiteral("Лист книги:"), sheets, 0,
                                                false, &ok);
    return ok ? int(sheets.indexOf(sheet)) : -1;
}

bool QtDialogs::sheetRowsPreview(QWidget *parent, SheetRowsImport &rows)
{
    SheetRowsDialog dialog(rows, parent);
    return dialog.exec() == QDialog::Accepted;
}
