#include "payroll/AmountInWords.h"

#include "common/Cp1251.h"
#include "common/UserError.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

using Words = std::array<QStringView, 10>;

// Index 0 is never used.
constexpr Words kUnitsMasculine = {u"", u"один", u"два", u"три", u"четыре", u"пять", u"шесть", u"семь", u"восемь", u"девять"};
constexpr Words kUnitsFeminine = {u"", u"одна", u"две", u"три", u"четыре", u"пять", u"шесть", u"семь", u"восемь", u"девять"};
constexpr Words kTeens = {u"", u"одиннадцать", u"двенадцать", u"тринадцать", u"четырнадцать", u"пятнадцать",
                          u"шестнадцать", u"семнадцать", u"восемнадцать", u"девятнадцать"};
constexpr Words kTens = {u"", u"десять", u"двадцать", u"тридцать", u"сорок", u"пятьдесят",
                         u"шестьдесят", u"семьдесят", u"восемьдесят", u"девяносто"};
constexpr Words kHundreds = {u"", u"сто", u"двести", u"триста", u"четыреста", u"пятьсот",
                             u"шестьсот", u"семьсот", u"восемьсот", u"девятьсот"};

constexpr qint64 kBillion = 1'000'000'000;
constexpr qint64 kLimitTiyin = 1'000'000'000'000LL * 100;

enum class Group { Billions, Millions, Thousands };

// "миллиард"/"миллион" and "тысяч" take their endings by the group's value.
QString Ending(int g, Group group)
{
    const bool thousands = group == Group::Thousands;
    const int lastTwo = g % 100;
    const int last = g % 10;
    if (lastTwo >= 11 && lastTwo <= 19)
        return thousands ? u" "_s : u"ов "_s;
    if (last == 1)
        return thousands ? u"а "_s : u" "_s;
    if (last >= 2 && last <= 4)
        return thousands ? u"и "_s : u"а "_s;
    return thousands ? u" "_s : u"ов "_s;
}

QString TrimmedLow(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && s[end - 1].unicode() <= u' ')
        --end;
    return s.mid(begin, end - begin);
}

} // namespace

QString GroupInWords(int n, Gender gender)
{
    QString s;
    if (n <= 0 || n > 999)
        return s;
    auto word = [&s](QStringView w) {
        s += w;
        s += u' ';
    };
    if (n / 100 != 0)
        word(kHundreds[n / 100]);
    const int r = n % 100;
    if (r >= 11 && r <= 19) {
        word(kTeens[r - 10]);
        return s;
    }
    if (r / 10 != 0)
        word(kTens[r / 10]);
    if (r % 10 != 0)
        word((gender == Gender::Feminine ? kUnitsFeminine : kUnitsMasculine)[r % 10]);
    return s;
}

QChar UpCaseFirst(QChar c)
{
    const int code = Cp1251::code(c);
    if ((code >= 'a' && code <= 'z') || (code >= 0xE0 && code <= 0xFF))
        return Cp1251::character(static_cast<unsigned char>(code - 32));
    return c;
}

QString AmountInWords(Money amount)
{
    const qint64 tiyin = amount.abs().tiyin();
    if (tiyin >= kLimitTiyin)
        throw UserError(u"Сумма %1 слишком велика для записи прописью (не более 999 999 999 999.99)"_s
                            .arg(amount.toDisplay()));

    const qint64 whole = tiyin / 100;
    const int billions = int(whole / kBillion);
    int rest = int(whole % kBillion);

    QString s;
    if (billions != 0)
        s += GroupInWords(billions, Gender::Masculine) + u"миллиард"_s + Ending(billions, Group::Billions);
    const int millions = rest / 1'000'000;
    if (millions != 0)
        s += GroupInWords(millions, Gender::Masculine) + u"миллион"_s + Ending(millions, Group::Millions);
    rest %= 1'000'000;
    const int thousands = rest / 1000;
    if (thousands != 0)
        s += GroupInWords(thousands, Gender::Feminine) + u"тысяч"_s + Ending(thousands, Group::Thousands);
    rest %= 1000;
    if (rest != 0)
        s += GroupInWords(rest, Gender::Masculine);
    s += u"сум "_s;

    const int hundredths = int(tiyin % 100);
    if (hundredths < 10)
        s += u'0';
    s += QString::number(hundredths) + u" тийин"_s;

    s = TrimmedLow(s);
    if (amount.isNegative())
        return u"Минус "_s + s;
    s[0] = UpCaseFirst(s[0]);
    return s;
}
