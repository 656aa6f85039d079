#include "clients/ClientWarnings.h"

#include "clients/ClientChecks.h"
#include "common/Digits.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

int AgeOn(QDate birth, QDate today)
{
    const bool reached = today.month() != birth.month() ? today.month() > birth.month() : today.day() >= birth.day();
    return today.year() - birth.year() - (reached ? 0 : 1);
}

namespace {

Warning CellWarning(qsizetype row, int column, const QString &field, const QString &code, const QString &message)
{
    return {code, row, column, field, message};
}

// Blanks, dots and a mask's literals alone: nothing was typed.
bool IsUnfilled(QStringView text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return !c.isSpace() && c != u'.' && c != u'(' && c != u')' && c != u'-';
    });
}

// The cell's text without a copy, for routines that take a QString; it
// holds while the records do not change.
QString RawText(QStringView cell)
{
    return QString::fromRawData(cell.data(), cell.size());
}

bool HasNoDigit(QStringView text)
{
    return std::none_of(text.begin(), text.end(), IsAsciiDigit);
}

constexpr int kPersonColumns[] = {ClientColumn::Surname, ClientColumn::Name, ClientColumn::Patronymic,
                                  ClientColumn::Birthday};

QStringView PersonPart(const ClientRecords &records, qsizetype row, int column)
{
    return records.cell(row, column).trimmed();
}

struct EmptyField
{
    int column;
    const char16_t *field;
    const char16_t *message;
};

const EmptyField kRequired[] = {
    {ClientColumn::PlaceOfBirth, u"place_of_birth", u"Не указано место рождения"},
    {ClientColumn::TaxOffice, u"tax_office", u"Не указана налоговая инспекция"},
    {ClientColumn::MobileNumber, u"mobile_number", u"Не указан мобильный телефон"},
    {ClientColumn::PassportIssuedBy, u"issued_by", u"Не указано, кем выдан документ"},
};

} // namespace

QList<Warning> ClientWarnings(const ClientRecords &records, QDate today, const RowNumbering &numbering)
{
    QList<Warning> warnings;
    const qsizetype n = records.size();
    const int year = today.year();

    for (qsizetype row = 0; row < n; ++row) {
        const QString end = RawText(records.cell(row, ClientColumn::PassportEnd));
        if (!IsUnfilled(end)) {
            const std::optional<QDate> date = DateFromText(end, year);
            if (date && *date < today)
                warnings.append(CellWarning(row, ClientColumn::PassportEnd, u"passport_end"_s, u"passport-expired"_s,
                                            u"Срок действия документа истёк"_s));
        }
        const QString birthday = RawText(records.cell(row, ClientColumn::Birthday));
        if (!IsUnfilled(birthday)) {
            const std::optional<QDate> date = DateFromText(birthday, year);
            if (date && AgeOn(*date, today) < kMinClientAge)
                warnings.append(CellWarning(row, ClientColumn::Birthday, u"birthday"_s, u"under-16"_s,
                                            u"Клиенту нет %1 лет"_s.arg(kMinClientAge)));
        }
        for (const EmptyField &f : kRequired) {
            const QStringView text = records.cell(row, f.column);
            const bool empty = f.column == ClientColumn::MobileNumber ? HasNoDigit(text) : text.trimmed().isEmpty();
            if (empty)
                warnings.append(CellWarning(row, f.column, QString::fromUtf16(f.field), u"field-empty"_s,
                                            QString::fromUtf16(f.message)));
        }
    }

    FindRepeats(
            n,
            [&records](qsizetype row) {
                const QStringView inn = records.cell(row, ClientColumn::Inn).trimmed();
                return inn.isEmpty() ? std::nullopt : std::optional<size_t>(HashText(inn));
            },
            [&records](qsizetype a, qsizetype b) {
                return records.cell(a, ClientColumn::Inn).trimmed() == records.cell(b, ClientColumn::Inn).trimmed();
            },
            [&](qsizetype row, qsizetype other) {
                Warning w = CellWarning(row, ClientColumn::Inn, u"inn"_s, u"inn-duplicate"_s,
                                        u"Этот ИНН уже есть у клиента в строке %1"_s.arg(NumberOfRow(numbering, other)));
                w.otherRow = other;
                warnings.append(std::move(w));
            });

    // The same person twice is one client with two documents, unless the
    // documents are the same too: then it is one row entered twice.
    std::vector<std::pair<qsizetype, qsizetype>> members; // (first row of the person, row)
    FindRepeats(
            n,
            [&records](qsizetype row) -> std::optional<size_t> {
                if (PersonPart(records, row, ClientColumn::Surname).isEmpty()
                    || IsUnfilled(PersonPart(records, row, ClientColumn::Birthday)))
                    return std::nullopt;
                size_t hash = HashText({});
                for (const int column : kPersonColumns)
                    hash = HashText(PersonPart(records, row, column), hash * 31);
                return hash;
            },
            [&records](qsizetype a, qsizetype b) {
                return std::all_of(std::begin(kPersonColumns), std::end(kPersonColumns), [&](int column) {
                    return PersonPart(records, a, column) == PersonPart(records, b, column);
                });
            },
            [&](qsizetype row, qsizetype other) { members.push_back({std::min(row, other), row}); });
    // Each row of a person's group names the first row with another document.
    std::stable_sort(members.begin(), members.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (auto group = members.begin(); group != members.end();) {
        const auto groupEnd = std::find_if(group, members.end(), [&](const auto &m) { return m.first != group->first; });
        for (auto m = group; m != groupEnd; ++m) {
            const QStringView document = records.cell(m->second, ClientColumn::Document);
            const auto other = std::find_if(group, groupEnd, [&](const auto &o) {
                return records.cell(o.second, ClientColumn::Document) != document;
            });
            if (other == groupEnd)
                continue;
            Warning w = CellWarning(m->second, ClientColumn::FullName, u"full_name"_s, u"person-duplicate"_s,
                                    u"Этот человек уже есть в строке %1 с другим документом"_s.arg(
                                            NumberOfRow(numbering, other->second)));
            w.otherRow = other->second;
            warnings.append(std::move(w));
        }
        group = groupEnd;
    }

    SortByRow(warnings);
    return warnings;
}
