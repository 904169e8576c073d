#include "tools/long_operation.h"

namespace quorvex {

namespace {
constexpr qint64 kEventIntervalMs = 30;
}

LongOperation::LongOperation(Hooks hooks, int steps) : hooks_(std::move(hooks)) {
    if (hooks_.running && hooks_.running()) {
        refused_ = true;
        stopped_ = true;
        return;
    }
    hooks_.lock(true);
    hooks_.showProgress(steps);
    sinceEvents_.start();
}

LongOperation::~LongOperation() {
    if (refused_) return; // the running operation keeps its lock, progress and stop flag
    hooks_.showProgress(-1);
    hooks_.lock(false);
    hooks_.clearStop();
}

bool LongOperation::step(int position) {
    if (refused_) return false;
    // Events run at the first step (the progress bar shows and a Stop already pressed is seen)
    // and then every few tens of milliseconds; the clock is read every few steps only, since
    // a step may be as short as a Table row. The progress bar can show a new position only
    // when events run, so it is set just before.
    constexpr unsigned kStepsBetweenClockReads = 64;
    if (firstStep_ || (++stepsSinceClock_ % kStepsBetweenClockReads == 0 &&
                       sinceEvents_.elapsed() >= kEventIntervalMs)) {
        firstStep_ = false;
        hooks_.setProgress(position);
        hooks_.processEvents();
        sinceEvents_.restart();
    }
    if (stopped_ || hooks_.stopRequested()) {
        stopped_ = true;
        return false;
    }
    return true;
}

} // namespace quorvex
