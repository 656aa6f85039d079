#include "settings/SettingsRecord.h"

#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "common/Digits.h"
#include "common/RegularFile.h"
#include "common/UserError.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct Slot
{
    int offset;   // of the length byte; the characters follow it
    int capacity;
};

constexpr Slot kOrganisationCode{0, 8};
constexpr Slot kOrganisationName{9, 80};
constexpr Slot kFilialCode{90, 5};

void put(QByteArray &record, Slot slot, const QString &text)
{
    const QByteArray bytes = Cp1251::encode(QStringView(text).left(slot.capacity));
    record[slot.offset] = char(bytes.size());
    std::copy(bytes.cbegin(), bytes.cend(), record.begin() + slot.offset + 1);
}

QString take(QByteArrayView record, Slot slot)
{
    const int length = std::min(int(static_cast<unsigned char>(record[slot.offset])), slot.capacity);
    return Cp1251::decode(record.sliced(slot.offset + 1, length));
}

bool IsBankCode(const QString &code)
{
    for (QChar c : code) {
        if (c != QLatin1Char(' ') && !IsAsciiDigit(c))
            return false;
    }
    return true;
}

QString BankCodeMessage(const QString &which)
{
    return which + u" в файле \"settings.ini\" содержит недопустимые символы. "
                   u"Допустимы только цифры. Сохраните банковские реквизиты в окне \"Настройки\" заново"_s;
}

QString withReason(const QString &text, const QString &reason)
{
    return reason.isEmpty() ? text : text + u' ' + reason;
}

} // namespace

QByteArray SettingsRecord::toBytes() const
{
    QByteArray record(kSize, '\0');
    put(record, kOrganisationCode, organisationCode);
    put(record, kOrganisationName, organisationName);
    put(record, kFilialCode, filialCode);
    return record;
}

SettingsRecord SettingsRecord::fromBytes(QByteArrayView bytes)
{
    if (bytes.size() < kSize)
        return {};
    return {take(bytes, kOrganisationCode), take(bytes, kOrganisationName), take(bytes, kFilialCode)};
}

QString SettingsFileName()
{
    return u"settings.ini"_s;
}

bool SettingsFileExists()
{
    return QFileInfo(SettingsFileName()).isFile();
}

std::optional<SettingsRecord> ReadCompleteSettingsRecord()
{
    const QString name = SettingsFileName();
    RequireRegularFile(name);
    QFile file(name);
    if (!QFileInfo::exists(name)) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw UserError(withReason(u"Cannot create file \"%1\"."_s.arg(name), file.errorString()));
        return std::nullopt;
    }
    // An existing file that cannot be read is reported, never recreated:
    // recreating it would throw the stored details away.
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(withReason(u"Cannot open file \"%1\"."_s.arg(name), file.errorString()));
    const QByteArray bytes = file.read(SettingsRecord::kSize);
    if (bytes.size() < SettingsRecord::kSize)
        return std::nullopt;
    return SettingsRecord::fromBytes(bytes);
}

SettingsRecord ReadSettingsRecord()
{
    return ReadCompleteSettingsRecord().value_or(SettingsRecord{});
}

void WriteSettingsRecord(const SettingsRecord &record)
{
    const QString name = SettingsFileName();
    QString reason;
    if (!WriteFileAtomically(name, record.toBytes(), &reason))
        throw UserError(withReason(u"Cannot create file \"%1\"."_s.arg(name), reason));
}

void CheckBankCodes(const SettingsRecord &settings)
{
    if (!IsBankCode(settings.filialCode))
        throw UserError(BankCodeMessage(u"Код филиала"_s));
    if (!IsBankCode(settings.organisationCode))
        throw UserError(BankCodeMessage(u"Код клиента"_s));
}
