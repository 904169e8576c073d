#pragma once

#include <QElapsedTimer>
#include <functional>

namespace quorvex {

// The protocol of every operation that the Stop button can end: while an instance lives, Stop is
// enabled, the rest of the window is locked and the progress bar is shown; step() moves the
// progress bar and lets queued window events run (every few tens of milliseconds, not at every
// step, so the work runs at full speed while Stop still answers at once) and says whether to go
// on. The destructor restores everything, also when the operation fails.
//
// One long operation at a time: an operation asked for while another runs (a dialog's button
// reached through the events the running one lets through) is refused. It locks nothing,
// its step() is false at once, and the caller sees refused() and leaves before doing anything.
class LongOperation {
public:
    struct Hooks {
        std::function<void(bool)> lock;                // true when the operation starts
        std::function<void(int maximum)> showProgress; // maximum < 0 hides it
        std::function<void(int position)> setProgress;
        std::function<bool()> stopRequested;
        std::function<void()> clearStop;
        std::function<void()> processEvents;
        // Whether a long operation runs now (set by lock(true), cleared by lock(false)).
        std::function<bool()> running;
    };
    LongOperation(Hooks hooks, int steps);
    ~LongOperation();
    LongOperation(const LongOperation&) = delete;
    LongOperation& operator=(const LongOperation&) = delete;

    // Before each step; false when the user asked to stop.
    bool step(int position);
    // True when another operation was running: this one must not start.
    bool refused() const { return refused_; }

private:
    Hooks hooks_;
    QElapsedTimer sinceEvents_;
    bool stopped_ = false;
    bool refused_ = false;
    bool firstStep_ = true;
    unsigned stepsSinceClock_ = 0;
};

} // namespace quorvex
