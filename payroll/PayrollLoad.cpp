#include "payroll/PayrollLoad.h"

#include "common/ByteLines.h"
#include "common/Cp1251.h"
#include "common/FieldSplitter.h"
#include "common/UserError.h"
#include "payroll/PayrollFile.h"
#include "payroll/PayrollTexts.h"

#include <QList>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool IsTrailer(QByteArrayView line)
{
    return line == "T" || line.startsWith("T\t");
}

constexpr int kDetailFields = 5;

// Where the line's first fields end, at a TAB or the line's end; gives how
// many fields that is, kDetailFields at most. Sixteen bytes are looked at at once.
int DetailFieldEnds(QByteArrayView line, qsizetype (&ends)[kDetailFields])
{
    const char *p = line.data();
    const qsizetype n = line.size();
    int count = 0;
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i tab = _mm_set1_epi8('\t');
    for (; i + 16 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        for (unsigned mask = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, tab))); mask != 0; mask &= mask - 1) {
            ends[count++] = i + __builtin_ctz(mask);
            if (count == kDetailFields)
                return count;
        }
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == '\t') {
            ends[count++] = i;
            if (count == kDetailFields)
                return count;
        }
    }
    ends[count++] = n;
    return count;
}

// Fields 2, 3 and 4 of a detail line, the amount with a point for a comma.
// Only they are decoded.
void AppendDetail(QByteArrayView line, QString &buffer, PayrollRows &rows)
{
    qsizetype ends[kDetailFields];
    const int count = DetailFieldEnds(line, ends);
    QStringView fields[kDetailFields];
    if (count > 2) {
        const qsizetype from = ends[1] + 1;
        buffer.resize(ends[count - 1] - from);
        Cp1251::decodeInto(buffer.data(), line.sliced(from, buffer.size()));
        for (int i = 2; i < count; ++i) {
            const qsizetype start = ends[i - 1] + 1;
            fields[i] = QStringView(buffer).sliced(start - from, ends[i] - start);
        }
        if (count == kDetailFields) {
            QChar *amount = buffer.data() + (ends[3] + 1 - from);
            std::replace(amount, amount + fields[4].size(), QLatin1Char(','), QLatin1Char('.'));
        }
    }
    rows.append(fields[2], fields[3], fields[4]);
}

// Line feeds, for the rows' room: memchr is far faster than a byte loop.
qsizetype CountLineFeeds(QByteArrayView bytes)
{
    qsizetype count = 0;
    if (bytes.isEmpty())
        return 0;
    for (const char *p = bytes.data(), *end = p + bytes.size();; ++count, ++p) {
        p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!p)
            return count;
    }
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

    contents.rows.reserve(CountLineFeeds(bytes));
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
