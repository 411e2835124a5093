#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the program's operations. It carries a German message meant for the user
// (with the system's own text appended where there is one); the application catches it at the
// event boundary and shows it in the general error display.
class SkylatheError : public std::runtime_error {
public:
    explicit SkylatheError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
