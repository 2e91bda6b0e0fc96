#pragma once

#include "core/base/Calendar.h"
#include "core/store/BalanceTier.h"
#include "core/store/PreferenceKey.h"

#include <optional>
#include <string>
#include <vector>

namespace vornela {

struct ActivityHeatMapDay {
    // Month id + "-" + the day's key + "-" + its index 0...6 in the week: unique across the grid
    // even where two months share a week.
    std::string id;
    // Only for a day shown as part of its month.
    std::optional<std::string> dayKey;
    // Only for a day of the month with a stored score.
    std::optional<BalanceTier> tier;
    // The day belongs to the month and is not after today; others are blank padding.
    bool isInMonth = false;
    bool isToday = false;
    friend bool operator==(const ActivityHeatMapDay&, const ActivityHeatMapDay&) = default;
};

struct ActivityHeatMapWeek {
    std::string id;                       // month id + "-" + the key of the week's first day
    std::vector<ActivityHeatMapDay> days; // up to seven, first weekday first
    friend bool operator==(const ActivityHeatMapWeek&, const ActivityHeatMapWeek&) = default;
};

struct ActivityHeatMapMonth {
    std::string id;                         // the key of the month's first day
    std::string label;                      // the month's short name
    std::vector<ActivityHeatMapWeek> weeks; // oldest first
    friend bool operator==(const ActivityHeatMapMonth&, const ActivityHeatMapMonth&) = default;
};

// The daily balance of this month and the two before it, one week column after another. Built
// fresh on every draw from the history, the instant and the calendar (its zone, first weekday
// and names); a calendar step that fails leaves out what it would have produced.
struct ActivityHeatMapGrid {
    std::vector<ActivityHeatMapMonth> months; // oldest first; a month without days is absent
    std::vector<std::string> weekdaySymbols;  // short names, Sunday first, not rotated

    static ActivityHeatMapGrid build(const IntMap& history, double now, const Calendar& calendar);
    friend bool operator==(const ActivityHeatMapGrid&, const ActivityHeatMapGrid&) = default;
};

// The chart's accessible label: how many shown days have a score.
std::string trackedDaysSummary(const ActivityHeatMapGrid& grid);
// The label of weekday row 0...6, which starts at the calendar's first weekday (1 = Sunday).
std::optional<std::string> weekdayLabel(const ActivityHeatMapGrid& grid, int row, int firstWeekday);
// The share card's "Nov 2025 – Jan 2026": the first shown month to now's.
std::string shareDateRangeText(double now, const Calendar& calendar);

} // namespace vornela
