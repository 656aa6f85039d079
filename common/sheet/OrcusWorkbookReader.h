#pragma once

#include "common/sheet/WorkbookSheets.h"

// .xlsx and .ods workbooks through liborcus, fed straight into rows of cell
// texts: no document model is built and only number formats are kept of
// the styles.
class OrcusWorkbookReader
{
public:
    // Xlsx or Ods for a ZIP package liborcus knows, Text otherwise; may
    // throw std::exception on a damaged package.
    static ImportFormat detect(const QByteArray &bytes);
    // Every sheet, in order; throws std::exception on a damaged workbook.
    static QList<WorkbookSheet> read(const QByteArray &bytes, ImportFormat format);
};
