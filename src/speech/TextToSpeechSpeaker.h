#pragma once

#include "Speaker.h"

#include <QStringList>

class QThread;

namespace speech_detail {
class EngineHost;
}

// The Speaker of the program: Qt's text to speech with the flite engine, which speaks
// offline with no service running, or else speech-dispatcher. The engine is made the first
// time a word is to be said (or prepare() asks), in a thread of its own, so neither start-up
// nor a tick or a click ever waits for it; each text goes to that thread and stops the
// one being spoken. Until the engine has answered, the speaker counts as available when an
// engine is installed; an engine that cannot speak (no voice, no sound device) then makes
// it unavailable, with the engine's reason.
class TextToSpeechSpeaker : public Speaker
{
    Q_OBJECT

public:
    explicit TextToSpeechSpeaker(QObject *parent = nullptr);
    // With `installed` as the engines Qt offers (tests).
    TextToSpeechSpeaker(const QStringList &installed, QObject *parent);
    ~TextToSpeechSpeaker() override;

    void say(const QString &text) override;
    bool available() const override;
    QString whyNot() const override;
    void prepare() override;

    // The engine chosen, or the empty text when none is installed.
    QString engine() const { return m_engine; }
    // Whether the engine has been made and has answered.
    bool engineAnswered() const { return m_answered; }

    // flite where it is installed, else speech-dispatcher, else none (the empty text).
    static QString chooseEngine(const QStringList &installed);

    static const QString NoEngine;

private:
    void startEngine();
    void engineAnswer(const QString &whyNot);

    QString m_engine;
    QString m_whyNot;
    bool m_answered = false;
    QThread *m_thread = nullptr;
    speech_detail::EngineHost *m_host = nullptr;
};
