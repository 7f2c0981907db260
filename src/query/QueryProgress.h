#pragma once

#include "Snapshot.h"

#include <QElapsedTimer>

#include <memory>

class LongWork;
class QProgressDialog;

// Watches every read of a query result as one LongWork: the windows keep painting while the
// engine works, and once a read has run for the delay, a modal progress box shows the rows
// read so far with a Cancel button. Cancel stops the read (the progress handler's
// interrupt); the reader reports it.
class QueryProgress : public Snapshot::Watch
{
public:
    static constexpr int DefaultDelayMs = 500;

    // The one watch of the program, installed on first use.
    static QueryProgress &install();

    // How long a read runs before the box appears; tests shorten it.
    void setDelay(int ms) { m_delayMs = ms; }
    // The box while it is shown, for tests that press its Cancel button.
    QProgressDialog *dialog() const;

    void begin() override;
    bool keepGoing(qint64 rowsRead) override;
    void end() override;

private:
    QueryProgress();
    ~QueryProgress() override;

    int m_delayMs = DefaultDelayMs;
    std::unique_ptr<LongWork> m_work;
    QElapsedTimer m_sinceLabel;
};
