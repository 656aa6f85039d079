#include "payroll/PayrollVerify.h"

#include "common/Digits.h"
#include "payroll/PayrollAmounts.h"
#include "payroll/PayrollWarnings.h"

#include <QDate>
#include <QTime>

using namespace Qt::StringLiterals;

namespace {

// The register's total of its plain amounts and its warnings over its
// detail lines, named by their lines.
class PayrollWarner final : public BankFileWarner
{
public:
    void detail(const QStringList &f, qsizetype line) override
    {
        m_rows.append(f.value(2), f.value(3), f.value(4));
        m_lines.append(line);
        const std::optional<Money> value = Money::parse(f.value(4));
        if (value && value->toPlain() == f.value(4))
            m_total.add(*value);
    }
    void finish(VerifyReport &report) override
    {
        // The bank adds nothing up: a total beyond the range is no fault of the file.
        report.total = m_total.value();
        report.totalBeyondRange = !report.total;
        const auto lineOf = [this](qsizetype row) { return m_lines[row]; };
        for (const Warning &w : PayrollWarnings(m_rows, lineOf))
            report.warn(lineOf(w.row), w.code, w.field, w.message);
    }

private:
    PayrollRows m_rows;
    QList<qsizetype> m_lines;
    RegisterTotal m_total;
};

class PayrollRules final : public BankFileRules
{
public:
    QString kind() const override { return u"payroll register (ZPSV)"_s; }
    QString kindId() const override { return u"payroll"_s; }
    QString namePrefix() const override { return u"ZPSV"_s; }
    qsizetype headerFieldCount() const override { return 9; }
    qsizetype detailFieldCount() const override { return 5; }

    void begin(VerifyReport &report) const override { report.total = Money(); }

    void checkHeader(const QStringList &f, qsizetype line, VerifyReport &report) const override
    {
        const QString moment = f.value(2);
        // Date and time apart: a local moment is no instant, so no time zone
        // of the checking machine may call it invalid.
        if (moment.size() != 19 || moment[10] != u' '
            || !QDate::fromString(moment.left(10), u"dd.MM.yyyy"_s).isValid()
            || !QTime::fromString(moment.mid(11), u"HH:mm:ss"_s).isValid())
            report.add(line, u"moment-format"_s, u"moment"_s, u"moment of saving %1 is not dd.mm.yyyy hh:mm:ss"_s.arg(QuotedField(moment)));
        if (!AsciiDigitsOfLength(f.value(3), 5))
            report.add(line, u"branch-code"_s, u"branch_code"_s, u"branch code %1 is not 5 digits"_s.arg(QuotedField(f.value(3))));
        if (!AsciiDigitsOfLength(f.value(4), 8))
            report.add(line, u"client-code"_s, u"client_code"_s, u"client code %1 is not 8 digits"_s.arg(QuotedField(f.value(4))));
        if (!QDate::fromString(f.value(5), u"dd.MM.yyyy"_s).isValid())
            report.add(line, u"register-date"_s, u"register_date"_s, u"register date %1 is not dd.mm.yyyy"_s.arg(QuotedField(f.value(5))));
        const QString month = f.value(6);
        if (!AsciiDigitsOfLength(month, 2) || month.toInt() < 1 || month.toInt() > 12)
            report.add(line, u"month"_s, u"month"_s, u"month %1 is not 01 to 12"_s.arg(QuotedField(month)));
        if (!AsciiDigitsOfLength(f.value(7), 4))
            report.add(line, u"year"_s, u"year"_s, u"year %1 is not 4 digits"_s.arg(QuotedField(f.value(7))));
        if (!AsciiDigitsOfLength(f.value(8), 5))
            report.add(line, u"register-number"_s, u"register_number"_s, u"register number %1 is not 5 digits"_s.arg(QuotedField(f.value(8))));
    }

    void checkDetail(const QStringList &f, qsizetype line, VerifyReport &report) const override
    {
        if (f.value(2).isEmpty())
            report.add(line, u"name-empty"_s, u"full_name"_s, u"full name is empty"_s);
        const QString card = f.value(3);
        if (card.isEmpty())
            report.add(line, u"card-empty"_s, u"card"_s, u"card number is empty"_s);
        else if (!AllAsciiDigits(card))
            report.add(line, u"card-not-digits"_s, u"card"_s, u"card number %1 holds a character other than a digit"_s.arg(QuotedField(card)));
        const QString amount = f.value(4);
        const std::optional<Money> value = Money::parse(amount);
        if (!value || value->toPlain() != amount)
            report.add(line, u"amount-format"_s, u"amount"_s, u"amount %1 is not in the plain form 1234567.50"_s.arg(QuotedField(amount)));
    }

    std::unique_ptr<BankFileWarner> warner() const override { return std::make_unique<PayrollWarner>(); }

    void checkFileName(const QString &name, const QStringList &f, VerifyReport &report) const override
    {
        const QString expected = namePrefix() + f.value(3) + f.value(4) + f.value(6) + f.value(7) + f.value(8);
        if (name != expected)
            report.add(1, u"file-name"_s, u"file_name"_s, u"file name %1 does not match the header line (%2)"_s.arg(QuotedField(name), QuotedField(expected)));
    }
};

} // namespace

const BankFileRules &PayrollFileRules()
{
    static const PayrollRules rules;
    return rules;
}
