#include "payroll/PayrollFile.h"

#include "common/Cp1251.h"
#include "common/Crc32Calculator.h"
#include "common/Money.h"
#include "common/TextRoutines.h"
#include "common/UserError.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

const QString kSpace = u" "_s;
const QString kZero = u"0"_s;

QString MomentText(const QDateTime &moment)
{
    return moment.toString(u"dd.MM.yyyy HH:mm:ss"_s);
}

QString HeaderLineText(const SettingsRecord &settings, const PayrollHeader &header, const QDateTime &moment)
{
    QString line;
    line.reserve(80);
    const QString fields[] = {
        u"H"_s,
        u"0000000001"_s,
        MomentText(moment),
        ReplaceAll(settings.filialCode, kSpace, kZero),
        ReplaceAll(settings.clientCode, kSpace, kZero),
        ReplaceAll(header.date, kSpace, QString()),
        MonthDigits(header.monthIndex),
        header.year,
        ReplaceAll(header.registerNumber, kSpace, kZero),
    };
    for (const QString &f : fields) {
        line += f;
        line += FieldSeparator;
    }
    return line;
}

void AppendDetailLine(QString &out, qsizetype dataIndex, const PayrollRow &row)
{
    out += QLatin1Char('D');
    out += FieldSeparator;
    // Grid row i (1-based) is numbered i + 1: left-out rows leave a gap.
    out += FormatLineNumber(dataIndex + 2);
    out += FieldSeparator;
    out += row.name;
    out += FieldSeparator;
    out += row.card;
    out += FieldSeparator;
    out += ReplaceAll(row.amount, kSpace, QString());
    out += FieldSeparator;
}

QString TrailerLineText(qsizetype rowCount, quint32 crc)
{
    // The grid's row count includes its header row: N data rows give N + 2.
    return u"T"_s + FieldSeparator + FormatLineNumber(rowCount + 2) + FieldSeparator + FormatCRC32(crc)
            + FieldSeparator;
}

struct BuiltFile
{
    QByteArray bytes;
    quint32 crc = 0;
    QString trailer;
};

// Writes into a buffer sized for the worst case, then trims it.
class ByteWriter
{
public:
    explicit ByteWriter(qsizetype capacity)
        : m_bytes(capacity, Qt::Uninitialized)
        , m_end(m_bytes.data())
    {
    }
    const char *position() const { return m_end; }
    void text(QStringView text) { m_end = Cp1251::encodeInto(m_end, text); }
    void field(QStringView text)
    {
        this->text(text);
        *m_end++ = '\t';
    }
    // The plain form of a display amount is the same text without its blanks.
    void amountField(QStringView amount)
    {
        for (QChar c : amount) {
            if (c == QLatin1Char(' '))
                continue;
            m_end = c.unicode() < 0x80 ? (*m_end = char(c.unicode()), m_end + 1)
                                       : Cp1251::encodeInto(m_end, QStringView(&c, 1));
        }
        *m_end++ = '\t';
    }
    void lineNumber(qint64 n)
    {
        for (int i = 9; i >= 0; --i, n /= 10)
            m_end[i] = char('0' + n % 10);
        m_end[10] = '\t';
        m_end += 11;
    }
    void raw(const char *text, qsizetype n)
    {
        std::memcpy(m_end, text, size_t(n));
        m_end += n;
    }
    QByteArray take()
    {
        m_bytes.truncate(m_end - m_bytes.constData());
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    char *m_end;
};

// Lines are encoded straight into the file's bytes; the CRC takes each line
// as it is written, without its CR LF, so it always describes those bytes.
BuiltFile Build(const SettingsRecord &settings, const PayrollHeader &header, const QList<PayrollRow> &rows,
                const QDateTime &moment)
{
    const QString headerLine = HeaderLineText(settings, header, moment);
    // Header and CR LF, the trailer (24 bytes), and per detail line its
    // texts plus 18 bytes of type, number, separators and CR LF.
    qsizetype capacity = headerLine.size() + 2 + 24;
    for (const PayrollRow &row : rows)
        capacity += row.name.size() + row.card.size() + row.amount.size() + 18;

    ByteWriter out(capacity);
    Crc32Builder crc;
    const char *line = out.position();
    out.text(headerLine);
    crc.add(QByteArrayView(line, out.position()));
    out.raw("\r\n", 2);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const PayrollRow &row = rows[i];
        if (!IsWrittenRow(row))
            continue;
        line = out.position();
        out.raw("D\t", 2);
        // Grid row i + 1 is numbered i + 2: left-out rows leave a gap.
        out.lineNumber(i + 2);
        out.field(row.name);
        out.field(row.card);
        out.amountField(row.amount);
        crc.add(QByteArrayView(line, out.position()));
        out.raw("\r\n", 2);
    }

    BuiltFile built;
    crc.result(built.crc); // keeps 0 when the table fails its self-test
    built.trailer = TrailerLineText(rows.size(), built.crc);
    out.text(built.trailer);
    out.raw("\r\n", 2);
    built.bytes = out.take();
    return built;
}

bool IsBankCode(const QString &code)
{
    for (QChar c : code) {
        if (c != QLatin1Char(' ') && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return false;
    }
    return true;
}

// Field `index` of a line split at every separator, empty when it has fewer.
QStringView FieldAt(QStringView line, int index)
{
    qsizetype start = 0;
    for (int k = 0; k < index; ++k) {
        const qsizetype tab = line.indexOf(FieldSeparator, start);
        if (tab < 0)
            return {};
        start = tab + 1;
    }
    const qsizetype tab = line.indexOf(FieldSeparator, start);
    return tab < 0 ? line.mid(start) : line.mid(start, tab - start);
}

QString DecimalPoint(QStringView amount)
{
    return ReplaceAll(amount.toString(), u","_s, u"."_s);
}

QString SizeMessage(const QString &path)
{
    return u"Файл \"%1\" больше %2 МБ и не может быть открыт"_s.arg(path).arg(kMaxImportFileSize / (1024 * 1024));
}

// Reads the whole file, refusing it when it is larger than the limit.
// cannotOpen gives the message for a file that cannot be read.
template<typename Message>
QByteArray ReadLimited(const QString &path, Message cannotOpen)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(cannotOpen(file));
    if (file.size() > kMaxImportFileSize)
        throw UserError(SizeMessage(path));
    QByteArray bytes = file.read(kMaxImportFileSize + 1); // the file may grow meanwhile
    if (bytes.size() > kMaxImportFileSize)
        throw UserError(SizeMessage(path));
    if (file.error() != QFileDevice::NoError)
        throw UserError(cannotOpen(file));
    return bytes;
}

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

void CheckBankCodes(const SettingsRecord &settings)
{
    if (!IsBankCode(settings.filialCode))
        throw UserError(u"Код филиала в файле \"settings.ini\" содержит недопустимые символы. "
                        u"Допустимы только цифры. Сохраните банковские реквизиты в окне \"Настройки\" заново"_s);
    if (!IsBankCode(settings.clientCode))
        throw UserError(u"Код клиента в файле \"settings.ini\" содержит недопустимые символы. "
                        u"Допустимы только цифры. Сохраните банковские реквизиты в окне \"Настройки\" заново"_s);
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

bool IsWrittenRow(const PayrollRow &row)
{
    return !row.name.isEmpty() && !row.card.isEmpty() && row.amount != u"0.00"_s;
}

QStringList PayrollLines(const SettingsRecord &settings, const PayrollHeader &header,
                         const QList<PayrollRow> &plainRows, const QDateTime &moment)
{
    QStringList lines;
    lines.reserve(plainRows.size() + 2);
    lines << HeaderLineText(settings, header, moment);
    for (qsizetype i = 0; i < plainRows.size(); ++i) {
        if (!IsWrittenRow(plainRows[i]))
            continue;
        QString line;
        AppendDetailLine(line, i, plainRows[i]);
        lines << line;
    }
    lines << Build(settings, header, plainRows, moment).trailer;
    return lines;
}

quint32 PayrollChecksum(const SettingsRecord &settings, const PayrollHeader &header,
                        const QList<PayrollRow> &plainRows, const QDateTime &moment)
{
    return Build(settings, header, plainRows, moment).crc;
}

QByteArray BuildPayrollFile(const SettingsRecord &settings, const PayrollHeader &header,
                            const QList<PayrollRow> &plainRows, const QDateTime &moment)
{
    return Build(settings, header, plainRows, moment).bytes;
}

PayrollFileContents ReadPayrollFile(QByteArrayView bytes)
{
    const QString text = DecodeText(bytes);
    LineSplitter lines(text);
    QStringView first;
    if (!lines.next(first))
        throw UserError(BadFormatMessage());
    // A line too short to hold the tested character fails as well.
    const bool passes = first.startsWith(QLatin1Char('H')) || (first.size() >= 2 && first[1] == FieldSeparator);
    if (!passes)
        throw UserError(BadFormatMessage());

    PayrollFileContents contents;
    contents.firstLine = first.toString();
    contents.date = FieldAt(first, 5).toString();
    contents.monthField = FieldAt(first, 6).toString();
    contents.year = FieldAt(first, 7).toString();
    contents.registerNumber = FieldAt(first, 8).toString();

    // Each line is taken once the next one is seen: the last line is taken
    // to be the trailer and never read.
    QStringView pending;
    bool hasPending = false;
    for (QStringView line; lines.next(line);) {
        if (hasPending && !pending.isEmpty())
            contents.rows.append({FieldAt(pending, 2).toString(), FieldAt(pending, 3).toString(),
                                  DecimalPoint(FieldAt(pending, 4))});
        pending = line;
        hasPending = true;
    }
    return contents;
}

QList<PayrollRow> ImportPayrollText(QByteArrayView bytes)
{
    const QString text = DecodeText(bytes);
    LineSplitter lines(text);
    QList<PayrollRow> rows;
    for (QStringView line; lines.next(line);) {
        while (line.startsWith(FieldSeparator))
            line = line.mid(1);
        if (line.isEmpty())
            continue; // empty or TABs only: nothing to take

        const qsizetype nameEnd = line.indexOf(FieldSeparator);
        const QStringView name = nameEnd < 0 ? QStringView() : line.first(nameEnd);
        const QStringView remainder = line.mid(name.size() + 1);
        const qsizetype cardEnd = remainder.indexOf(FieldSeparator);
        PayrollRow row;
        row.name = name.toString();
        if (cardEnd >= 0) {
            row.card = ReplaceAll(remainder.first(cardEnd).toString(), kSpace, QString());
            row.amount = DecimalPoint(remainder.mid(cardEnd + 1));
        } else {
            row.amount = DecimalPoint(remainder);
        }
        rows.append(std::move(row));
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

bool TableFilled(const QList<PayrollRow> &rows)
{
    return std::all_of(rows.cbegin(), rows.cend(),
                       [](const PayrollRow &r) { return !r.name.isEmpty() && !r.card.isEmpty(); });
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

bool CardNumberValid(const QString &card)
{
    return std::all_of(card.cbegin(), card.cend(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool CardNumbersValid(const QList<PayrollRow> &rows)
{
    return std::all_of(rows.cbegin(), rows.cend(), [](const PayrollRow &r) { return CardNumberValid(r.card); });
}

QList<PayrollRow> ToPlainAmounts(QList<PayrollRow> rows)
{
    for (PayrollRow &row : rows)
        row.amount = row.amount.isEmpty() ? u"0.00"_s : Money::fromAmountText(row.amount).toPlain();
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
        throw UserError(u"'%1' is not a valid integer value"_s.arg(field));
    return *month >= 1 && *month <= 12 ? *month - 1 : -1;
}

QByteArray ReadPayrollFileBytes(const QString &path)
{
    return ReadLimited(path, [&path](const QFile &file) {
        return u"Cannot open file \"%1\". %2"_s.arg(path, file.errorString());
    });
}

QByteArray ReadPayrollTextBytes(const QString &path)
{
    return ReadLimited(path, [](const QFile &) { return CannotOpenTextMessage(); });
}
