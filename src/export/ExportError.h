#pragma once

#include <QString>

#include <stdexcept>

// An export that cannot go on: a text the chosen format cannot hold, more words than it
// holds, a file that cannot be written. The message says why in plain words.
class ExportError : public std::runtime_error
{
public:
    explicit ExportError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};
