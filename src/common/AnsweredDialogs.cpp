#include "AnsweredDialogs.h"

#include <QTextStream>

#include <cstdio>

void AnsweredDialogs::installFromEnvironment()
{
    if (!qEnvironmentVariableIsSet(Variable))
        return;
    const QString answers = qEnvironmentVariable(Variable);
    static AnsweredDialogs dialogs(answers.isEmpty() ? QStringList()
                                                     : answers.split(QLatin1Char(',')));
    Dialogs::install(&dialogs);
}

QString AnsweredDialogs::next()
{
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}

void AnsweredDialogs::said(const char *kind, const QString &title, const QString &text,
                           const QString &answer)
{
    QTextStream err(stderr);
    err << kind << " \"" << title << "\": " << text;
    if (!answer.isNull())
        err << " -> " << answer;
    err << "\n";
    err.flush();
}

void AnsweredDialogs::message(const QString &text, const QString &title)
{
    said("message", title, text, {});
}

bool AnsweredDialogs::question(const QString &text, const QString &title)
{
    const bool yes = next().compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0;
    said("question", title, text, yes ? QStringLiteral("yes") : QStringLiteral("no"));
    return yes;
}

bool AnsweredDialogs::questionDefaultNo(const QString &text, const QString &title)
{
    return question(text, title);
}

QString AnsweredDialogs::input(const QString &prompt, const QString &title, const QString &)
{
    const QString text = next();
    said("input", title, prompt, text.isEmpty() ? QStringLiteral("(cancelled)") : text);
    return text;
}

int AnsweredDialogs::choice(const QString &prompt, const QString &title, const QStringList &items)
{
    bool ok = false;
    int index = next().toInt(&ok);
    if (!ok || index < 0 || index >= items.size())
        index = -1;
    said("choice", title, prompt, index < 0 ? QStringLiteral("(cancelled)") : items.at(index));
    return index;
}

QString AnsweredDialogs::saveFile(const QString &title, const QString &suggestedPath,
                                  const QStringList &, QString *)
{
    said("save dialog", title, suggestedPath, QStringLiteral("(cancelled)"));
    return {};
}
