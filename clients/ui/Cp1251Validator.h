#pragma once

#include <QValidator>

// Keeps a client's data within Windows-1251, typed or pasted: the Uzbek
// letters the code page lacks take their usual spelling, and input holding
// any other character it cannot carry is refused whole.
class Cp1251Validator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};
