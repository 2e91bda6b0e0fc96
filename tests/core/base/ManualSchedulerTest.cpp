#include "core/base/ManualScheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vornela;

TEST(ManualScheduler, RunsTasksInTimeOrderAndPostedWorkFirst) {
    ManualScheduler s(1000);
    std::vector<std::string> log;
    auto late = s.after(ClockKind::monotonic, 2,
                        [&] { log.push_back("late@" + std::to_string(int(s.monotonicNow()))); });
    auto tie = s.after(ClockKind::wall, 2, [&] { log.push_back("tie"); }); // same moment: scheduling order
    auto early = s.after(ClockKind::continuous, 1, [&] {
        log.push_back("early@" + std::to_string(int(s.monotonicNow())));
        s.post([&] { log.push_back("posted@" + std::to_string(int(s.monotonicNow()))); }).detach();
    });
    s.advance(5);
    EXPECT_EQ(log, (std::vector<std::string>{"early@1", "posted@1", "late@2", "tie"}));
    EXPECT_DOUBLE_EQ(s.wallNow(), 1005);
    EXPECT_EQ(s.pendingCount(), 0u);
}

TEST(ManualScheduler, CancelledAndReplacedTasksNeverRun) {
    ManualScheduler s(0);
    int runs = 0;
    TaskHandle handle = s.after(ClockKind::monotonic, 1, [&] { ++runs; });
    handle = s.after(ClockKind::monotonic, 3, [&] { runs += 10; }); // replacing cancels the first
    {
        auto dropped = s.after(ClockKind::monotonic, 1, [&] { runs += 100; });
    }
    s.advance(2);
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(handle.isPending());
    s.advance(1);
    EXPECT_EQ(runs, 10);
    EXPECT_FALSE(handle.isPending());
    handle = s.post([&] { ++runs; });
    s.runDue();
    EXPECT_FALSE(handle.isPending()) << "posted work that ran is done too";
}

TEST(ManualScheduler, SleepMovesWallAndContinuousButNotMonotonicTime) {
    ManualScheduler s(0);
    bool monotonicFired = false, continuousFired = false;
    auto m = s.after(ClockKind::monotonic, 60, [&] { monotonicFired = true; });
    auto c = s.after(ClockKind::continuous, 60, [&] { continuousFired = true; });
    s.sleep(3600);
    EXPECT_FALSE(continuousFired) << "nothing runs until the owner asks";
    s.runDue();
    EXPECT_TRUE(continuousFired);
    EXPECT_FALSE(monotonicFired);
    EXPECT_DOUBLE_EQ(s.monotonicNow(), 0);
    EXPECT_DOUBLE_EQ(s.continuousNow(), 3600);
    s.advance(60);
    EXPECT_TRUE(monotonicFired);
}

TEST(ManualScheduler, WallDeadlinesFollowClockChanges) {
    ManualScheduler s(10'000);
    int fired = 0;
    auto task = s.at(ClockKind::wall, 10'100, [&] { ++fired; });
    s.shiftWall(-500); // set back: the deadline is further away now
    s.advance(200);
    EXPECT_EQ(fired, 0);
    s.shiftWall(1000); // set forward past it
    s.runDue();
    EXPECT_EQ(fired, 1);
}

TEST(ManualScheduler, ManyShortStepsLandExactlyOnDeadlines) {
    ManualScheduler s(0);
    int fired = 0;
    auto task = s.after(ClockKind::monotonic, 0.3, [&] { ++fired; });
    for (int i = 0; i < 3; ++i)
        s.advance(0.1);
    EXPECT_EQ(fired, 1);
}
