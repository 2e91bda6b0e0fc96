#include "core/base/DayChangeTimer.h"
#include "core/base/ManualScheduler.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

using namespace vornela;
using vornela::testing::ScopedTimeZone;

// Running across midnight, the 23-hour day included, is HealthDataStoreTest's: the day record
// follows this timer there.
TEST(DayChangeTimer, SleepOverMidnightAndClockChangesMoveTheDate) {
    ScopedTimeZone tz("Europe/Berlin");
    Calendar calendar;
    ManualScheduler s(calendar.date(2026, 6, 1, 23, 0).value());
    NotificationCenter center;
    int posts = 0;
    auto sub = center.observe(notifications::calendarDayChanged, [&] { ++posts; });
    DayChangeTimer timer(s, s, calendar, center);
    timer.start();
    s.sleep(8 * 3600);
    s.runDue();
    EXPECT_EQ(posts, 1);

    s.shiftWall(-24 * 3600); // back to yesterday
    timer.wallClockChanged();
    EXPECT_EQ(posts, 2);
    s.shiftWall(60); // same day: nothing to say
    timer.wallClockChanged();
    EXPECT_EQ(posts, 2);
    timer.stop();
    s.advance(48 * 3600);
    EXPECT_EQ(posts, 2);
}

TEST(DayChangeTimer, WithoutANextMidnightNothingIsArmedUntilTheClockComesBack) {
    ScopedTimeZone tz("Europe/Berlin");
    Calendar calendar;
    ManualScheduler s(1e17); // some 3 billion years on: no local time there
    NotificationCenter center;
    int posts = 0;
    auto sub = center.observe(notifications::calendarDayChanged, [&] { ++posts; });
    DayChangeTimer timer(s, s, calendar, center);
    timer.start();
    s.advance(3 * 86400); // must end: a midnight in the past would fire for ever
    EXPECT_EQ(posts, 0);
    EXPECT_EQ(s.pendingCount(), 0u);

    s.shiftWall(calendar.date(2026, 6, 1, 23, 0).value() - s.wallNow());
    timer.wallClockChanged();
    EXPECT_EQ(posts, 1);
    s.advance(3600);
    EXPECT_EQ(posts, 2);
}
