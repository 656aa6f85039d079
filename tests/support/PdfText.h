#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// pdftotext (poppler-utils); false when it is not installed, and a test then skips.
bool HavePdfToText();

// The PDF's text as "pdftotext -layout FILE -" gives it, pages separated by
// form feeds; empty when it could not be read.
QString PdfText(const QString &file);

// Its pages, each the list of its non-empty lines with blank runs collapsed
// (pdftotext guesses their width); no trailing empty page.
QList<QStringList> PdfPages(const QString &file);
