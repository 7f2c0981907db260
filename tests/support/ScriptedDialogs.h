#pragma once

#include "Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

// Answers the program's message and input boxes from a script and records every one.
// A dialog the test did not script fails the test; so does a scripted answer left over.
// Installed for its lifetime.
class ScriptedDialogs : public Dialogs
{
public:
    enum class Kind { Message, Question, Input, Choice, SaveFile };
    struct Call
    {
        Kind kind;
        QString text; // the message, question or prompt; a save dialog's suggested path
        QString title;
        QString defaultText;
        QStringList filters;    // a save dialog's file types
        bool defaultNo = false; // a question whose default button is No
        QStringList items;      // the items of a choice
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Scripts the next dialogs, in order. A scripted question answers either kind.
    ScriptedDialogs &expectMessage();
    ScriptedDialogs &expectQuestion(bool yes);
    ScriptedDialogs &expectInput(const QString &answer); // empty text for Cancel
    ScriptedDialogs &expectChoice(int index);             // -1 for Cancel
    // A save dialog answered with `path` (empty for Cancel) and the file type `filter`
    // (empty: the one it offered first).
    ScriptedDialogs &expectSaveFile(const QString &path, const QString &filter = QString());
    // Runs `action` when the next dialog appears, before answering it.
    ScriptedDialogs &whenShown(std::function<void()> action);

    const QList<Call> &calls() const { return m_calls; }
    Call last() const { return m_calls.isEmpty() ? Call{} : m_calls.last(); }
    int pending() const { return int(m_script.size()); }
    void clear() { m_calls.clear(); }

    void message(const QString &text, const QString &title) override;
    bool question(const QString &text, const QString &title) override;
    bool questionDefaultNo(const QString &text, const QString &title) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText) override;
    int choice(const QString &prompt, const QString &title, const QStringList &items) override;
    QString saveFile(const QString &title, const QString &suggestedPath, const QStringList &filters,
                     QString *filter) override;

private:
    struct Answer
    {
        Kind kind;
        bool yes = false;
        QString text;
        int index = -1;
        std::function<void()> action;
        QString filter;
    };
    Answer take(Kind kind, const Call &call);

    QList<Answer> m_script;
    QList<Call> m_calls;
    std::function<void()> m_nextAction;
};

char *toString(const ScriptedDialogs::Call &call);
