#include "clients/ClientSheetLayout.h"

#include "clients/ClientTextImport.h"

using namespace Qt::StringLiterals;

TableLayout ClientTableLayout()
{
    TableLayout layout;
    layout.fieldCount = kClientLineFields;
    layout.dateField = 5;
    return layout;
}

QStringList ClientFieldNames()
{
    return {u"Фамилия"_s,      u"Имя"_s,         u"Отчество"_s,        u"Пол"_s,       u"ИНН"_s,
            u"Дата рождения"_s, u"Телефон"_s,     u"Серия документа"_s, u"Номер документа"_s,
            u"Дата выдачи"_s,   u"Место выдачи"_s, u"Срок действия"_s,  u"Адрес"_s};
}
