#include "TextToSpeechSpeaker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>
#include <QProcess>

const QString TextToSpeechSpeaker::NoEngine =
    QStringLiteral("No speech engine is installed (the package qt6-speech-flite-plugin speaks "
                   "words without a network or a service), so the words cannot be spoken.");

namespace {

const QString HelperName = QStringLiteral("lexmora-speaker");
const QByteArray Ready = "ready";
const QByteArray Unavailable = "unavailable ";
const QByteArray Speaking = "speaking";
// What Qt's text-to-speech plugins declare themselves as (Qt 6).
const QString SpeechPluginInterface = QStringLiteral("org.qt-project.qt.speech.tts.plugin/6.");

} // namespace

TextToSpeechSpeaker::TextToSpeechSpeaker(QObject *parent)
    : TextToSpeechSpeaker(installedEngines(), helperPath(), parent)
{
}

QStringList TextToSpeechSpeaker::installedEngines()
{
    QStringList engines;
    for (const QString &folder : QCoreApplication::libraryPaths()) {
        const QDir plugins(folder + QStringLiteral("/texttospeech"));
        for (const QFileInfo &file : plugins.entryInfoList(QDir::Files, QDir::Name)) {
            if (!QLibrary::isLibrary(file.fileName()))
                continue;
            // The declaration is read from the file; the plugin itself is not loaded.
            const QJsonObject declared = QPluginLoader(file.absoluteFilePath()).metaData();
            if (!declared.value(QStringLiteral("IID")).toString().startsWith(SpeechPluginInterface))
                continue;
            const QString provider = declared.value(QStringLiteral("MetaData"))
                                         .toObject()
                                         .value(QStringLiteral("Provider"))
                                         .toString();
            if (!provider.isEmpty() && !engines.contains(provider))
                engines.append(provider);
        }
    }
    return engines;
}

TextToSpeechSpeaker::TextToSpeechSpeaker(const QStringList &installed, const QString &helper,
                                         QObject *parent)
    : Speaker(parent), m_engine(chooseEngine(installed)), m_helper(helper)
{
    if (m_engine.isEmpty())
        m_whyNot = NoEngine;
    else if (m_helper.isEmpty() || !QFileInfo(m_helper).isExecutable())
        m_whyNot = QStringLiteral("The words cannot be spoken: %1 is missing beside the program.")
                       .arg(HelperName);
    if (!m_whyNot.isEmpty())
        qCInfo(lcSpeech).noquote() << "Words will not be spoken:" << m_whyNot;
}

TextToSpeechSpeaker::~TextToSpeechSpeaker()
{
    if (!m_process)
        return;
    // The end of its input ends the helper at once; a helper stuck in its engine is killed.
    m_process->disconnect(this);
    m_process->closeWriteChannel();
    if (!m_process->waitForFinished(500)) {
        m_process->kill();
        m_process->waitForFinished(500);
    }
}

QString TextToSpeechSpeaker::chooseEngine(const QStringList &installed)
{
    for (const char *engine : {"flite", "speechd"})
        if (installed.contains(QLatin1String(engine)))
            return QLatin1String(engine);
    return QString();
}

QString TextToSpeechSpeaker::helperPath()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(HelperName);
    return QFileInfo(beside).isExecutable() ? beside : QString();
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
    if (available())
        startEngine();
}

void TextToSpeechSpeaker::startEngine()
{
    if (m_process)
        return;
    m_answered = false;
    m_process = new QProcess(this);
    // The engine's own warnings go where the program's go.
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &TextToSpeechSpeaker::readAnswers);
    connect(m_process, &QProcess::finished, this, &TextToSpeechSpeaker::engineEnded);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            engineEnded();
    });
    // Started without waiting; what is written meanwhile is handed over once it runs.
    m_process->start(m_helper, {m_engine});
}

void TextToSpeechSpeaker::readAnswers()
{
    while (m_process && m_process->canReadLine()) {
        const QByteArray line = m_process->readLine().trimmed();
        if (line == Ready) {
            m_answered = true;
            setWhyNot(QString());
        } else if (line == Speaking) {
            m_crashes = 0; // it works: only failures in a row count
        } else if (line.startsWith(Unavailable)) {
            m_answered = true;
            setWhyNot(QString::fromUtf8(line.mid(Unavailable.size())));
        }
    }
}

void TextToSpeechSpeaker::engineEnded()
{
    if (!m_process)
        return;
    const bool started = m_process->error() != QProcess::FailedToStart;
    const QString failure =
        started ? QStringLiteral("it stopped working") : m_process->errorString();
    m_process->deleteLater();
    m_process = nullptr;
    if (!available())
        return; // it had said why it cannot speak
    // Started again at the next word, unless it keeps failing.
    if (!started || ++m_crashes >= CrashLimit)
        setWhyNot(QStringLiteral("The speech engine %1 cannot speak: %2.").arg(m_engine, failure));
    else
        qCWarning(lcSpeech).noquote() << "The speech engine" << m_engine << "ended:" << failure;
}

void TextToSpeechSpeaker::setWhyNot(const QString &why)
{
    if (why == m_whyNot)
        return;
    m_whyNot = why;
    if (!why.isEmpty())
        qCWarning(lcSpeech).noquote() << "Words will not be spoken:" << why;
    emit availabilityChanged();
}

void TextToSpeechSpeaker::say(const QString &text)
{
    QString line = text.simplified(); // one line, however the word was stored
    if (!available() || line.isEmpty())
        return;
    startEngine();
    m_process->write(line.append(QLatin1Char('\n')).toUtf8());
}
