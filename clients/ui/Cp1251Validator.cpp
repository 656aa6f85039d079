#include "clients/ui/Cp1251Validator.h"

#include "common/Cp1251Fit.h"

QValidator::State Cp1251Validator::validate(QString &input, int &) const
{
    const Cp1251Fit fit = Cp1251Fit::of(input);
    if (!fit.accepted())
        return Invalid;
    // The replacements are one letter for one, so the cursor stays.
    input = fit.text;
    return Acceptable;
}
