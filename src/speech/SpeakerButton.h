#pragma once

#include <QIcon>
#include <QString>

class QAbstractButton;
class QPushButton;
class QWidget;
class Speaker;

// The small speaker buttons that say a word on demand, and how every speech control
// follows whether the words can be spoken.
namespace SpeakerButton {

// A loudspeaker with two sound waves, drawn in code, `pixels` square.
QIcon icon(int pixels);

// A flat button showing the loudspeaker, named `name`, with `toolTip`.
QPushButton *make(QWidget *parent, const char *name, const QString &toolTip);

// Sizes the loudspeaker of `button` to its present size; called once it is placed.
void fitIcon(QPushButton *button);

// Keeps `control` enabled with `toolTip` while `speaker` can speak, and disabled with the
// speaker's reason as its tooltip while it cannot; follows every change.
void follow(Speaker &speaker, QWidget *control, const QString &toolTip);

} // namespace SpeakerButton
