#include "TextToSpeechSpeaker.h"

#include <QLocale>
#include <QTextToSpeech>
#include <QThread>

#include <functional>

const QString TextToSpeechSpeaker::NoEngine =
    QStringLiteral("No speech engine is installed (the package qt6-speech-flite-plugin speaks "
                   "words without a network or a service), so the words cannot be spoken.");

namespace speech_detail {

// Lives in the speaker's thread: makes the engine there and speaks each text it is given.
// Every answer goes back to the speaker as a queued call, which Qt drops once the speaker
// is gone.
class EngineHost : public QObject
{
public:
    explicit EngineHost(const QString &engine) : m_engine(engine) {}

    void ensureEngine(const std::function<void(const QString &)> &answer)
    {
        if (m_tts)
            return;
        m_answer = answer;
        m_tts = new QTextToSpeech(m_engine, this);
        QObject::connect(m_tts, &QTextToSpeech::errorOccurred, this,
                         [this](QTextToSpeech::ErrorReason, const QString &why) { fail(why); });
        QObject::connect(m_tts, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State s) {
            if (s == QTextToSpeech::Error)
                fail(m_tts->errorString());
        });
        if (m_tts->state() == QTextToSpeech::Error ||
            m_tts->errorReason() != QTextToSpeech::ErrorReason::NoError) {
            fail(m_tts->errorString());
        } else if (m_tts->availableVoices().isEmpty()) {
            m_broken = true;
            answer(QStringLiteral("The speech engine %1 has no voice to speak with, so the "
                                  "words cannot be spoken.")
                       .arg(m_engine));
        } else {
            chooseEnglish();
            answer(QString());
        }
    }

    void speak(const QString &text)
    {
        if (!m_tts || m_broken)
            return;
        // The word before, if it is still being spoken, gives way to this one.
        if (m_tts->state() == QTextToSpeech::Speaking)
            m_tts->stop(QTextToSpeech::BoundaryHint::Immediate);
        m_tts->say(text);
    }

private:
    void chooseEnglish()
    {
        const QList<QLocale> locales = m_tts->availableLocales();
        if (locales.contains(m_tts->locale()) && m_tts->locale().language() == QLocale::English)
            return;
        for (const QLocale &l : locales) {
            if (l.language() == QLocale::English) {
                m_tts->setLocale(l);
                return;
            }
        }
    }

    void fail(const QString &why)
    {
        if (m_broken)
            return;
        m_broken = true;
        const QString reason = why.isEmpty() ? QStringLiteral("it gave no reason") : why;
        m_answer(QStringLiteral("The speech engine %1 cannot speak: %2.").arg(m_engine, reason));
    }

    QString m_engine;
    QTextToSpeech *m_tts = nullptr;
    bool m_broken = false;
    std::function<void(const QString &)> m_answer;
};

} // namespace speech_detail

using speech_detail::EngineHost;

TextToSpeechSpeaker::TextToSpeechSpeaker(QObject *parent)
    : TextToSpeechSpeaker(QTextToSpeech::availableEngines(), parent)
{
}

TextToSpeechSpeaker::TextToSpeechSpeaker(const QStringList &installed, QObject *parent)
    : Speaker(parent), m_engine(chooseEngine(installed))
{
    if (m_engine.isEmpty()) {
        m_whyNot = NoEngine;
        qCInfo(lcSpeech).noquote() << "Words will not be spoken:" << NoEngine;
    }
}

TextToSpeechSpeaker::~TextToSpeechSpeaker()
{
    if (!m_thread)
        return;
    // The engine goes in its own thread, where it was made.
    EngineHost *host = m_host;
    QMetaObject::invokeMethod(
        host, [host] { delete host; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
}

QString TextToSpeechSpeaker::chooseEngine(const QStringList &installed)
{
    for (const char *engine : {"flite", "speechd"})
        if (installed.contains(QLatin1String(engine)))
            return QLatin1String(engine);
    return QString();
}

bool TextToSpeechSpeaker::available() const
{
    return m_whyNot.isEmpty();
}

QString TextToSpeechSpeaker::whyNot() const
{
    return m_whyNot;
}

void TextToSpeechSpeaker::prepare()
{
    if (!m_engine.isEmpty())
        startEngine();
}

void TextToSpeechSpeaker::startEngine()
{
    if (m_thread)
        return;
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("speech"));
    m_host = new EngineHost(m_engine);
    m_host->moveToThread(m_thread);
    m_thread->start(QThread::LowPriority);
    EngineHost *host = m_host;
    QMetaObject::invokeMethod(host, [host, self = this] {
        host->ensureEngine([self](const QString &whyNot) {
            // Queued to the speaker's thread. The speaker deletes the host before it goes,
            // and Qt drops a call still queued for an object it deletes.
            QMetaObject::invokeMethod(self, [self, whyNot] { self->engineAnswer(whyNot); });
        });
    });
}

void TextToSpeechSpeaker::engineAnswer(const QString &whyNot)
{
    m_answered = true;
    if (whyNot == m_whyNot)
        return;
    m_whyNot = whyNot;
    if (!whyNot.isEmpty())
        qCWarning(lcSpeech).noquote() << "Words will not be spoken:" << whyNot;
    emit availabilityChanged();
}

void TextToSpeechSpeaker::say(const QString &text)
{
    if (!available() || text.trimmed().isEmpty())
        return;
    startEngine();
    EngineHost *host = m_host;
    QMetaObject::invokeMethod(host, [host, text] { host->speak(text); });
}
