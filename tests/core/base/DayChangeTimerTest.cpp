#include "core/base/DayChangeTimer.h"
#include "core/base/ManualScheduler.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

using namespace vornela;
using vornela::testing::ScopedTimeZone;

TEST(DayChangeTimer, PostsAtEachLocalMidnightIncludingShortDays) {
    ScopedTimeZone tz("Europe/Berlin");
    Calendar calendar;
    ManualScheduler s(calendar.date(2026, 3, 28, 22, 0).value());
    NotificationCenter center;
    std::vector<std::string> days;
    auto sub = center.observe(notifications::calendarDayChanged,
                              [&] { days.push_back(calendar.dayKey(s.wallNow())); });
    DayChangeTimer timer(s, s, calendar, center);
    timer.start();
    s.advance(2 * 3600);
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0], "2026-03-29");
    EXPECT_DOUBLE_EQ(s.wallNow(), calendar.date(2026, 3, 29).value());
    s.advance(23 * 3600); // the 23-hour day
    EXPECT_EQ(days, (std::vector<std::string>{"2026-03-29", "2026-03-30"}));
}

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
