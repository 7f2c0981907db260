#pragma once

#include "Dialogs.h"

#include <QStringList>

// Boxes answered without a window, for runs of the real program that nobody watches (the
// start-up tests run it in a temporary folder). Each box is written to standard error with
// the answer it got. The answers are given in order to the questions, inputs and choices:
// "yes" or "no" for a question, the text for an input, the number of the item (from 0) for
// a choice. Once they run out, a question is answered No, an input and a choice Cancel:
// nothing that was not asked for is done. A message needs no answer; a save dialog is
// always cancelled.
class AnsweredDialogs : public Dialogs
{
public:
    // The environment variable that installs them, with its answers separated by commas.
    static constexpr const char *Variable = "LEXMORA_TEST_DIALOG_ANSWERS";
    // Installs them when the variable is set (even to nothing).
    static void installFromEnvironment();

    explicit AnsweredDialogs(const QStringList &answers) : m_answers(answers) {}

    void message(const QString &text, const QString &title) override;
    bool question(const QString &text, const QString &title) override;
    bool questionDefaultNo(const QString &text, const QString &title) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText) override;
    int choice(const QString &prompt, const QString &title, const QStringList &items) override;
    QString saveFile(const QString &title, const QString &suggestedPath, const QStringList &filters,
                     QString *filter) override;

private:
    QString next();
    void said(const char *kind, const QString &title, const QString &text, const QString &answer);

    QStringList m_answers;
};
