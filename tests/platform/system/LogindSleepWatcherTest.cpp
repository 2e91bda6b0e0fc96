#include "platform/system/LogindSleepWatcher.h"

#include "FakeBusPeers.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

using testing::waitUntil;

struct SleepLog {
    NotificationCenter center;
    int wakes = 0;
    int flushes = 0;
    Subscription wake = center.observe(notifications::didWake, [this] { ++wakes; });
};

TEST(LogindSleepWatcher, HoldsALockUntilPreferencesAreFlushedAndReportsTheWake) {
    testing::FakeLogind logind;
    ASSERT_TRUE(logind.registered);
    SleepLog log;
    bool lockHeldDuringFlush = false;
    LogindSleepWatcher watcher(
        log.center,
        [&] {
            ++log.flushes;
            lockHeldDuringFlush = !logind.released(log.flushes - 1);
        },
        QDBusConnection::sessionBus());

    ASSERT_TRUE(waitUntil([&] { return watcher.isConnected() && logind.locks.size() == 1; }));
    EXPECT_EQ(logind.lastInhibit.at(0), QStringLiteral("sleep"));
    EXPECT_EQ(logind.lastInhibit.at(1), QStringLiteral("Vornela"));
    EXPECT_EQ(logind.lastInhibit.at(3), QStringLiteral("delay"));

    for (std::size_t cycle = 0; cycle < 2; ++cycle) {
        EXPECT_FALSE(logind.released(cycle));
        logind.prepareForSleep(true);
        ASSERT_TRUE(waitUntil([&] { return logind.released(cycle); }))
            << "the lock must go for the machine to sleep";
        EXPECT_EQ(log.flushes, int(cycle) + 1);
        EXPECT_TRUE(lockHeldDuringFlush) << "suspend waits for the flush";
        EXPECT_EQ(log.wakes, int(cycle));

        logind.prepareForSleep(false);
        ASSERT_TRUE(
            waitUntil([&] { return log.wakes == int(cycle) + 1 && logind.locks.size() == cycle + 2; }));
    }
}

TEST(LogindSleepWatcher, WithoutLogindOrWithoutABusNothingHappens) {
    SleepLog log;
    LogindSleepWatcher watcher(
        log.center, [&] { ++log.flushes; }, QDBusConnection::sessionBus());
    LogindSleepWatcher noBus(
        log.center, [&] { ++log.flushes; }, QDBusConnection(QStringLiteral("none")));
    ASSERT_TRUE(testing::busRoundTrip(QDBusConnection::sessionBus()));
    EXPECT_FALSE(watcher.isConnected());
    EXPECT_FALSE(noBus.isConnected());
    EXPECT_EQ(log.flushes + log.wakes, 0);
}

} // namespace
} // namespace vornela
