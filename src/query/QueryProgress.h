#pragma once

#include "Snapshot.h"

#include <QElapsedTimer>
#include <QPointer>

#include <QProgressDialog>

// Watches every read of a query result: once one has run for Delay without returning to
// the event loop, a modal progress box shows the rows read so far with a Cancel button, and
// keeps the windows painted while the engine works. Cancel stops the read (the progress
// handler's interrupt); the reader reports it.
class QueryProgress : public Snapshot::Watch
{
public:
    static constexpr int DefaultDelayMs = 500;

    // The one watch of the program, installed on first use.
    static QueryProgress &install();

    // How long a read runs before the box appears; tests shorten it.
    void setDelay(int ms) { m_delayMs = ms; }
    // The box while it is shown, for tests that press its Cancel button.
    QProgressDialog *dialog() const { return m_dialog; }

    void begin() override;
    bool keepGoing(qint64 rowsRead) override;
    void end() override;

private:
    QueryProgress() = default;
    void showDialog();

    int m_delayMs = DefaultDelayMs;
    QElapsedTimer m_running;
    QElapsedTimer m_lastPaint;
    QPointer<QProgressDialog> m_dialog;
    bool m_cancelled = false;
};
