#pragma once

#include "Speaker.h"

#include <QStringList>

class QProcess;

// The Speaker of the program: Qt's text to speech with the flite engine, which speaks
// offline with no service running, or else speech-dispatcher. The engine runs in a process
// of its own, lexmora-speaker, started the first time a word is to be said (or prepare()
// asks), so neither start-up nor a tick or a click waits for it, and an engine that crashes
// takes only that process with it. Each text is handed to it and stops the one being
// spoken. Until the engine has answered, the speaker counts as available when an engine is
// installed; one that cannot speak (no voice, no sound device) then makes it unavailable
// with the engine's reason. A process that dies is started again at the next word; after
// CrashLimit deaths with no word spoken in between, the words are given up.
class TextToSpeechSpeaker : public Speaker
{
    Q_OBJECT

public:
    explicit TextToSpeechSpeaker(QObject *parent = nullptr);
    // With `installed` as the engines Qt offers and `helper` as the speaking process (tests).
    TextToSpeechSpeaker(const QStringList &installed, const QString &helper, QObject *parent);
    ~TextToSpeechSpeaker() override;

    void say(const QString &text) override;
    bool available() const override;
    QString whyNot() const override;
    void prepare() override;

    // The engine chosen, or the empty text when none is installed.
    QString engine() const { return m_engine; }
    // Whether the engine has answered since its process was last started.
    bool engineAnswered() const { return m_answered; }
    // Whether its process has been started and has not ended.
    bool engineRunning() const { return m_process != nullptr; }

    // The engines of the installed text-to-speech plugins, as Qt's availableEngines() names
    // them, read from the plugins' declarations: the program itself never loads Qt's
    // speech library, which only lexmora-speaker needs.
    static QStringList installedEngines();
    // flite where it is installed, else speech-dispatcher, else none (the empty text).
    static QString chooseEngine(const QStringList &installed);
    // lexmora-speaker beside the program (build/bin, or libexec/lexmora when installed).
    static QString helperPath();

    static const QString NoEngine;
    static constexpr int CrashLimit = 3;

private:
    void startEngine();
    void readAnswers();
    void engineEnded();
    void setWhyNot(const QString &why);

    QString m_engine;
    QString m_helper;
    QString m_whyNot;
    bool m_answered = false;
    int m_crashes = 0;
    QProcess *m_process = nullptr;
};
