#include "tools/long_operation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace quorvex;

namespace {

// Hooks that write down what the operation asked of the window.
struct Recorder {
    std::vector<std::string> calls;
    bool stop = false;
    bool stopPending = false; // a Stop click waiting in the event queue
    LongOperation::Hooks hooks() {
        LongOperation::Hooks h;
        h.lock = [this](bool on) { calls.push_back(on ? "lock" : "unlock"); };
        h.showProgress = [this](int m) { calls.push_back("show " + std::to_string(m)); };
        h.setProgress = [this](int p) { calls.push_back("progress " + std::to_string(p)); };
        h.stopRequested = [this] { return stop; };
        h.clearStop = [this] {
            stop = false;
            calls.push_back("clear");
        };
        h.processEvents = [this] {
            calls.push_back("events");
            if (stopPending) stop = true;
        };
        return h;
    }
};

} // namespace

// The window is locked and the progress shown for the operation's life; events run at once (a
// Stop pressed before shows at the first step), not at every step; a stop is final; the end
// restores everything.
TEST(LongOperation, LocksRunsEventsSeldomAndStops) {
    Recorder r;
    {
        LongOperation operation(r.hooks(), 500);
        EXPECT_EQ(r.calls, (std::vector<std::string>{"lock", "show 500"}));
        for (int row = 1; row <= 300; ++row)
            ASSERT_TRUE(operation.step(row));
        // 300 quick steps take far less than the interval between two event runs.
        EXPECT_EQ(r.calls, (std::vector<std::string>{"lock", "show 500", "progress 1", "events"}));
        r.stop = true;
        EXPECT_FALSE(operation.step(301));
        r.stop = false;
        EXPECT_FALSE(operation.step(302));
        r.calls.clear();
    }
    EXPECT_EQ(r.calls, (std::vector<std::string>{"show -1", "unlock", "clear"}));
}

TEST(LongOperation, AStopClickedBeforeIsSeenAtTheFirstStep) {
    Recorder r;
    r.stopPending = true;
    LongOperation operation(r.hooks(), 10);
    EXPECT_FALSE(operation.step(1));
}
