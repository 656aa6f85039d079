#include "clients/ClientListVerify.h"

#include "clients/ClientChecks.h"
#include "clients/ClientListFile.h"
#include "clients/ClientWarnings.h"
#include "common/Digits.h"
#include "common/TextRoutines.h"

#include <QDate>
#include <QTime>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool DigitsOnly(QStringView text, qsizetype minSize, qsizetype maxSize)
{
    return text.size() >= minSize && text.size() <= maxSize
            && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// "dd.mm.yyyy", with " hh:mm:ss" after it unless the moment was midnight.
// Date and time apart: a local moment is no instant, so no time zone of the
// checking machine may call it invalid.
bool IsMomentText(const QString &text)
{
    if (!QDate::fromString(text.left(10), u"dd.MM.yyyy"_s).isValid())
        return false;
    return text.size() == 10
            || (text.size() == 19 && text[10] == u' ' && QTime::fromString(text.mid(11), u"HH:mm:ss"_s).isValid());
}

// The clients' warnings over the detail lines, named by their lines.
class ClientListWarner final : public BankFileWarner
{
public:
    explicit ClientListWarner(QDate today) : m_today(today) {}
    void detail(const QStringList &f, qsizetype line) override
    {
        if (const std::optional<ClientRecord> record = RecordFromDetailFields(f)) {
            m_records.append(*record);
            m_lines.append(line);
        }
    }
    void finish(VerifyReport &report) override
    {
        const auto lineOf = [this](qsizetype row) { return m_lines[row]; };
        for (const Warning &w : ClientWarnings(m_records, m_today, lineOf))
            report.warn(lineOf(w.row), w.code, w.field, w.message);
    }

private:
    QDate m_today;
    ClientRecords m_records;
    QList<qsizetype> m_lines;
};

} // namespace

QString ClientListRules::kind() const
{
    return u"client list (CLSV)"_s;
}

QString ClientListRules::kindId() const
{
    return u"clients"_s;
}

QString ClientListRules::namePrefix() const
{
    return u"CLSV"_s;
}

QString ClientListRules::detailLabel() const
{
    return u"Clients"_s;
}

void ClientListRules::checkHeader(const QStringList &f, qsizetype line, VerifyReport &report) const
{
    if (!DigitsOnly(f.value(2), 1, 5))
        report.add(line, u"branch-code"_s, u"branch_code"_s, u"branch code %1 is not 1 to 5 digits"_s.arg(QuotedField(f.value(2))));
    if (!DigitsOnly(f.value(3), 1, 8))
        report.add(line, u"client-code"_s, u"client_code"_s, u"client code %1 is not 1 to 8 digits"_s.arg(QuotedField(f.value(3))));
    if (!IsMomentText(f.value(4)))
        report.add(line, u"moment-format"_s, u"moment"_s, u"moment of saving %1 is not dd.mm.yyyy hh:mm:ss or a date alone"_s.arg(QuotedField(f.value(4))));
}

void ClientListRules::checkDetail(const QStringList &f, qsizetype line, VerifyReport &report) const
{
    const QString sex = f.value(5);
    if (sex != u"M"_s && sex != u"F"_s)
        report.add(line, u"sex-code"_s, u"sex"_s, u"sex code %1 is not M or F"_s.arg(QuotedField(sex)));

    struct DateField { int index; const char16_t *name; const char16_t *field; };
    for (const DateField d : {DateField{6, u"date of birth", u"birthday"},
                              DateField{12, u"date of issue", u"passport_date"},
                              DateField{13, u"expiry date", u"passport_end"}}) {
        const QString text = f.value(d.index);
        // Blanks and dots alone: the date field was left unfilled.
        if (!DateSkeleton(text).isEmpty() && !DateFromText(text, m_currentYear))
            report.add(line, u"date-invalid"_s, QString::fromUtf16(d.field), u"%1 %2 is not a real date"_s.arg(QStringView(d.name), QuotedField(text)));
    }

    if (!DigitsOnly(f.value(7), 9, 9))
        report.add(line, u"inn-format"_s, u"inn"_s, u"taxpayer number %1 is not nine digits"_s.arg(QuotedField(f.value(7))));

    const QString doc = f.value(15);
    static const QStringList kCodes{u""_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"9"_s};
    if (!kCodes.contains(doc))
        report.add(line, u"doc-type-code"_s, u"doc_type"_s, u"document code %1 is not 1 to 7, 9 or empty"_s.arg(QuotedField(doc)));
}

void ClientListRules::checkFileName(const QString &name, const QStringList &f, VerifyReport &report) const
{
    const QString codes = namePrefix() + f.value(2) + f.value(3);
    const QStringView stamp = QStringView(name).sliced(std::min(codes.size(), name.size()));
    if (!name.startsWith(codes) || stamp.isEmpty() || !AllAsciiDigits(stamp))
        report.add(1, u"file-name"_s, u"file_name"_s,
                   u"file name %1 does not match the header line (%2)"_s.arg(QuotedField(VisiblePath(name)),
                                                                           QuotedField(codes + u"<moment>"_s)));
}

std::unique_ptr<BankFileWarner> ClientListRules::warner() const
{
    if (!m_today.isValid())
        return nullptr;
    return std::make_unique<ClientListWarner>(m_today);
}
