#include "common/sheet/WorkbookSheets.h"

#include "common/UserError.h"
#include "common/sheet/OrcusWorkbookReader.h"
#include "common/sheet/XlsWorkbookReader.h"

#include <exception>

ImportFormat DetectWorkbookFormat(const QByteArray &bytes)
{
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return ImportFormat::Xls;
    if (!bytes.startsWith("PK\x03\x04"))
        return ImportFormat::Text;
    try {
        const ImportFormat format = OrcusWorkbookReader::detect(bytes);
        if (format != ImportFormat::Text)
            return format;
    } catch (const std::exception &) {
    }
    throw UserError(UnreadableWorkbookMessage());
}

QList<WorkbookSheet> ReadWorkbookSheets(const QByteArray &bytes, ImportFormat format)
{
    if (format == ImportFormat::Xls)
        return XlsWorkbookReader::read(bytes);
    try {
        return OrcusWorkbookReader::read(bytes, format);
    } catch (const std::exception &) {
        throw UserError(UnreadableWorkbookMessage());
    }
}
