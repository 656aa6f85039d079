#include "PdfText.h"

#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString PdfToText()
{
    return QStandardPaths::findExecutable(u"pdftotext"_s);
}

} // namespace

bool HavePdfToText()
{
    return !PdfToText().isEmpty();
}

QString PdfText(const QString &file)
{
    QProcess process;
    process.start(PdfToText(), {u"-layout"_s, file, u"-"_s});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QList<QStringList> PdfPages(const QString &file)
{
    QList<QStringList> pages;
    for (const QString &page : PdfText(file).split(u'\f')) {
        QStringList lines;
        for (const QString &line : page.split(u'\n'))
            if (!line.simplified().isEmpty())
                lines << line.simplified();
        pages << lines;
    }
    while (!pages.isEmpty() && pages.last().isEmpty())
        pages.removeLast();
    return pages;
}
