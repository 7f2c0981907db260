#pragma once

#include <QString>

#include <functional>
#include <vector>

class WordDatabase;

// One kind of change the crash test repeats in a child process until it is killed. Step k
// of an operation is deterministic, so after the kill the parent knows exactly what every
// acknowledged step wrote and checks that the file holds it, whole.
struct CrashOperation
{
    QString name;
    // Makes the database the child starts from (parent, before each run).
    std::function<void(const QString &path)> prepare;
    // Step k, k = 1, 2, ...; returns once its commit has returned.
    std::function<void(WordDatabase &db, int k)> step;
    // How many steps the child runs at most (1 for a single bulk change).
    int steps = 1000000;
    // The latest moment of the kill, in ms after the child started: long enough for a
    // bulk change to finish in some runs, so both sides of its commit are checked.
    int latestKillMs = 400;
    // Checks the file after a kill, given the last step the child acknowledged (0: none).
    // Returns a description of what is wrong, or an empty text.
    std::function<QString(WordDatabase &db, int acknowledged)> verify;
};

const std::vector<CrashOperation> &crashOperations();
