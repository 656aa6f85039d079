#pragma once

#include <QString>

#include <exception>

// An error that ends an operation and reaches the general error display
// with its user-facing text. Thrown by logic, caught by the windows' guard.
class UserError : public std::exception
{
public:
    explicit UserError(QString text) : m_text(std::move(text)) {}
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return "UserError"; }

private:
    QString m_text;
};
