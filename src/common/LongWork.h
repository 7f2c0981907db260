#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QProgressDialog;
class QWidget;

// The one way the program does work that may take more than a moment on the GUI thread:
// an import, Delete all, a backup, a long query, a conversion in a child process.
//
// The work runs where it is called and calls tick() often (every row is fine: a tick is
// cheap until it is due). Every PumpEveryMs a tick lets the event loop run, so the windows
// keep painting and timers keep firing; once the work has gone on for ShowAfterMs (or the
// delay given to setShowAfter), a modal
// progress box with a Cancel button is shown over the owner window. After Cancel, tick()
// returns false and the work stops at its next safe point; what it does then (keep the rows
// saved, roll back) is the work's own decision.
//
// Work that cannot tick itself (a child process, a statement inside SQLite) is waited for
// with waitFor(), which runs the event loop until a signal arrives or the user cancels;
// onCancel() hands Cancel on to it (QProcess::kill, the engine's interrupt).
class LongWork
{
public:
    static constexpr int ShowAfterMs = 500;
    static constexpr int PumpEveryMs = 50;

    // `owner` is the window the box belongs to (kept above it); `label` the box's text.
    LongWork(QWidget *owner, const QString &label);
    ~LongWork();
    LongWork(const LongWork &) = delete;
    LongWork &operator=(const LongWork &) = delete;

    // Lets the event loop run when due; false once the user has cancelled.
    bool tick();
    // The same, showing `done` of `total` (total 0: a count with no known end).
    bool tick(qint64 done, qint64 total = 0);
    // Lets the event loop run now, due or not: for a moment the window must show at once,
    // such as the first row of an import.
    bool tickNow();
    // A new text for the box, shown at the next pump.
    void setLabel(const QString &label);
    // How long this work runs before its box appears (ShowAfterMs unless told).
    void setShowAfter(int ms) { m_showAfterMs = ms; }

    bool cancelled() const { return m_cancelled; }
    // Called once when the user cancels, for work that has to be told.
    void onCancel(std::function<void()> interrupt);
    // Whether Cancel is offered at all (a step that must not be broken off hides it).
    void setCancellable(bool cancellable);

    // Runs the event loop until `sender` emits `signal` (true) or the user cancels
    // (false). The box appears after ShowAfterMs as with tick().
    template<typename Sender, typename Signal>
    bool waitFor(const Sender *sender, Signal signal)
    {
        QEventLoop loop;
        bool arrived = false;
        const auto connection = QObject::connect(sender, signal, &loop, [&] {
            arrived = true;
            loop.quit();
        });
        runUntil(loop, arrived);
        QObject::disconnect(connection);
        return arrived;
    }

    // The box of the innermost work while it is shown, for tests that press Cancel.
    static QProgressDialog *currentDialog();
    // Tests shorten the delay before the box appears (-1 restores ShowAfterMs).
    static void setShowAfterForTests(int ms);

private:
    void pump();
    void showDialog();
    void cancel();
    void runUntil(QEventLoop &loop, const bool &arrived);
    int showAfter() const;

    QPointer<QWidget> m_owner;
    QString m_label;
    qint64 m_done = -1;
    qint64 m_total = 0;
    int m_showAfterMs = -1;
    bool m_labelChanged = false;
    QElapsedTimer m_running;
    QElapsedTimer m_sincePump;
    QPointer<QProgressDialog> m_dialog;
    std::function<void()> m_interrupt;
    bool m_cancelled = false;
    bool m_cancellable = true;
    LongWork *m_outer = nullptr;
};
