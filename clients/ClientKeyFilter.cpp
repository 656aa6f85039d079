#include "clients/ClientKeyFilter.h"

#include "clients/ClientRecord.h"
#include "common/Cp1251.h"

namespace {

constexpr int kBackspace = 8;

bool InRange(int code, int first, int last)
{
    return code >= first && code <= last;
}

bool NameKey(int code, int docType)
{
    return code == 0x27 || code == 0x2D || InRange(code, 0x41, 0x7A)
        || (!IsBiometricType(docType) && InRange(code, 0xC0, 0xFF));
}

} // namespace

bool AcceptsKey(KeyField field, int docType, QChar c)
{
    const int code = Cp1251::code(c);
    if (code < 0)
        return false;
    if (code == kBackspace)
        return true;
    switch (field) {
    case KeyField::Surname:
    case KeyField::Name:
        return NameKey(code, docType);
    case KeyField::Patronymic:
        return code == 0x20 || NameKey(code, docType);
    case KeyField::PassportSeries:
        return !IsPassportType(docType) || InRange(code, 0x41, 0x5A);
    case KeyField::PassportNumber:
        return !IsPassportType(docType) || InRange(code, 0x30, 0x39);
    }
    return false;
}
