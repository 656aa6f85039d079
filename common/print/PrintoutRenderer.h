#pragma once

#include "common/print/Printout.h"

#include <QByteArray>
#include <QFont>
#include <QList>

#include <functional>

class QIODevice;
class QPagedPaintDevice;

// "Courier New" 9 pt, sized in the 600-dpi units of the layout so that it
// scales with the page.
QFont PrintoutFont();

// Draws the printout on a printer, a PDF writer or a preview: the layout's
// 4960 x 7015 window is fitted onto the full sheet of the device's page.
// pages lists the pages to draw, in order (repeats allowed, for copies);
// empty means every page once. pageStarting(done, total), when given, is
// asked before each page and ends the run by returning false. Returns false
// when the device cannot begin.
bool RenderPrintout(QPagedPaintDevice &device, const Printout &printout, const QList<int> &pages = {},
                    const std::function<bool(int, int)> &pageStarting = {});

// The printout as a PDF document: A4 portrait, 600 dpi, no margins. Pages
// go to the open device as they are drawn; false when the writer cannot
// begin.
bool RenderPrintoutPdf(QIODevice &device, const Printout &printout, const QString &title = QString());
// The same document in memory, for small printouts; empty on failure.
QByteArray RenderPrintoutPdf(const Printout &printout, const QString &title = QString());

// The PDF streamed into the file at path, which it replaces only when whole:
// on any failure, a page that throws included, the old file stays as it was.
// On failure errorString gets the system's reason (empty when the writer
// could not begin).
bool SavePrintoutPdf(const QString &path, const Printout &printout, const QString &title,
                     QString *errorString = nullptr);
