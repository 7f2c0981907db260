#pragma once

#include <QString>
#include <stdexcept>

// A failure of the word store, described in words the user can read. The only exception
// type that leaves the store: the engine's own failures are turned into one at its edge,
// keeping the engine's result code for callers that must tell a full disk from a refusal.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &message, int engineCode = 0)
        : std::runtime_error(message.toStdString()), m_message(message), m_engineCode(engineCode)
    {
    }
    QString message() const { return m_message; }
    // SQLite's extended result code, or 0 for a failure the store found itself.
    int engineCode() const { return m_engineCode; }

private:
    QString m_message;
    int m_engineCode;
};
