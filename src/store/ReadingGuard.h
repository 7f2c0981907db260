#pragma once

#include <QString>

// The authorizer of the connection user queries run on: reading words, reading functions,
// pragmas that only report and table-valued functions are allowed, everything else is
// refused. The first refusal is kept, so the user learns what was refused and why.
class ReadingGuard
{
public:
    // sqlite3_set_authorizer's callback; `self` is the guard.
    static int authorize(void *self, int action, const char *arg1, const char *arg2, const char *,
                         const char *);

    // The first refusal since the last clear(), or the empty text.
    QString refusal() const { return m_refusal; }
    void clear() { m_refusal.clear(); }

    // Why an action of the engine's authorizer codes (-1: a statement that writes) is refused.
    static QString describe(int action);

private:
    int refuse(const QString &why);
    static bool isSchemaTable(const char *table);
    static int schemaAction(int action);
    static QString onlyReading();
    static QString describeFunction(const QString &name);
    static QString describePragma(const QString &name, const char *value);

    QString m_refusal;
};
