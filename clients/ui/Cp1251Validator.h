#pragma once

#include <QValidator>

// Refuses any input holding a character that Windows-1251 cannot carry, so
// that neither typing nor pasting brings one into a client's data.
class Cp1251Validator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};
