#pragma once

#include <QString>
#include <stdexcept>

// A settings operation that failed, with a translated message for the user.
class SettingsError final : public std::runtime_error {
public:
    explicit SettingsError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }

    const QString& message() const { return m_message; }

private:
    QString m_message;
};
