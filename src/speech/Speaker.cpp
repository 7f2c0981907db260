#include "Speaker.h"

#include <QPointer>

Q_LOGGING_CATEGORY(lcSpeech, "lexmora.speech")

namespace {

QPointer<Speaker> &installedSpeaker()
{
    static QPointer<Speaker> speaker;
    return speaker;
}

} // namespace

Speaker *Speaker::installed()
{
    return installedSpeaker();
}

void Speaker::install(Speaker *speaker)
{
    installedSpeaker() = speaker;
}
