#include "SwitchTimer.h"

SwitchTimer::SwitchTimer(QObject *parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SwitchTimer::tick);
}

void SwitchTimer::setInterval(int ms)
{
    m_interval = ms;
    apply();
}

void SwitchTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    apply();
}

void SwitchTimer::apply()
{
    if (m_enabled && m_interval > 0) {
        // Setting the interval again restarts the count, as a newly started timer does.
        m_timer.start(m_interval);
    } else {
        m_timer.stop();
    }
}
