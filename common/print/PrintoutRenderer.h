#pragma once

#include "common/print/Printout.h"

#include <QByteArray>
#include <QFont>
#include <QList>

class QPagedPaintDevice;

// "Courier New" 9 pt, sized in the 600-dpi units of the layout so that it
// scales with the page.
QFont PrintoutFont();

// Draws the printout on a printer, a PDF writer or a preview: the layout's
// 4960 x 7015 window is fitted onto the full sheet of the device's page.
// pages lists the pages to draw, in order (repeats allowed, for copies);
// empty means every page once. Returns false when the device cannot begin.
bool RenderPrintout(QPagedPaintDevice &device, const Printout &printout, const QList<int> &pages = {});

// The printout as a PDF document: A4 portrait, 600 dpi, no margins.
QByteArray RenderPrintoutPdf(const Printout &printout, const QString &title = QString());
