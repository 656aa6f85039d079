#pragma once

#include "common/sheet/WorkbookSheets.h"

// .xls workbooks through libfreexl.
class XlsWorkbookReader
{
public:
    // Every sheet, in order; throws UserError(UnreadableWorkbookMessage()).
    static QList<WorkbookSheet> read(const QByteArray &bytes);
};
