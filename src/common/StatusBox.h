#pragma once

#include <QColor>
#include <QTextEdit>

class SwitchTimer;

// When a Status box flashes: counting ticks from 1, the box shows the flash colour on the
// tick where n / 2 rounds (ties to even) to 1, that is on tick 2 only, and the flash ends
// after 15 ticks.
namespace FlashRule {
constexpr int TickMs = 300;
constexpr int LastTick = 15;
bool highlighted(int tick);
} // namespace FlashRule

// A rich text box used as a running log. It keeps its text exactly as written, CR LF and
// all; after every change the end of the text is brought into view and the box flashes.
class StatusBox : public QTextEdit
{
    Q_OBJECT

public:
    StatusBox(const QColor &flashColour, QWidget *parent = nullptr);

    QString statusText() const { return m_text; }
    // Replaces the whole text.
    void setStatusText(const QString &text);
    // text + CR LF + message + CR LF: the way every message is logged.
    void appendLine(const QString &message);
    // Appends `piece` exactly as given.
    void appendText(const QString &piece);

    QColor backgroundColour() const;
    int flashCounter() const { return m_flashCounter; }
    SwitchTimer *flashTimer() const { return m_flashTimer; }

public slots:
    void flashTick();

private:
    void changed();
    // Tells assistive tools about text that has just been put at `position`.
    void announce(int position, const QString &inserted);
    void setBackgroundColour(const QColor &colour);

    QString m_text;
    QColor m_flashColour;
    int m_flashCounter = 0;
    SwitchTimer *m_flashTimer;
};
