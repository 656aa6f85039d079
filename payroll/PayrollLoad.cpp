#include "payroll/PayrollLoad.h"

#include "common/ByteLines.h"
#include "common/Cp1251.h"
#include "common/FieldSplitter.h"
#include "common/UserError.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollTexts.h"

#include <QList>

#include <algorithm>

namespace {

bool IsTrailer(QByteArrayView line)
{
    return line == "T" || line.startsWith("T\t");
}

// Decodes a line into a buffer that keeps its capacity from line to line.
QStringView Decoded(QByteArrayView line, QString &buffer)
{
    buffer.resize(line.size());
    Cp1251::decodeInto(buffer.data(), line);
    return buffer;
}

// Fields 2, 3 and 4 of a detail line, the amount with a point for a comma.
void AppendDetail(QByteArrayView line, QString &buffer, PayrollRows &rows)
{
    QStringView fields[5];
    const QStringView text = Decoded(line, buffer);
    qsizetype start = 0;
    for (QStringView &field : fields) {
        const qsizetype tab = text.indexOf(FieldSeparator, start);
        field = tab < 0 ? text.sliced(start) : text.sliced(start, tab - start);
        if (tab < 0)
            break;
        start = tab + 1;
    }
    if (!fields[4].isEmpty()) {
        QChar *amount = buffer.data() + (fields[4].data() - buffer.constData());
        std::replace(amount, amount + fields[4].size(), QLatin1Char(','), QLatin1Char('.'));
    }
    rows.append(fields[2], fields[3], fields[4]);
}

} // namespace

PayrollFileContents ReadPayrollFile(QByteArrayView bytes)
{
    ByteLines lines(bytes);
    QByteArrayView line;
    if (!lines.next(line)) {
        if (const qsizetype zero = lines.zeroByteLine())
            throw UserError(DamagedFileMessage(int(zero)));
        throw UserError(BadFormatMessage());
    }
    PayrollFileContents contents;
    contents.firstLine = Cp1251::decode(line);
    if (!PayrollFirstLineAccepted(contents.firstLine))
        throw UserError(BadFormatMessage());
    QList<QStringView> header;
    SplitFieldViews(QStringView(contents.firstLine), header, 9);
    const auto field = [&header](qsizetype i) { return i < header.size() ? header[i].toString() : QString(); };
    contents.date = field(5);
    contents.monthField = field(6);
    contents.year = field(7);
    contents.registerNumber = field(8);

    contents.rows.reserve(std::count(bytes.begin(), bytes.end(), '\n'));
    QString buffer;
    // Each line is taken once the next is known: the last may be the trailer.
    QByteArrayView pending;
    bool hasPending = false;
    while (lines.next(line)) {
        if (hasPending && !pending.isEmpty())
            AppendDetail(pending, buffer, contents.rows);
        pending = line;
        hasPending = true;
    }
    if (const qsizetype zero = lines.zeroByteLine())
        throw UserError(DamagedFileMessage(int(zero)));
    if (hasPending && !pending.isEmpty() && !IsTrailer(pending))
        AppendDetail(pending, buffer, contents.rows);
    return contents;
}

int MonthIndexFromField(const QString &field)
{
    bool ok = false;
    const int month = field.toInt(&ok, 10);
    if (!ok)
        throw UserError(NotAnIntegerMessage(field));
    return month >= 1 && month <= 12 ? month - 1 : -1;
}
