#pragma once

#include <QString>

#include <functional>

// How the store's long operations tell their progress. The store knows no windows: the
// caller hands in a Tick (the program's LongWork, whose tick() keeps the windows painting
// and brings the Cancel box).
namespace StoreProgress {

// Told often with how far the work has come (`total` 0: no known end); returning false
// asks the work to stop at its next safe point.
using Tick = std::function<bool(qint64 done, qint64 total)>;

// A long step nobody hands a Tick to (the first fill of the text index while a file is
// opened) runs under the runner the program installs, which gives it one; without a
// runner it runs plainly. `cancellable` false: the step cannot be broken off.
using Step = std::function<void(const Tick &tick)>;
using Runner = std::function<void(const QString &label, bool cancellable, const Step &step)>;
void setRunner(Runner runner);
void run(const QString &label, bool cancellable, const Step &step);

} // namespace StoreProgress
