#include "payroll/PayrollFile.h"

#include "common/BankFileReader.h"
#include "common/BankFileWriter.h"
#include "common/ByteLines.h"
#include "common/Cp1251.h"
#include "common/Money.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString kSpace = u" "_s;
const QString kZero = u"0"_s;

QString MomentText(const QDateTime &moment)
{
    return moment.toString(u"dd.MM.yyyy HH:mm:ss"_s);
}

void WriteHeaderLine(BankFileWriter &out, const SettingsRecord &settings, const PayrollHeader &header,
                     const QDateTime &moment)
{
    out.field(u"H");
    out.lineNumberField(1);
    out.field(MomentText(moment));
    out.field(ReplaceAll(settings.filialCode, kSpace, kZero));
    out.field(ReplaceAll(settings.clientCode, kSpace, kZero));
    out.field(ReplaceAll(header.date, kSpace, QString()));
    out.field(MonthDigits(header.monthIndex));
    out.field(header.year);
    out.field(ReplaceAll(header.registerNumber, kSpace, kZero));
    out.endLine();
}

// The amount in a reused buffer with a decimal point for a comma, in place:
// no allocation per row.
QStringView DecimalPoint(QString &amount)
{
    amount.replace(QLatin1Char(','), QLatin1Char('.'));
    return amount;
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

// Enough rows for a line per line end.
qsizetype LineEnds(QByteArrayView bytes)
{
    return std::count(bytes.begin(), bytes.end(), '\n');
}

// Fields 2, 3 and 4 of a detail line, as BankFileReader::field gives them,
// in one walk over the line.
struct DetailFields
{
    explicit DetailFields(QStringView line)
    {
        QStringView *const wanted[] = {nullptr, nullptr, &name, &card, &amount};
        qsizetype start = 0;
        for (QStringView *field : wanted) {
            const qsizetype tab = line.indexOf(FieldSeparator, start);
            if (field)
                *field = tab < 0 ? line.mid(start) : line.mid(start, tab - start);
            if (tab < 0)
                return;
            start = tab + 1;
        }
    }

    QStringView name;
    QStringView card;
    QStringView amount;
};

} // namespace

QString SaveFolder()
{
    return u"Кардолист"_s;
}

QString MonthDigits(int monthIndex)
{
    const int month = monthIndex + 1;
    return month < 10 ? kZero + QString::number(month) : QString::number(month);
}

QString PayrollFilePath(const SettingsRecord &settings, const PayrollHeader &header)
{
    CheckBankCodes(settings);
    return SaveFolder() + u"/"_s + header.year + u"/ZPSV"_s + ReplaceAll(settings.filialCode, kSpace, kZero)
            + ReplaceAll(settings.clientCode, kSpace, kZero) + MonthDigits(header.monthIndex) + header.year
            + ReplaceAll(header.registerNumber, kSpace, kZero);
}

QString HeaderKeyText(const SettingsRecord &settings, const PayrollHeader &header)
{
    const QString fields[] = {
        ReplaceAll(settings.filialCode, kSpace, kZero),
        ReplaceAll(settings.clientCode, kSpace, kZero),
        header.date,
        MonthDigits(header.monthIndex),
        header.year,
        ReplaceAll(header.registerNumber, kSpace, kZero),
    };
    QString key;
    for (const QString &f : fields) {
        key += f;
        key += FieldSeparator;
    }
    return key;
}

bool IsWrittenRow(QStringView name, QStringView card, QStringView amount)
{
    return !name.isEmpty() && !card.isEmpty() && amount != u"0.00";
}

namespace {

bool IsWrittenRow(const PayrollRows &rows, qsizetype i)
{
    return IsWrittenRow(rows.name(i), rows.card(i), rows.amount(i));
}

void WriteRegister(BankFileWriter &out, const SettingsRecord &settings, const PayrollHeader &header,
                   const PayrollRows &rows, const QDateTime &moment)
{
    WriteHeaderLine(out, settings, header, moment);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!IsWrittenRow(rows, i))
            continue;
        out.field(u"D");
        // Grid row i + 1 is numbered i + 2: left-out rows leave a gap.
        out.lineNumberField(i + 2);
        out.field(rows.name(i));
        out.field(rows.card(i));
        out.fieldWithoutBlanks(rows.amount(i));
        out.endLine();
    }
    // The grid's row count includes its header row: N data rows give N + 2.
    out.trailer(rows.size() + 2);
}

} // namespace

qint64 PayrollFileSize(const SettingsRecord &settings, const PayrollHeader &header, const PayrollRows &rows)
{
    BankFileWriter headerLine;
    WriteHeaderLine(headerLine, settings, header, QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    qint64 size = headerLine.size() + BankFileWriter::kTrailerSize;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (IsWrittenRow(rows, i)) {
            const QStringView amount = rows.amount(i);
            size += 1 + BankFileWriter::kLineNumberSize + rows.name(i).size() + rows.card(i).size()
                    + (amount.size() - amount.count(QLatin1Char(' '))) + BankFileWriter::lineOverhead(5);
        }
    }
    return size;
}

QByteArray BuildPayrollFile(const SettingsRecord &settings, const PayrollHeader &header, const PayrollRows &rows,
                            const QDateTime &moment)
{
    BankFileWriter out(PayrollFileSize(settings, header, rows));
    WriteRegister(out, settings, header, rows, moment);
    return out.take();
}

bool WritePayrollFile(QIODevice &device, const SettingsRecord &settings, const PayrollHeader &header,
                      const PayrollRows &rows, const QDateTime &moment)
{
    BankFileWriter out(device, 1 << 20);
    WriteRegister(out, settings, header, rows, moment);
    return out.finish();
}

namespace {

QByteArrayView WithoutLeadingTabs(QByteArrayView line)
{
    qsizetype i = 0;
    while (i < line.size() && line[i] == '\t')
        ++i;
    return line.sliced(i);
}

} // namespace

PayrollFileContents ReadPayrollFile(QByteArrayView bytes)
{
    // A line too short to hold the tested character fails as well.
    BankFileReader reader(
            bytes,
            [](QStringView first) {
                return first.startsWith(QLatin1Char('H')) || (first.size() >= 2 && first[1] == FieldSeparator);
            },
            BadFormatMessage());
    const QStringView first = reader.headerLine();

    PayrollFileContents contents;
    contents.rows.reserve(LineEnds(bytes));
    QString amount;
    contents.firstLine = first.toString();
    contents.date = BankFileReader::field(first, 5).toString();
    contents.monthField = BankFileReader::field(first, 6).toString();
    contents.year = BankFileReader::field(first, 7).toString();
    contents.registerNumber = BankFileReader::field(first, 8).toString();
    for (QStringView line; reader.nextDetail(line);) {
        if (!line.isEmpty()) {
            const DetailFields f(line);
            amount.resize(0);
            amount.append(f.amount);
            contents.rows.append(f.name, f.card, DecimalPoint(amount));
        }
    }
    return contents;
}

PayrollRows ImportPayrollText(QByteArrayView bytes)
{
    // Counted first, so that the list is allocated once at its final size.
    qsizetype count = 0;
    ByteLines counting(bytes);
    for (QByteArrayView line; counting.next(line);)
        count += WithoutLeadingTabs(line).isEmpty() ? 0 : 1;
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
        rows.append(Decoded(name, nameBuffer), cardText, DecimalPoint(amountBuffer));
    }
    return rows;
}

QString TableNotFilledMessage()
{
    return u"Таблица не заполнена! Заполните поля в таблице, затем повторно нажмите \"Сохранить\""_s;
}

QString HeaderIncompleteMessage()
{
    return u"Заполните все поля данных ведомостей!"_s;
}

QString BadDataMessage()
{
    return u"Введены неверные данные!"_s;
}

QString BadFormatMessage()
{
    return u"Неверный формат файла!"_s;
}

QString CannotOpenTextMessage()
{
    return u"Не могу открыть файл. Возможно файл занят другим приложением или у вас нет доступа к данному файлу"_s;
}

QString CannotReplaceMessage()
{
    return u"Не смог перезаписать файл. Может быть файл занят другим приложением. "
           u"Закройте все приложения, использующие этот файл и повторите процедуру!"_s;
}

QString PadRegisterNumberText(const QString &text)
{
    const QString t = ReplaceAll(text, kSpace, QString());
    if (t.isEmpty())
        return text;
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok, 10);
    if (!ok || n < 0 || n >= 10000)
        return text;
    return QString::number(n).rightJustified(5, QLatin1Char('0'));
}

bool TableFilled(const PayrollRows &rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (rows.name(i).isEmpty() || rows.card(i).isEmpty())
            return false;
    return true;
}

bool HeaderComplete(const PayrollHeader &header)
{
    const auto filled = [](const QString &text) {
        // An empty text cannot come from the masked boxes, but would leave a
        // gap in the file name all the same.
        return !text.isEmpty() && !text.contains(QLatin1Char(' ')) && !text.contains(QLatin1Char('#'));
    };
    return filled(header.registerNumber) && !header.date.isEmpty() && header.monthIndex >= 0
            && header.monthIndex <= 11 && filled(header.year);
}

bool CardNumberValid(QStringView card)
{
    return std::all_of(card.cbegin(), card.cend(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool CardNumbersValid(const PayrollRows &rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (!CardNumberValid(rows.card(i)))
            return false;
    return true;
}

PayrollRows ToPlainAmounts(PayrollRows rows)
{
    rows.rewriteAmounts(0, rows.size() - 1, [](qsizetype, QStringView amount) -> std::optional<QString> {
        if (amount.isEmpty())
            return u"0.00"_s;
        const Money value = Money::fromAmountText(amount);
        if (value.isPlainText(amount)) // most are plain already: no new string then
            return std::nullopt;
        return value.toPlain();
    });
    return rows;
}

std::optional<int> ParseMonthField(const QString &field)
{
    bool ok = false;
    const int n = field.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}

int MonthIndexFromField(const QString &field)
{
    const std::optional<int> month = ParseMonthField(field);
    if (!month)
        throw UserError(u"'%1' is not a valid integer value"_s.arg(Excerpt(field)));
    return *month >= 1 && *month <= 12 ? *month - 1 : -1;
}

QByteArray ReadPayrollFileBytes(const QString &path)
{
    return BankFileReader::readFile(path, [&path](const QFile &file) {
        return u"Cannot open file \"%1\". %2"_s.arg(path, file.errorString());
    });
}

QByteArray ReadPayrollTextBytes(const QString &path)
{
    return BankFileReader::readFile(path, [](const QFile &) { return CannotOpenTextMessage(); });
}
