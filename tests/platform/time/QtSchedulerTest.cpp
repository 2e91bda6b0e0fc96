#include "platform/time/QtScheduler.h"
#include "platform/time/SystemClock.h"

#include "EventLoopWait.h"

#include <QDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace vornela {
namespace {

using testing::waitUntil;
using Log = std::vector<std::string>;

int openFds() {
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

int armedTimers(const QObject& scheduler) {
    int armed = 0;
    for (const QTimer* timer : scheduler.findChildren<QTimer*>())
        armed += timer->isActive();
    return armed;
}

class QtSchedulerTest : public ::testing::Test {
protected:
    SystemClock clock;
    QtScheduler scheduler{clock};
    Log log;
    auto record(std::string name) {
        return [this, name] { log.push_back(name); };
    }
};

TEST_F(QtSchedulerTest, PostsComeFirstAndEqualDeadlinesKeepSchedulingOrder) {
    const double soon = clock.monotonicNow() + 0.03;
    auto later = scheduler.after(ClockKind::monotonic, 0.06, record("later"));
    auto first = scheduler.at(ClockKind::monotonic, soon, record("first"));
    auto second = scheduler.at(ClockKind::monotonic, soon, record("second"));
    auto postA = scheduler.post([this] {
        log.push_back("postA");
        scheduler.post(record("postFromPost")).detach();
    });
    auto postB = scheduler.post(record("postB"));
    EXPECT_TRUE(log.empty());

    ASSERT_TRUE(waitUntil([&] { return log.size() == 6; }));
    EXPECT_EQ(log, (Log{"postA", "postB", "postFromPost", "first", "second", "later"}));
    EXPECT_EQ(armedTimers(scheduler), 0);
}

TEST_F(QtSchedulerTest, EveryClockFiresThroughTheEventLoopMostOverdueFirst) {
    auto monotonic = scheduler.after(ClockKind::monotonic, 0.05, record("monotonic"));
    auto continuous = scheduler.after(ClockKind::continuous, 0.03, record("continuous"));
    auto wall = scheduler.after(ClockKind::wall, 0.01, record("wall"));
    auto pastWall = scheduler.at(ClockKind::wall, 1.0, record("pastWall")); // decades overdue
    auto pastContinuous = scheduler.at(ClockKind::continuous, 0, record("pastContinuous"));
    auto nan =
        scheduler.after(ClockKind::continuous, std::numeric_limits<double>::quiet_NaN(), record("nan"));
    auto never = scheduler.at(ClockKind::monotonic, std::numeric_limits<double>::infinity(), record("never"));

    ASSERT_TRUE(waitUntil([&] { return log.size() == 6; }));
    EXPECT_EQ(log, (Log{"pastWall", "pastContinuous", "nan", "wall", "continuous", "monotonic"}));
    EXPECT_TRUE(never.isPending());
    EXPECT_EQ(armedTimers(scheduler), 0) << "an infinite deadline arms nothing";
}

// A task that opens a modal dialog runs the event loop again: due work goes on meanwhile, and
// nothing runs twice when the outer task returns.
TEST_F(QtSchedulerTest, ATaskMaySpinANestedEventLoop) {
    auto outer = scheduler.after(ClockKind::monotonic, 0.01, [this] {
        log.push_back("outer");
        scheduler.post(record("post")).detach();
        scheduler.after(ClockKind::continuous, 0.01, record("timed")).detach();
        waitUntil([&] { return log.size() == 3; });
        log.push_back("outerDone");
    });
    ASSERT_TRUE(waitUntil([&] { return log.size() == 4; }));
    testing::spin(30);
    EXPECT_EQ(log, (Log{"outer", "post", "timed", "outerDone"}));
}

TEST_F(QtSchedulerTest, CancelledTasksNeverRunAndGiveTheirKernelTimersBackAtOnce) {
    const int baseline = openFds();
    std::vector<TaskHandle> handles;
    for (auto kind : {ClockKind::continuous, ClockKind::wall, ClockKind::monotonic})
        for (int i = 0; i < 3; ++i)
            handles.push_back(scheduler.after(kind, 3600, record("far")));
    EXPECT_EQ(openFds(), baseline + 6);
    EXPECT_EQ(armedTimers(scheduler), 3);
    handles.clear();
    EXPECT_EQ(openFds(), baseline);
    EXPECT_EQ(armedTimers(scheduler), 0);

    // Cancelled by a task due at the same moment; a cancelled post.
    const double due = clock.continuousNow() + 0.02;
    TaskHandle victim;
    auto killer = scheduler.at(ClockKind::continuous, due, [&] {
        log.push_back("killer");
        victim.cancel();
    });
    victim = scheduler.at(ClockKind::continuous, due, record("victim"));
    scheduler.post(record("post")).cancel();
    auto marker = scheduler.after(ClockKind::wall, 0.04, record("marker"));
    ASSERT_TRUE(waitUntil([&] { return !log.empty() && log.back() == "marker"; }));
    EXPECT_EQ(log, (Log{"killer", "marker"}));
    EXPECT_EQ(openFds(), baseline) << "tasks that ran closed their timerfds";
}

TEST(QtSchedulerLifetime, HandlesMayOutliveTheSchedulerWhichClosesItsTimers) {
    SystemClock clock;
    const int baseline = openFds();
    TaskHandle continuous;
    bool ran = false;
    {
        QtScheduler scheduler(clock);
        continuous = scheduler.after(ClockKind::continuous, 0.01, [&] { ran = true; });
    }
    EXPECT_EQ(openFds(), baseline);
    EXPECT_FALSE(continuous.isPending());
    continuous.cancel();
    testing::spin(30);
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace vornela
