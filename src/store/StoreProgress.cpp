#include "StoreProgress.h"

namespace StoreProgress {

namespace {

Runner &runner()
{
    static Runner installed;
    return installed;
}

} // namespace

void setRunner(Runner r)
{
    runner() = std::move(r);
}

void run(const QString &label, bool cancellable, const Step &step)
{
    if (runner())
        runner()(label, cancellable, step);
    else
        step([](qint64, qint64) { return true; });
}

} // namespace StoreProgress
