#include "core/base/Calendar.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

using namespace vornela;
using vornela::testing::ScopedTimeZone;

namespace {

double at(const Calendar& calendar, int y, int mo, int d, int h = 0, int mi = 0) {
    return calendar.date(y, mo, d, h, mi).value();
}

} // namespace

TEST(Calendar, BerlinSpringForwardDayHas23Hours) {
    ScopedTimeZone tz("Europe/Berlin");
    Calendar calendar;
    const double start = calendar.startOfDay(at(calendar, 2026, 3, 29, 15));
    const double next = calendar.startOfNextDay(start).value();
    EXPECT_DOUBLE_EQ(next - start, 23 * 3600);
    EXPECT_EQ(calendar.dayKey(start), "2026-03-29");
    EXPECT_EQ(calendar.dayKey(next), "2026-03-30");
    EXPECT_EQ(calendar.dayKey(next - 0.001), "2026-03-29");
}

TEST(Calendar, WallClockTimesOnClockChangeDays) {
    ScopedTimeZone tz("Europe/Berlin");
    Calendar calendar;
    const double day = at(calendar, 2026, 3, 29, 9);
    // 12:30 stays 12:30 on the short day.
    const auto lunch = calendar.components(calendar.dateAtMinutes(day, 750).value());
    EXPECT_EQ(lunch.hour, 12);
    EXPECT_EQ(lunch.minute, 30);
    // 02:30 does not exist that night: it moves forward by the hour that was skipped.
    const auto skipped = calendar.components(calendar.dateAtMinutes(day, 150).value());
    EXPECT_EQ(skipped.hour, 3);
    EXPECT_EQ(skipped.minute, 30);
    // 02:30 happens twice in October: the first one (summer time) is meant.
    const double repeated = calendar.date(2026, 10, 25, 2, 30).value();
    EXPECT_DOUBLE_EQ(repeated, calendar.date(2026, 10, 25, 0, 0).value() + 2.5 * 3600);
    EXPECT_DOUBLE_EQ(calendar.startOfNextDay(repeated).value() - calendar.startOfDay(repeated), 25 * 3600);
}

TEST(Calendar, AddingKeepsTheWallClockAndClampsMonths) {
    ScopedTimeZone tz("Europe/Berlin");
    Calendar calendar;
    const double before = at(calendar, 2026, 3, 28, 12, 30);
    const auto after = calendar.components(calendar.addDays(before, 1).value());
    EXPECT_EQ(after.day, 29);
    EXPECT_EQ(after.hour, 12);
    EXPECT_EQ(after.minute, 30);

    // A month later from the 31st is the last day of a shorter month, leap years included.
    const auto monthLater = [&](int y, int mo) {
        return calendar.dayKey(calendar.addMonths(at(calendar, y, mo, 31), 1).value());
    };
    EXPECT_EQ(monthLater(2026, 1), "2026-02-28");
    EXPECT_EQ(monthLater(2028, 1), "2028-02-29");
    EXPECT_EQ(monthLater(2100, 1), "2100-02-28");
    EXPECT_EQ(monthLater(2000, 1), "2000-02-29");
    EXPECT_EQ(monthLater(2026, 5), "2026-06-30");
    EXPECT_EQ(monthLater(2026, 10), "2026-11-30");
    const auto backOverYear = calendar.components(calendar.addMonths(at(calendar, 2026, 1, 15), -2).value());
    EXPECT_EQ(backOverYear.year, 2025);
    EXPECT_EQ(backOverYear.month, 11);
    EXPECT_EQ(calendar.dayKey(calendar.addWeeks(at(calendar, 2026, 12, 28), 1).value()), "2027-01-04");
    EXPECT_EQ(calendar.dayKey(calendar.addDays(at(calendar, 2026, 8, 1), -120).value()), "2026-04-03");
}

TEST(Calendar, ImpossibleDatesReportFailure) {
    ScopedTimeZone tz("UTC");
    Calendar calendar;
    EXPECT_FALSE(calendar.addMonths(0, 2'000'000'000).has_value());
    EXPECT_FALSE(calendar.date(2'000'000, 1, 1).has_value());
    // Past the range of local time (year 2^31) nothing stands in for it: no made-up 1970 day.
    for (double far : {1e17, -1e17}) {
        EXPECT_FALSE(calendar.localTime(far).has_value());
        EXPECT_FALSE(calendar.startOfNextDay(far).has_value());
        EXPECT_FALSE(calendar.addDays(far, 1).has_value());
        EXPECT_FALSE(calendar.dateAtMinutes(far, 750).has_value());
        EXPECT_EQ(calendar.startOfDay(far), far);
    }
}

TEST(Calendar, WeekdaysAndDaysAreLocal) {
    ScopedTimeZone tz("America/New_York");
    Calendar calendar;
    const double sunday = at(calendar, 2026, 12, 6, 23, 30); // 04:30 UTC on Monday
    EXPECT_EQ(calendar.weekday(sunday), 1);
    EXPECT_EQ(calendar.dayKey(sunday), "2026-12-06");
    EXPECT_TRUE(calendar.isSameDay(sunday, at(calendar, 2026, 12, 6, 0, 1)));
    EXPECT_FALSE(calendar.isSameDay(sunday, sunday + 3600));
}
