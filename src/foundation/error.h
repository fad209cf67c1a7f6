#pragma once

#include <QString>

#include <exception>

// The program's one error type. Its message is the text the user sees in the error display.
class Error : public std::exception
{
public:
    explicit Error(QString message) : m_message(std::move(message)) {}

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return "Tagschmied error"; }

private:
    QString m_message;
};
