#include "payroll/PayrollTextImport.h"

#include "common/BankFileReader.h"
#include "common/ByteLines.h"
#include "common/Cp1251.h"
#include "common/UserError.h"
#include "payroll/PayrollTexts.h"

#include <QFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QByteArrayView WithoutLeadingTabs(QByteArrayView line)
{
    qsizetype i = 0;
    while (i < line.size() && line[i] == '\t')
        ++i;
    return line.sliced(i);
}

// Decodes into a reused buffer, leaving out blanks when asked.
QStringView Decoded(QByteArrayView bytes, QString &buffer, bool withoutBlanks = false)
{
    buffer.resize(bytes.size());
    QChar *end = Cp1251::decodeInto(buffer.data(), bytes);
    if (withoutBlanks)
        end = std::remove(buffer.data(), end, QLatin1Char(' '));
    buffer.truncate(end - buffer.constData());
    return buffer;
}

// A text saved as UTF-16 has a zero byte in every other place of its
// ASCII characters; one saved as UTF-8 is valid UTF-8 with letters beyond
// ASCII, which Windows-1251 Cyrillic text never is.
void RefuseOtherEncodings(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        throw UserError(OtherEncodingMessage(u"UTF-16"));
    const QByteArrayView head = bytes.first(std::min<qsizetype>(bytes.size(), 256));
    qsizetype zeros[2] = {0, 0};
    for (qsizetype i = 0; i < head.size(); ++i)
        zeros[i % 2] += head[i] == '\0' ? 1 : 0;
    const qsizetype most = std::max(zeros[0], zeros[1]);
    if (std::min(zeros[0], zeros[1]) == 0 && most >= 2 && most * 4 >= head.size() / 2)
        throw UserError(OtherEncodingMessage(u"UTF-16"));
    const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    if (beyondAscii && bytes.isValidUtf8())
        throw UserError(OtherEncodingMessage(u"UTF-8"));
}

} // namespace

PayrollRows ImportPayrollText(QByteArrayView bytes)
{
    RefuseOtherEncodings(bytes);
    // Counted first, so that the list is allocated once at its final size
    // and a damaged file is refused before any row is read.
    qsizetype count = 0;
    ByteLines counting(bytes);
    for (QByteArrayView line; counting.next(line);)
        count += WithoutLeadingTabs(line).isEmpty() ? 0 : 1;
    if (const qsizetype zero = counting.zeroByteLine())
        throw UserError(DamagedFileMessage(int(zero)));

    PayrollRows rows;
    rows.reserve(count);
    QString nameBuffer;
    QString cardBuffer;
    QString amountBuffer;
    ByteLines lines(bytes);
    for (QByteArrayView line; lines.next(line);) {
        line = WithoutLeadingTabs(line);
        if (line.isEmpty())
            continue; // empty or TABs only: nothing to take

        const qsizetype nameEnd = line.indexOf('\t');
        const QByteArrayView name = nameEnd < 0 ? QByteArrayView() : line.first(nameEnd);
        const QByteArrayView remainder = line.sliced(std::min(name.size() + 1, line.size()));
        const qsizetype cardEnd = remainder.indexOf('\t');
        QByteArrayView amountBytes = remainder;
        QStringView cardText;
        if (cardEnd >= 0) {
            cardText = Decoded(remainder.first(cardEnd), cardBuffer, true);
            amountBytes = remainder.sliced(cardEnd + 1);
        }
        Decoded(amountBytes, amountBuffer);
        std::replace(amountBuffer.begin(), amountBuffer.end(), QLatin1Char(','), QLatin1Char('.'));
        rows.append(Decoded(name, nameBuffer), cardText, amountBuffer);
    }
    return rows;
}

QByteArray ReadPayrollTextBytes(const QString &path)
{
    return BankFileReader::readFile(path, [](const QFile &) { return CannotOpenTextMessage(); });
}
