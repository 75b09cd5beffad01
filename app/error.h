#pragma once

#include <QString>

#include <exception>

// An error a family can read: the message box shows message() as it stands.
// Everything the program raises derives from it, so one handler can show it.
class Error : public std::exception
{
public:
    explicit Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Ends the current handler quietly: the application shows nothing for it.
class SilentAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "silent abort"; }
};
