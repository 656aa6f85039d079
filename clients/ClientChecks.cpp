#include "clients/ClientChecks.h"

#include "clients/ClientTexts.h"

#include "common/Cp1251.h"
#include "common/TextRoutines.h"

using namespace Qt::StringLiterals;

bool IsLatinClassChar(QChar c)
{
    const int code = Cp1251::code(c);
    return code == 0 || code == 0x27 || code == 0x2D || (code >= 0x41 && code <= 0x7A);
}

bool IsCyrillicRangeChar(QChar c)
{
    return Cp1251::code(c) >= 0xC0; // code() never exceeds 0xFF
}

bool IsNameChar(QChar c, int docType)
{
    return IsLatinClassChar(c) || (!IsBiometricType(docType) && IsCyrillicRangeChar(c));
}

bool IsPatronymicChar(QChar c, int docType)
{
    return c == u' ' || IsNameChar(c, docType);
}

QString NormaliseYo(const QString &text)
{
    return ReplaceAll(ReplaceAll(text, u"Ё"_s, u"Е"_s), u"ё"_s, u"е"_s);
}

QString RemoveBlanks(const QString &text)
{
    return ReplaceAll(text, u" "_s, QString());
}

QString DateSkeleton(const QString &text)
{
    return ReplaceAll(RemoveBlanks(text), u"."_s, QString());
}

namespace {

class DateScanner
{
public:
    explicit DateScanner(QStringView text) : m_text(text) {}

    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos] == u' ')
            ++m_pos;
    }
    bool take(QChar c)
    {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    // ASCII digits only, at most maxDigits of them; digits gives their count.
    bool number(int maxDigits, int &value, int &digits)
    {
        value = 0;
        digits = 0;
        while (m_pos < m_text.size() && m_text[m_pos] >= u'0' && m_text[m_pos] <= u'9') {
            if (++digits > maxDigits)
                return false;
            value = value * 10 + (m_text[m_pos].unicode() - u'0');
            ++m_pos;
        }
        return digits > 0;
    }
    bool atEnd() const { return m_pos == m_text.size(); }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

int WindowedYear(int twoDigits, int currentYear)
{
    const int first = currentYear - 50;
    int year = first - first % 100 + twoDigits;
    if (year < first)
        year += 100;
    return year;
}

} // namespace

std::optional<QDate> DateFromText(const QString &text, int currentYear)
{
    // Day, month and year, each ended by a "." that only the year may lack.
    static constexpr int kMaxDigits[3] = {2, 2, 4};
    DateScanner scan(text);
    int parts[3] = {};
    int digits = 0;
    for (int i = 0; i < 3; ++i) {
        scan.skipBlanks();
        if (!scan.number(kMaxDigits[i], parts[i], digits))
            return std::nullopt;
        scan.skipBlanks();
        if (!scan.take(u'.') && i < 2)
            return std::nullopt;
    }
    scan.skipBlanks();
    if (!scan.atEnd())
        return std::nullopt;

    const int day = parts[0], month = parts[1];
    int year = parts[2];
    if (digits <= 2)
        year = WindowedYear(year, currentYear);
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

bool IsDate(const QString &text, int currentYear)
{
    return text.isEmpty() || DateFromText(text, currentYear).has_value();
}

QDate BiometricPassportEnd(QDate issue)
{
    // QDate::addYears takes the month's last day when the day does not exist.
    return issue.addYears(10).addDays(-1);
}

namespace {

ClientCheckResult Fail(ClientField field, const QString &message)
{
    return ClientCheckFailure{field, message};
}

// Blanks alone count as nothing typed.
ClientCheckResult CheckFilled(ClientField field, const QString &text)
{
    if (RemoveBlanks(text).isEmpty())
        return Fail(field, ClientFillMessage(field));
    return std::nullopt;
}

// Names are judged with "Ё" and "ё" as "Е" and "е"; the patronymic may be
// empty and hold blanks. Only the surname's refusal leaves out the hint that
// the character is likely not Cyrillic.
ClientCheckResult CheckNamePart(ClientField field, const QString &typed, int docType)
{
    const QString s = NormaliseYo(typed);
    const bool patronymic = field == ClientField::Patronymic;
    if (s.isEmpty() && !patronymic)
        return Fail(field, ClientFillMessage(field));
    for (const QChar c : s) {
        if (!(patronymic ? IsPatronymicChar(c, docType) : IsNameChar(c, docType)))
            return Fail(field, ClientRefusedCharMessage(field, s, c, field != ClientField::Surname));
    }
    return std::nullopt;
}

ClientCheckResult CheckRequiredDate(ClientField field, const QString &text, const QString &wrongMessage,
                                    int currentYear)
{
    if (DateSkeleton(text).isEmpty())
        return Fail(field, ClientFillMessage(field));
    if (!IsDate(text, currentYear))
        return Fail(field, wrongMessage);
    return std::nullopt;
}

ClientCheckResult CheckPassportSeries(const ClientFields &f)
{
    const QString &s = f.passportSeries;
    if (s.isEmpty())
        return Fail(ClientField::PassportSeries, ClientFillMessage(ClientField::PassportSeries));
    if (!IsPassportType(f.docType))
        return std::nullopt;
    if (s.size() > 2)
        return Fail(ClientField::PassportSeries, ClientSeriesLengthMessage());
    for (const QChar c : s) {
        if (c != QChar(0) && (c < u'A' || c > u'Z'))
            return Fail(ClientField::PassportSeries, ClientSeriesRefusedMessage());
    }
    return std::nullopt;
}

ClientCheckResult CheckPassportNumber(const ClientFields &f)
{
    if (ClientCheckResult failure = CheckFilled(ClientField::PassportNumber, f.passportNumber))
        return failure;
    if (f.passportNumber.size() != 7 && IsPassportType(f.docType))
        return Fail(ClientField::PassportNumber, ClientPassportNumberLengthMessage());
    return std::nullopt;
}

ClientCheckResult CheckEndDate(const ClientFields &f, int currentYear)
{
    const QString &e = f.passportEnd;
    const bool typed = !DateSkeleton(e).isEmpty();
    if (typed && !IsDate(e, currentYear))
        return Fail(ClientField::PassportEnd, ClientEndDateWrongMessage());
    if (!typed) {
        if (IsPassportType(f.docType))
            return Fail(ClientField::PassportEnd, ClientFillMessage(ClientField::PassportEnd));
        return std::nullopt;
    }
    if (!IsBiometricType(f.docType))
        return std::nullopt;
    // The issue date has passed its own check; run alone with a bad one,
    // no end date can match.
    const std::optional<QDate> issue = DateFromText(f.passportDate, currentYear);
    const std::optional<QDate> end = DateFromText(e, currentYear);
    if (!issue || !end || *end != BiometricPassportEnd(*issue))
        return Fail(ClientField::PassportEnd, ClientBiometricTermMessage());
    return std::nullopt;
}

// The mask's literals alone count as nothing typed.
ClientCheckResult CheckMobile(const ClientFields &f)
{
    QString digits = f.mobileNumber;
    for (const QString &literal : {u"("_s, u")"_s, u"-"_s})
        digits = ReplaceAll(digits, literal, QString());
    return CheckFilled(ClientField::MobileNumber, digits);
}

ClientCheckResult CheckField(ClientField field, const ClientFields &f, int currentYear)
{
    using F = ClientField;
    const bool passport = IsPassportType(f.docType);
    switch (field) {
    case F::Surname: return CheckNamePart(field, f.surname, f.docType);
    case F::Name: return CheckNamePart(field, f.name, f.docType);
    case F::Patronymic: return CheckNamePart(field, f.patronymic, f.docType);
    case F::Inn: return CheckFilled(field, f.inn);
    case F::Birthday: return CheckRequiredDate(field, f.birthday, ClientBirthdayWrongMessage(), currentYear);
    case F::PassportSeries: return CheckPassportSeries(f);
    case F::PassportNumber: return CheckPassportNumber(f);
    case F::PassportDate: return CheckRequiredDate(field, f.passportDate, ClientIssueDateWrongMessage(), currentYear);
    case F::PassportPlace: return passport ? CheckFilled(field, f.passportPlace) : std::nullopt;
    case F::Address: return passport ? CheckFilled(field, f.address) : std::nullopt;
    case F::PassportEnd: return CheckEndDate(f, currentYear);
    case F::PlaceOfBirth: return CheckFilled(field, f.placeOfBirth);
    case F::TaxOffice: return CheckFilled(field, f.taxOffice);
    case F::MobileNumber: return CheckMobile(f);
    case F::PassportIssuedBy: return CheckFilled(field, f.passportIssuedBy);
    case F::Phone:
    case F::None:
    case F::Table: break;
    }
    return std::nullopt;
}

} // namespace

ClientCheckResult RunClientChecks(const ClientFields &f, int currentYear, int count)
{
    // The fields from the surname on stand in the checks' order.
    for (int i = 1; i <= count && i <= kClientCheckCount; ++i) {
        if (ClientCheckResult failure = CheckField(ClientField(i), f, currentYear))
            return failure;
    }
    return std::nullopt;
}
