#include "common/BankFileVerifier.h"

#include "common/Cp1251.h"
#include "common/Crc32Calculator.h"
#include "common/Digits.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QFileInfo>
#include <QJsonArray>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// One line of the file as bytes, without its line end.
struct RawLine
{
    QByteArrayView content;
    bool endsCrLf = false;
};

// Lines one at a time, so that a file of many short lines needs no list.
class RawLineReader
{
public:
    explicit RawLineReader(QByteArrayView bytes) : m_bytes(bytes) {}
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    RawLine next()
    {
        const qsizetype lf = m_bytes.indexOf('\n', m_pos);
        const qsizetype end = lf < 0 ? m_bytes.size() : lf;
        RawLine line;
        line.content = m_bytes.sliced(m_pos, end - m_pos);
        if (lf >= 0 && line.content.endsWith('\r')) {
            line.content.chop(1);
            line.endsCrLf = true;
        }
        m_pos = end + 1;
        return line;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

RawLine LastRawLine(QByteArrayView bytes)
{
    const qsizetype end = bytes.endsWith('\n') ? bytes.size() - 1 : bytes.size();
    const qsizetype lf = end > 0 ? bytes.lastIndexOf('\n', end - 1) : -1;
    return RawLineReader(bytes.sliced(lf + 1)).next();
}

// The fields of a line that ends in TAB: the empty text after it is no field.
QStringList LineFields(QByteArrayView content)
{
    QStringList fields = SplitFields(Cp1251::decode(content));
    if (content.endsWith('\t'))
        fields.removeLast();
    return fields;
}

QString FirstLineOf(QByteArrayView bytes)
{
    RawLineReader reader(bytes.first(std::min<qsizetype>(bytes.size(), 4096)));
    return reader.atEnd() ? QString() : Cp1251::decode(reader.next().content);
}

} // namespace

const BankFileRules *RulesForFile(const QString &fileName, QByteArrayView bytes, const BankFileKinds &kinds)
{
    QString first = FirstLineOf(bytes);
    if (first.endsWith(u'\t'))
        first.chop(1);
    const qsizetype count = first.count(u'\t') + 1;
    for (const BankFileRules *rules : kinds) {
        if (first.startsWith(u"H\t"_s) && count == rules->headerFieldCount())
            return rules;
    }
    const QString name = QFileInfo(fileName).fileName();
    for (const BankFileRules *rules : kinds) {
        if (name.startsWith(rules->namePrefix()))
            return rules;
    }
    return nullptr;
}

VerifyReport VerifyBankFile(QByteArrayView bytes, const BankFileRules &rules, const QString &fileName)
{
    VerifyReport report;
    report.kind = rules.kind();
    report.kindId = rules.kindId();
    report.detailLabel = rules.detailLabel();
    rules.begin(report);

    if (bytes.isEmpty()) {
        report.add(0, u"empty-file"_s, u"file"_s, u"the file is empty"_s);
        return report;
    }
    const QByteArrayView lastContent = LastRawLine(bytes).content;
    // A file of a trailer line alone has no header: its line is no CRC input.
    const bool hasTrailer = lastContent == "T" || lastContent.startsWith("T\t");
    const std::unique_ptr<BankFileWarner> warner = rules.warner();

    QByteArray crcInput;
    crcInput.reserve(bytes.size());
    qint64 lastNumber = 0;
    RawLineReader reader(bytes);
    qsizetype lineCount = 0;
    for (qsizetype i = 0; !reader.atEnd(); ++i) {
        const RawLine raw = reader.next();
        const bool isLast = reader.atEnd();
        lineCount = i + 1;
        const qsizetype lineNo = i + 1;

        if (!raw.endsCrLf)
            {
            const bool unended = isLast && !bytes.endsWith('\n');
            report.add(lineNo, unended ? u"no-line-end"_s : u"lf-without-cr"_s, u"line_end"_s,
                       unended ? u"the last line has no CR LF"_s : u"the line ends in LF without CR"_s);
        }
        if (raw.content.contains('\r'))
            report.add(lineNo, u"cr-inside"_s, u"line"_s, u"a CR inside the line"_s);
        if (raw.content.contains('\0'))
            report.add(lineNo, u"zero-byte"_s, u"line"_s, u"a zero byte inside the line"_s);
        if (raw.content.isEmpty()) {
            report.add(lineNo, u"empty-line"_s, u"line"_s, u"empty line"_s);
            continue;
        }
        if (!raw.content.endsWith('\t'))
            report.add(lineNo, u"no-final-tab"_s, u"line_end"_s, u"the line does not end in TAB"_s);
        if (!(isLast && hasTrailer))
            crcInput.append(raw.content.data(), raw.content.size());

        const QStringList fields = LineFields(raw.content);
        const QString type = fields.value(0);
        const QString numberText = fields.value(1);
        qsizetype expectedFields = 0;

        if (type == u"H"_s) {
            expectedFields = rules.headerFieldCount();
            if (i != 0)
                report.add(lineNo, u"header-not-first"_s, u"line_type"_s, u"a header line after the first line"_s);
            if (numberText != u"0000000001"_s)
                report.add(lineNo, u"header-line-number"_s, u"line_number"_s, u"header line number %1 is not 0000000001"_s.arg(QuotedField(numberText)));
            rules.checkHeader(fields, lineNo, report);
            // A name of the kind must match its header; a file recognised by
            // its header alone may have been renamed on the way.
            const QString name = QFileInfo(fileName).fileName();
            if (i == 0 && name.startsWith(rules.namePrefix()))
                rules.checkFileName(name, fields, report);
        } else if (type == u"D"_s) {
            expectedFields = rules.detailFieldCount();
            ++report.detailLines;
            if (i == 0)
                report.add(lineNo, u"no-header"_s, u"line_type"_s, u"the first line is not a header (H) line"_s);
            rules.checkDetail(fields, lineNo, report);
            if (warner)
                warner->detail(fields, lineNo);
        } else if (type == u"T"_s) {
            expectedFields = 3;
            if (!isLast)
                report.add(lineNo, u"trailer-not-last"_s, u"line_type"_s, u"a trailer line before the last line"_s);
            if (i == 0)
                report.add(lineNo, u"no-header"_s, u"line_type"_s, u"the first line is not a header (H) line"_s);
            if (isLast)
                report.storedCrc = fields.value(2);
        } else {
            report.add(lineNo, u"unknown-line-type"_s, u"line_type"_s, u"unknown line type %1"_s.arg(QuotedField(type)));
            continue;
        }

        if (fields.size() != expectedFields)
            report.add(lineNo, u"field-count"_s, u"line"_s, u"%1 fields instead of %2"_s.arg(fields.size()).arg(expectedFields));
        if (type != u"H"_s) {
            bool ok = AsciiDigitsOfLength(numberText, 10);
            const qint64 number = ok ? numberText.toLongLong() : 0;
            if (!ok)
                report.add(lineNo, u"line-number-format"_s, u"line_number"_s, u"line number %1 is not 10 digits"_s.arg(QuotedField(numberText)));
            else if (rules.consecutiveLineNumbers() && number != lastNumber + 1)
                report.add(lineNo, u"line-number-gap"_s, u"line_number"_s, u"line number %1 is not %2"_s.arg(numberText, FormatLineNumber(lastNumber + 1)));
            else if (number <= lastNumber)
                report.add(lineNo, u"line-number-order"_s, u"line_number"_s, u"line number %1 does not follow %2"_s.arg(numberText, FormatLineNumber(lastNumber)));
            if (ok)
                lastNumber = number;
        } else if (i == 0) {
            lastNumber = 1;
        }
    }

    // A file of a header line alone lacks its trailer as well.
    if (!hasTrailer)
        report.add(lineCount, u"no-trailer"_s, u"line_type"_s, u"no trailer (T) line at the end"_s);
    if (warner)
        warner->finish(report);
    report.computedCrc = FormatCRC32(CalcStringCRC32(crcInput));
    if (hasTrailer) {
        if (report.storedCrc.size() != 8 || report.storedCrc != report.storedCrc.toUpper()
            || !std::all_of(report.storedCrc.cbegin(), report.storedCrc.cend(),
                            [](QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'); }))
            report.add(lineCount, u"crc-format"_s, u"crc"_s, u"checksum %1 is not 8 upper-case hexadecimal digits"_s.arg(QuotedField(report.storedCrc)));
        else if (report.storedCrc != report.computedCrc)
            report.add(lineCount, u"crc-mismatch"_s, u"crc"_s, u"checksum %1 does not match the lines: computed %2"_s.arg(report.storedCrc,
                                                                                         report.computedCrc));
    }
    return report;
}

VerifyReport VerifyBankFile(const QString &fileName, QByteArrayView bytes, const BankFileKinds &kinds)
{
    if (const BankFileRules *rules = RulesForFile(fileName, bytes, kinds))
        return VerifyBankFile(bytes, *rules, fileName);
    VerifyReport report;
    report.kind = u"unknown"_s;
    report.kindId = u"unknown"_s;
    QStringList prefixes;
    for (const BankFileRules *rules : kinds)
        prefixes << rules->namePrefix();
    report.add(0, u"unknown-kind"_s, u"file"_s, u"unknown kind of file: its name does not begin with %1 and its first line is no header of those"_s
                      .arg(prefixes.join(u" or "_s)));
    return report;
}

QStringList FormatVerifyReport(const VerifyReport &report)
{
    QStringList out;
    for (const VerifyProblem &p : report.problems)
        out << (p.line > 0 ? u"line %1: %2"_s.arg(p.line).arg(p.text) : p.text);
    if (report.unlistedProblems > 0)
        out << u"... and %1 more problems"_s.arg(report.unlistedProblems);
    out << u"Kind: "_s + report.kind;
    out << u"%1: %2"_s.arg(report.detailLabel).arg(report.detailLines);
    if (report.total)
        out << u"Total: "_s + report.total->toDisplay();
    else if (report.totalBeyondRange)
        out << u"Total: beyond the range of amounts"_s;
    out << u"Stored CRC: "_s + (report.storedCrc.isEmpty() ? u"(none)"_s : Excerpt(report.storedCrc));
    out << u"Computed CRC: "_s + (report.computedCrc.isEmpty() ? u"(none)"_s : report.computedCrc);
    // Apart from the problems, after the facts: they never make a file unclean.
    for (const VerifyProblem &w : report.warnings)
        out << (w.line > 0 ? u"line %1: warning: %2"_s.arg(w.line).arg(w.text) : u"warning: "_s + w.text);
    if (report.unlistedWarnings > 0)
        out << u"... and %1 more warnings"_s.arg(report.unlistedWarnings);
    if (!report.warnings.isEmpty())
        out << u"%1 warning(s)"_s.arg(report.warnings.size() + report.unlistedWarnings);
    out << (report.clean() ? u"OK"_s : u"%1 problem(s)"_s.arg(report.problems.size() + report.unlistedProblems));
    return out;
}

namespace {

QJsonArray ProblemsJson(const QList<VerifyProblem> &problems)
{
    QJsonArray list;
    for (const VerifyProblem &p : problems)
        list.append(QJsonObject{{u"line"_s, qint64(p.line)}, {u"field"_s, p.field}, {u"code"_s, p.code},
                                {u"message"_s, p.text}});
    return list;
}

} // namespace

QJsonObject VerifyReportJson(const VerifyReport &report, const QString &file, bool ok)
{
    QJsonObject json{
        {u"kind"_s, report.kindId},
        {u"file"_s, file},
        {u"ok"_s, ok},
        {u"rows"_s, qint64(report.detailLines)},
        {u"crc"_s, QJsonObject{{u"stored"_s, report.storedCrc}, {u"computed"_s, report.computedCrc}}},
        {u"errors"_s, ProblemsJson(report.problems)},
        {u"warnings"_s, ProblemsJson(report.warnings)},
    };
    if (report.total)
        json.insert(u"total"_s, report.total->toPlain());
    else if (report.totalBeyondRange)
        json.insert(u"total"_s, QJsonValue::Null);
    return json;
}

QString QuotedField(const QString &text)
{
    return u"\""_s + Excerpt(text) + u"\""_s;
}
