#include "clients/ClientTexts.h"

#include "clients/ClientChecks.h"
#include "clients/ClientListFile.h"
#include "clients/ClientRecord.h"
#include "clients/ClientTextImport.h"
#include "common/TextRoutines.h"

#include <utility>

using namespace Qt::StringLiterals;

QString ClientShortLineMessage(int lineNumber)
{
    return ClientBadFormatMessage() + u" Строка %1: меньше %2 полей"_s.arg(lineNumber).arg(kClientDetailFieldCount);
}

QString ClientZeroByteLineMessage(int lineNumber)
{
    return ClientBadFormatMessage() + u" Строка %1: нулевой байт"_s.arg(lineNumber);
}

QString ClientLimitMessage()
{
    return u"Достигнуто максимальное количество записей(%1)"_s.arg(kMaxClientRecords);
}

namespace {

QString FieldTitle(ClientField field)
{
    static const std::pair<ClientField, const char16_t *> kTitles[] = {
        {ClientField::Surname, u"Фамилия"},
        {ClientField::Name, u"Имя"},
        {ClientField::Patronymic, u"Отчество"},
        {ClientField::Inn, u"ИНН"},
        {ClientField::Birthday, u"Дата рождения"},
        {ClientField::PassportSeries, u"Серия паспорта"},
        {ClientField::PassportNumber, u"№ паспорта"},
        {ClientField::PassportDate, u"Дата выдачи паспорта"},
        {ClientField::PassportPlace, u"Место выдачи паспорта"},
        {ClientField::Address, u"Почтовый адрес"},
        {ClientField::PassportEnd, u"Дата окончания"},
        {ClientField::PlaceOfBirth, u"Место рождения"},
        {ClientField::TaxOffice, u"Наименование ГНИ"},
        {ClientField::MobileNumber, u"Номер мобильного телефона"},
        {ClientField::PassportIssuedBy, u"Кем выдан паспорт"},
    };
    for (const auto &[titled, title] : kTitles)
        if (titled == field)
            return QString::fromUtf16(title);
    return QString();
}

} // namespace

QString ClientFillMessage(ClientField field)
{
    return u"Внимание! Заполните поле \""_s + FieldTitle(field) + u"\"!"_s;
}

QString ClientRefusedCharMessage(ClientField field, const QString &word, QChar c, bool likelyNotCyrillic)
{
    QString message = u"Внимание! Поле \""_s + FieldTitle(field) + u"\" содержит недопустимые символы! слово :<"_s
        + word + u"> символ:<"_s + c + u'>';
    if (likelyNotCyrillic)
        message += u" (Скорее всего символ не кириллический)"_s;
    return message;
}

QString ClientBankCodeEmptyMessage(const QString &which)
{
    return which + u" в файле \"settings.ini\" не заполнен. Сохраните банковские реквизиты в окне \"Настройки\""_s;
}

QString ClientFolderFailedMessage(const QString &folder, const QString &reason)
{
    return u"Не удалось создать папку \"%1\". %2"_s.arg(folder, reason);
}

QString ClientWriteFailedMessage(const QString &path, const QString &reason)
{
    return u"Не удалось записать файл \"%1\". %2"_s.arg(path, reason);
}

QString ClientReplaceFailedMessage(const QString &path, const QString &reason)
{
    return u"Не удалось перезаписать файл \"%1\", прежний файл не изменён. %2"_s.arg(path, reason);
}

QString ShortClientLineMessage()
{
    return u"в строке меньше %1 полей"_s.arg(kClientLineFields);
}

QString ClientMaskRefusedMessage(const QString &fieldName, QChar c)
{
    return u"Внимание! Поле \"%1\" содержит недопустимый символ:<%2>"_s.arg(fieldName, c);
}

QString ClientImportErrorMessage(const QString &path, int line, const QString &error)
{
    return u"Обнаружена ошибка в файле:\""_s + VisiblePath(path) + u"\", строка:"_s + QString::number(line) + u", ошибка:<"_s
            + error + u'>';
}
