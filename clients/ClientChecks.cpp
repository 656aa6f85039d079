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
    DateScanner scan(text);
    int day = 0, month = 0, year = 0, digits = 0;

    scan.skipBlanks();
    if (!scan.number(2, day, digits))
        return std::nullopt;
    scan.skipBlanks();
    if (!scan.take(u'.'))
        return std::nullopt;
    scan.skipBlanks();
    if (!scan.number(2, month, digits))
        return std::nullopt;
    scan.skipBlanks();
    if (!scan.take(u'.'))
        return std::nullopt;
    scan.skipBlanks();
    if (!scan.number(4, year, digits))
        return std::nullopt;
    scan.skipBlanks();
    scan.take(u'.');
    scan.skipBlanks();
    if (!scan.atEnd())
        return std::nullopt;

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

qsizetype FirstRefused(const QString &s, bool (*allowed)(QChar, int), int docType)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (!allowed(s[i], docType))
            return i;
    }
    return -1;
}

} // namespace

ClientCheckResult CheckSurname(const ClientFields &f)
{
    const QString s = NormaliseYo(f.surname);
    if (s.isEmpty())
        return Fail(ClientField::Surname, ClientFillMessage(ClientField::Surname));
    if (const qsizetype i = FirstRefused(s, IsNameChar, f.docType); i >= 0)
        return Fail(ClientField::Surname, ClientRefusedCharMessage(ClientField::Surname, s, s[i], false));
    return std::nullopt;
}

ClientCheckResult CheckName(const ClientFields &f)
{
    const QString s = NormaliseYo(f.name);
    if (s.isEmpty())
        return Fail(ClientField::Name, ClientFillMessage(ClientField::Name));
    if (const qsizetype i = FirstRefused(s, IsNameChar, f.docType); i >= 0)
        return Fail(ClientField::Name, ClientRefusedCharMessage(ClientField::Name, s, s[i], true));
    return std::nullopt;
}

ClientCheckResult CheckPatronymic(const ClientFields &f)
{
    const QString s = NormaliseYo(f.patronymic);
    if (const qsizetype i = FirstRefused(s, IsPatronymicChar, f.docType); i >= 0)
        return Fail(ClientField::Patronymic, ClientRefusedCharMessage(ClientField::Patronymic, s, s[i], true));
    return std::nullopt;
}

ClientCheckResult CheckInn(const ClientFields &f)
{
    if (RemoveBlanks(f.inn).isEmpty())
        return Fail(ClientField::Inn, ClientFillMessage(ClientField::Inn));
    return std::nullopt;
}

ClientCheckResult CheckBirthday(const ClientFields &f, int currentYear)
{
    if (DateSkeleton(f.birthday).isEmpty())
        return Fail(ClientField::Birthday, ClientFillMessage(ClientField::Birthday));
    if (!IsDate(f.birthday, currentYear))
        return Fail(ClientField::Birthday, ClientBirthdayWrongMessage());
    return std::nullopt;
}

ClientCheckResult CheckPhone(const ClientFields &)
{
    return std::nullopt; // optional and unchecked
}

ClientCheckResult CheckPassportSeries(const ClientFields &f)
{
    const QString &s = f.passportSeries;
    if (s.isEmpty())
        return Fail(ClientField::PassportSeries, ClientFillMessage(ClientField::PassportSeries));
    if (!IsPassportType(f.docType))
        return std::nullopt;
    if (s.size() > 2)
        return Fail(ClientField::PassportSeries,
                    ClientSeriesLengthMessage());
    for (const QChar c : s) {
        if (c != QChar(0) && (c < u'A' || c > u'Z'))
            return Fail(ClientField::PassportSeries,
                        ClientSeriesRefusedMessage());
    }
    return std::nullopt;
}

ClientCheckResult CheckPassportNumber(const ClientFields &f)
{
    if (RemoveBlanks(f.passportNumber).isEmpty())
        return Fail(ClientField::PassportNumber, ClientFillMessage(ClientField::PassportNumber));
    if (f.passportNumber.size() != 7 && IsPassportType(f.docType))
        return Fail(ClientField::PassportNumber, ClientPassportNumberLengthMessage());
    return std::nullopt;
}

ClientCheckResult CheckIssueDate(const ClientFields &f, int currentYear)
{
    if (DateSkeleton(f.passportDate).isEmpty())
        return Fail(ClientField::PassportDate, ClientFillMessage(ClientField::PassportDate));
    if (!IsDate(f.passportDate, currentYear))
        return Fail(ClientField::PassportDate, ClientIssueDateWrongMessage());
    return std::nullopt;
}

ClientCheckResult CheckIssuePlace(const ClientFields &f)
{
    if (RemoveBlanks(f.passportPlace).isEmpty() && IsPassportType(f.docType))
        return Fail(ClientField::PassportPlace, ClientFillMessage(ClientField::PassportPlace));
    return std::nullopt;
}

ClientCheckResult CheckAddress(const ClientFields &f)
{
    if (RemoveBlanks(f.address).isEmpty() && IsPassportType(f.docType))
        return Fail(ClientField::Address, ClientFillMessage(ClientField::Address));
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
        return Fail(ClientField::PassportEnd,
                    ClientBiometricTermMessage());
    return std::nullopt;
}

ClientCheckResult CheckBirthPlace(const ClientFields &f)
{
    if (RemoveBlanks(f.placeOfBirth).isEmpty())
        return Fail(ClientField::PlaceOfBirth, ClientFillMessage(ClientField::PlaceOfBirth));
    return std::nullopt;
}

ClientCheckResult CheckTaxOffice(const ClientFields &f)
{
    if (RemoveBlanks(f.taxOffice).isEmpty())
        return Fail(ClientField::TaxOffice, ClientFillMessage(ClientField::TaxOffice));
    return std::nullopt;
}

ClientCheckResult CheckMobile(const ClientFields &f)
{
    QString digits = RemoveBlanks(f.mobileNumber);
    for (const QString &literal : {u"("_s, u")"_s, u"-"_s})
        digits = ReplaceAll(digits, literal, QString());
    if (digits.isEmpty())
        return Fail(ClientField::MobileNumber, ClientFillMessage(ClientField::MobileNumber));
    return std::nullopt;
}

ClientCheckResult CheckIssuedBy(const ClientFields &f)
{
    if (RemoveBlanks(f.passportIssuedBy).isEmpty())
        return Fail(ClientField::PassportIssuedBy, ClientFillMessage(ClientField::PassportIssuedBy));
    return std::nullopt;
}

ClientCheckResult RunClientChecks(const ClientFields &f, int currentYear, int count)
{
    using Check = ClientCheckResult (*)(const ClientFields &, int);
    static constexpr Check kChecks[kClientCheckCount] = {
        [](const ClientFields &f, int) { return CheckSurname(f); },
        [](const ClientFields &f, int) { return CheckName(f); },
        [](const ClientFields &f, int) { return CheckPatronymic(f); },
        [](const ClientFields &f, int) { return CheckInn(f); },
        CheckBirthday,
        [](const ClientFields &f, int) { return CheckPhone(f); },
        [](const ClientFields &f, int) { return CheckPassportSeries(f); },
        [](const ClientFields &f, int) { return CheckPassportNumber(f); },
        CheckIssueDate,
        [](const ClientFields &f, int) { return CheckIssuePlace(f); },
        [](const ClientFields &f, int) { return CheckAddress(f); },
        CheckEndDate,
        [](const ClientFields &f, int) { return CheckBirthPlace(f); },
        [](const ClientFields &f, int) { return CheckTaxOffice(f); },
        [](const ClientFields &f, int) { return CheckMobile(f); },
        [](const ClientFields &f, int) { return CheckIssuedBy(f); },
    };
    for (int i = 0; i < count && i < kClientCheckCount; ++i) {
        if (ClientCheckResult failure = kChecks[i](f, currentYear))
            return failure;
    }
    return std::nullopt;
}
