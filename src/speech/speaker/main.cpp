// lexmora-speaker ENGINE: says each line read from its input with Qt's text to speech.
// The speech engine runs in this process of its own, as flite's engine can crash (when it
// is stopped or deleted part-way through a word, or when its sound device fails), and the
// program must go on when it does.
//
// It writes "ready" once the engine has a voice, or "unavailable REASON" when it cannot
// speak, and "speaking" whenever a word starts to sound, one line each. A failure of the
// engine after that ends the process (the program starts a fresh one for the next word).
// Of the lines waiting when it reads, only the last is said, and it interrupts the word
// being spoken. End of input ends the process at once.
#include <QCoreApplication>
#include <QLocale>
#include <QSocketNotifier>
#include <QTextToSpeech>

#include <cstdio>
#include <unistd.h>

namespace {

void report(const QString &line)
{
    std::fputs(line.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

void chooseEnglish(QTextToSpeech &tts)
{
    if (tts.locale().language() == QLocale::English)
        return;
    for (const QLocale &l : tts.availableLocales()) {
        if (l.language() == QLocale::English) {
            tts.setLocale(l);
            return;
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString engine = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("flite");
    QTextToSpeech tts(engine);

    bool broken = false;
    bool ready = false;
    const auto fail = [&](QString why) {
        if (broken)
            return;
        while (why.endsWith(QLatin1Char('.')))
            why.chop(1);
        if (why.isEmpty())
            why = QStringLiteral("it gave no reason");
        if (ready) {
            // Once it has spoken, a failure is this engine's, not the machine's: a fresh
            // process gets a fresh engine.
            std::fprintf(stderr, "lexmora-speaker: %s\n", why.toLocal8Bit().constData());
            ::_exit(3);
        }
        broken = true;
        report(
            QStringLiteral("unavailable The speech engine %1 cannot speak: %2.").arg(engine, why));
    };
    QObject::connect(&tts, &QTextToSpeech::errorOccurred, &app,
                     [&](QTextToSpeech::ErrorReason, const QString &why) { fail(why); });
    QObject::connect(&tts, &QTextToSpeech::stateChanged, &app, [](QTextToSpeech::State state) {
        if (state == QTextToSpeech::Speaking)
            report(QStringLiteral("speaking"));
    });
    // An engine without a sound device says so in its error text while it still counts as
    // ready; a working one may carry an error reason without a text.
    if (tts.state() == QTextToSpeech::Error || !tts.errorString().isEmpty()) {
        fail(tts.errorString());
    } else if (tts.availableVoices().isEmpty()) {
        broken = true;
        report(QStringLiteral("unavailable The speech engine %1 has no voice to speak with.")
                   .arg(engine));
    } else {
        chooseEnglish(tts);
        ready = true;
        report(QStringLiteral("ready"));
    }

    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[4096];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0)
            ::_exit(0); // the program is gone or done: no engine teardown, which can crash
        pending.append(buffer, got);
        const qsizetype end = pending.lastIndexOf('\n');
        if (end < 0)
            return;
        const QByteArray lines = pending.left(end);
        pending.remove(0, end + 1);
        const QString text = QString::fromUtf8(lines.mid(lines.lastIndexOf('\n') + 1));
        if (!broken && !text.trimmed().isEmpty())
            tts.say(text); // stops the word being spoken first
    });
    return app.exec();
}
