#pragma once

#include <QLoggingCategory>
#include <QObject>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcSpeech) // lexmora.speech

// What says a word aloud. Saying never waits for the engine: say() hands the text on and
// returns, and a new text interrupts the one being spoken. When no engine or voice can
// speak, available() is false, whyNot() says why in a sentence fit for a tooltip, and
// say() does nothing.
class Speaker : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void say(const QString &text) = 0;
    virtual bool available() const = 0;
    virtual QString whyNot() const = 0;
    // Gets the engine going ahead of the first word, without waiting for it.
    virtual void prepare() {}

    // The speaker the Main window uses when it is made: the one installed, or none (the
    // Main window then makes the real one).
    static Speaker *installed();
    // Puts `speaker` in place for Main windows made from now on; nullptr takes it away.
    static void install(Speaker *speaker);

signals:
    // available() or whyNot() changed.
    void availabilityChanged();
};
