#include "core/activity/ActivityHeatMapGrid.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <set>

using namespace vornela;
using vornela::testing::ScopedTimeZone;

namespace {

ActivityHeatMapGrid gridAt(const Calendar& calendar, int y, int mo, int d, int h, int mi,
                           const IntMap& history = {}) {
    return ActivityHeatMapGrid::build(history, calendar.date(y, mo, d, h, mi).value(), calendar);
}

// The in-month days by key, and every shown cell, across the whole grid.
struct Cells {
    explicit Cells(const ActivityHeatMapGrid& grid) {
        for (const auto& month : grid.months)
            for (const auto& week : month.weeks) {
                ids.insert(week.id);
                for (const auto& day : week.days) {
                    ++count;
                    ids.insert(day.id);
                    if (day.isInMonth)
                        inMonth[*day.dayKey] = day;
                    if (day.isToday)
                        today.push_back(day);
                }
            }
    }
    int count = 0;
    std::set<std::string> ids;
    std::map<std::string, ActivityHeatMapDay> inMonth;
    std::vector<ActivityHeatMapDay> today;
};

std::vector<bool> inMonthFlags(const ActivityHeatMapWeek& week) {
    std::vector<bool> flags;
    for (const auto& day : week.days)
        flags.push_back(day.isInMonth);
    return flags;
}

} // namespace

// Berlin's spring-forward Sunday, the calendar's first weekday (Sunday) starting February and
// March: no padding there, January padded from December, March shown up to today only.
TEST(ActivityHeatMapGrid, ThreeMonthsUpToTodayOnAClockChangeDay) {
    ScopedTimeZone tz("Europe/Berlin");
    const Calendar calendar;
    const IntMap history = {{"2025-12-31", 90}, {"2026-03-02", 85}, {"2026-03-03", 84}, {"2026-03-04", 65},
                            {"2026-03-05", 64}, {"2026-03-06", 40}, {"2026-03-07", 39}, {"2026-03-08", 0},
                            {"2026-03-29", 70}, {"2026-03-30", 100}};
    const auto grid = gridAt(calendar, 2026, 3, 29, 15, 0, history);

    ASSERT_EQ(grid.months.size(), 3u);
    EXPECT_EQ(grid.months[0].id, "2026-01-01");
    EXPECT_EQ(grid.months[0].label, "Jan");
    EXPECT_EQ(grid.months[2].label, "Mar");
    const auto& januaryFirst = grid.months[0].weeks.front();
    EXPECT_EQ(januaryFirst.id, "2026-01-01-2025-12-28");
    EXPECT_EQ(inMonthFlags(januaryFirst), (std::vector<bool>{false, false, false, false, true, true, true}));
    EXPECT_EQ(januaryFirst.days[0],
              (ActivityHeatMapDay{"2026-01-01-2025-12-28-0", std::nullopt, std::nullopt, false, false}));
    EXPECT_EQ(januaryFirst.days[4].dayKey, "2026-01-01");
    EXPECT_EQ(grid.months[1].weeks.size(), 4u) << "February 2026 fills four whole weeks";
    EXPECT_EQ(inMonthFlags(grid.months[1].weeks.front()), std::vector<bool>(7, true));

    const auto& march = grid.months[2].weeks;
    ASSERT_EQ(march.size(), 5u);
    EXPECT_EQ(march.back().id, "2026-03-01-2026-03-29");
    EXPECT_EQ(inMonthFlags(march.back()), (std::vector<bool>{true, false, false, false, false, false, false}))
        << "after today is padding";

    const Cells cells(grid);
    EXPECT_EQ(cells.ids.size(), static_cast<std::size_t>(cells.count + 5 + 4 + 5)) << "ids are unique";
    ASSERT_EQ(cells.today.size(), 1u);
    EXPECT_EQ(cells.today[0].dayKey, "2026-03-29");
    EXPECT_EQ(cells.today[0].tier, BalanceTier::balanced);
    const auto tierOf = [&](const char* key) { return cells.inMonth.at(key).tier; };
    EXPECT_EQ(tierOf("2026-03-02"), BalanceTier::thriving);
    EXPECT_EQ(tierOf("2026-03-03"), BalanceTier::balanced);
    EXPECT_EQ(tierOf("2026-03-04"), BalanceTier::balanced);
    EXPECT_EQ(tierOf("2026-03-05"), BalanceTier::pushingIt);
    EXPECT_EQ(tierOf("2026-03-06"), BalanceTier::pushingIt);
    EXPECT_EQ(tierOf("2026-03-07"), BalanceTier::runningOnEmpty);
    EXPECT_EQ(tierOf("2026-03-08"), BalanceTier::runningOnEmpty) << "a score of 0 is a day, not a gap";
    EXPECT_EQ(tierOf("2026-03-09"), std::nullopt);
    EXPECT_EQ(trackedDaysSummary(grid), "Last three months, 8 tracked days")
        << "December and tomorrow are not shown";
    EXPECT_EQ(trackedDaysSummary(gridAt(calendar, 2026, 3, 29, 15, 0)),
              "No tracked days yet for the last three months");
}

// With Monday first, a month starting on Sunday begins with six blank cells, and the week it
// shares with the month before appears in both, in-month only where it belongs.
TEST(ActivityHeatMapGrid, MondayFirstAndTheFirstDayOfAMonth) {
    ScopedTimeZone tz("Europe/Berlin");
    LocaleData locale = LocaleData::enUS();
    locale.firstWeekday = 2;
    locale.shortWeekdayNames[6] = "S\u00e1bado";
    const Calendar calendar(locale);
    const auto grid = gridAt(calendar, 2026, 4, 1, 0, 5);

    ASSERT_EQ(grid.months.size(), 3u);
    EXPECT_EQ(grid.months[0].id, "2026-02-01");
    const auto& february = grid.months[0].weeks.front();
    EXPECT_EQ(february.id, "2026-02-01-2026-01-26");
    EXPECT_EQ(inMonthFlags(february), (std::vector<bool>{false, false, false, false, false, false, true}));
    const auto& april = grid.months[2];
    ASSERT_EQ(april.weeks.size(), 1u) << "the first of the month shows one week";
    EXPECT_EQ(inMonthFlags(april.weeks[0]),
              (std::vector<bool>{false, false, true, false, false, false, false}));
    EXPECT_TRUE(april.weeks[0].days[2].isToday);
    EXPECT_EQ(grid.months[1].weeks.back().days[1].dayKey, "2026-03-31") << "March ends in April's week";

    const Cells cells(grid);
    EXPECT_EQ(cells.today.size(), 1u);
    EXPECT_EQ(cells.inMonth.size(), 28u + 31 + 1);

    EXPECT_EQ(grid.weekdaySymbols.front(), "Sun") << "stored Sunday first";
    EXPECT_EQ(weekdayLabel(grid, 0, 2), "Mon");
    EXPECT_EQ(weekdayLabel(grid, 5, 2), "S\u00e1b") << "three letters, not bytes";
    EXPECT_EQ(weekdayLabel(grid, 6, 2), "Sun");
    EXPECT_EQ(weekdayLabel(grid, 7, 2), std::nullopt);
    EXPECT_EQ(weekdayLabel(grid, 0, 1), "Sun");
}

// Late evening west of UTC on the night the clocks fall back: the day is still the local one.
TEST(ActivityHeatMapGrid, WestOfUtcTheLocalDayCounts) {
    ScopedTimeZone tz("America/Los_Angeles");
    const Calendar calendar;
    const auto grid = gridAt(calendar, 2025, 11, 2, 23, 30);
    ASSERT_EQ(grid.months.size(), 3u);
    EXPECT_EQ(grid.months[0].id, "2025-09-01");
    const auto& november = grid.months[2].weeks;
    ASSERT_EQ(november.size(), 2u);
    EXPECT_EQ(inMonthFlags(november[0]), (std::vector<bool>{false, false, false, false, false, false, true}));
    EXPECT_EQ(november[1].id, "2025-11-01-2025-11-02");
    EXPECT_TRUE(november[1].days[0].isToday);
    EXPECT_EQ(Cells(grid).today.size(), 1u);
    EXPECT_EQ(shareDateRangeText(calendar.date(2025, 11, 2, 23, 30).value(), calendar),
              "Sep 2025 \u2013 Nov 2025");
}

TEST(ActivityHeatMapGrid, DateRangeCrossesTheYearAndCollapsesWhenBothEndsMatch) {
    ScopedTimeZone tz("Europe/Berlin");
    const Calendar calendar;
    EXPECT_EQ(shareDateRangeText(calendar.date(2026, 1, 31, 23, 59).value(), calendar),
              "Nov 2025 \u2013 Jan 2026");

    LocaleData yearOnly = LocaleData::enUS();
    yearOnly.monthYearPattern = "'Year' yyyy";
    const Calendar years(yearOnly);
    EXPECT_EQ(shareDateRangeText(years.date(2026, 3, 10, 12, 0).value(), years), "Year 2026");
    EXPECT_EQ(shareDateRangeText(years.date(2026, 1, 10, 12, 0).value(), years),
              "Year 2025 \u2013 Year 2026");
}
