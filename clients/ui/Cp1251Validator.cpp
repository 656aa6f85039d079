#include "clients/ui/Cp1251Validator.h"

#include "common/Cp1251.h"

QValidator::State Cp1251Validator::validate(QString &input, int &) const
{
    return Cp1251::canEncode(input) ? Acceptable : Invalid;
}
