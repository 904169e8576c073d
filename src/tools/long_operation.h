#pragma once

#include <QElapsedTimer>
#include <functional>

namespace quorvex {

// The protocol of every operation that the Stop button can end: while an instance lives, Stop is
// enabled, the rest of the window is locked and the progress bar is shown; step() moves the
// progress bar and lets queued window events run (every few tens of milliseconds, not at every
// step, so the work runs at full speed while Stop still answers at once) and says whether to go
// on. The destructor restores
// everything, also when the operation fails.
class LongOperation {
public:
    struct Hooks {
        std::function<void(bool)> lock;                // true when the operation starts
        std::function<void(int maximum)> showProgress; // maximum < 0 hides it
        std::function<void(int position)> setProgress;
        std::function<bool()> stopRequested;
        std::function<void()> clearStop;
        std::function<void()> processEvents;
    };
    LongOperation(Hooks hooks, int steps);
    ~LongOperation();
    LongOperation(const LongOperation&) = delete;
    LongOperation& operator=(const LongOperation&) = delete;

    // Before each step; false when the user asked to stop.
    bool step(int position);

private:
    Hooks hooks_;
    QElapsedTimer sinceEvents_;
    bool stopped_ = false;
    bool firstStep_ = true;
    unsigned stepsSinceClock_ = 0;
};

} // namespace quorvex
