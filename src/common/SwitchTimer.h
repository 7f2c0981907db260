#pragma once

#include <QObject>
#include <QTimer>

// A timer that fires only while it is enabled and its interval is above 0: interval 0
// means stopped (unlike QTimer, for which 0 means "as often as possible"). Its tick
// handlers are ordinary slots, so tests step them directly.
class SwitchTimer : public QObject
{
    Q_OBJECT

public:
    explicit SwitchTimer(QObject *parent = nullptr);

    int interval() const { return m_interval; }
    bool isEnabled() const { return m_enabled; }
    // True when the timer would fire: enabled with an interval above 0.
    bool isRunning() const { return m_timer.isActive(); }

    void setInterval(int ms);
    void setEnabled(bool enabled);

signals:
    void tick();

private:
    void apply();

    QTimer m_timer;
    int m_interval = 0;
    bool m_enabled = true;
};
