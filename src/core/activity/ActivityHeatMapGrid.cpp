#include "core/activity/ActivityHeatMapGrid.h"

#include <algorithm>

namespace vornela {

namespace {

// The first day of the week holding `date`, at its start; `date`'s own day if the step fails.
double weekStart(double date, const Calendar& calendar) {
    const double start = calendar.startOfDay(date);
    const int weekday = calendar.weekday(start);
    const int back = (weekday - calendar.locale().firstWeekday + 7) % 7;
    return calendar.addDays(start, -back).value_or(start);
}

bool sameMonth(double a, double b, const Calendar& calendar) {
    const auto ca = calendar.localTime(a), cb = calendar.localTime(b);
    return ca && cb && ca->year == cb->year && ca->month == cb->month;
}

std::vector<ActivityHeatMapWeek> weeksOfMonth(const std::string& monthId, double monthStart, double end,
                                              const std::string& todayKey, const IntMap& history,
                                              const Calendar& calendar) {
    std::vector<ActivityHeatMapWeek> weeks;
    double cursor = weekStart(monthStart, calendar);
    const double last = weekStart(end, calendar);
    while (cursor <= last) {
        ActivityHeatMapWeek week;
        bool anyInMonth = false;
        for (int i = 0; i < 7; ++i) {
            const auto date = calendar.addDays(cursor, i);
            if (!date)
                continue;
            const double day = calendar.startOfDay(*date);
            const std::string key = calendar.dayKey(day);
            ActivityHeatMapDay cell;
            cell.id = monthId + "-" + key + "-" + std::to_string(i);
            cell.isInMonth = day >= monthStart && sameMonth(day, monthStart, calendar) && day <= end;
            if (cell.isInMonth) {
                anyInMonth = true;
                cell.dayKey = key;
                if (const auto found = history.find(key); found != history.end())
                    cell.tier = tierForScore(found->second);
                cell.isToday = key == todayKey;
            }
            week.days.push_back(std::move(cell));
        }
        if (anyInMonth) {
            week.id = monthId + "-" + calendar.dayKey(cursor);
            weeks.push_back(std::move(week));
        }
        const auto next = calendar.addWeeks(cursor, 1);
        if (!next)
            break;
        cursor = *next;
    }
    return weeks;
}

// The first days of the month before last, last month and this month; those a step fails for
// are left out.
std::vector<double> monthStarts(double today, const Calendar& calendar) {
    std::vector<double> starts;
    const auto c = calendar.localTime(today);
    const auto first = c ? calendar.date(c->year, c->month, 1) : std::nullopt;
    if (!first)
        return starts;
    for (int offset : {-2, -1, 0}) {
        if (const auto start = calendar.addMonths(*first, offset))
            starts.push_back(calendar.startOfDay(*start));
    }
    return starts;
}

std::string monthLabel(double date, const Calendar& calendar) {
    const int month = calendar.components(date).month;
    return calendar.locale().shortMonthNames[static_cast<std::size_t>(month - 1)];
}

// The first `count` characters (code points) of UTF-8 text.
std::string prefix(const std::string& text, int count) {
    std::size_t end = 0;
    for (int taken = 0; end < text.size() && taken < count; ++taken) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return text.substr(0, end);
}

} // namespace

ActivityHeatMapGrid ActivityHeatMapGrid::build(const IntMap& history, double now, const Calendar& calendar) {
    ActivityHeatMapGrid grid;
    const double today = calendar.startOfDay(now);
    const std::string todayKey = calendar.dayKey(today);
    for (double start : monthStarts(today, calendar)) {
        const auto next = calendar.addMonths(start, 1);
        if (!next)
            continue;
        const auto dayBefore = calendar.addDays(*next, -1);
        const double lastDay = dayBefore ? calendar.startOfDay(*dayBefore) : start;
        const double end = today < lastDay ? today : lastDay;
        if (start > today)
            continue;
        const std::string id = calendar.dayKey(start);
        auto weeks = weeksOfMonth(id, start, end, todayKey, history, calendar);
        if (weeks.empty())
            continue;
        grid.months.push_back({id, monthLabel(start, calendar), std::move(weeks)});
    }
    const auto& names = calendar.locale().shortWeekdayNames;
    grid.weekdaySymbols.assign(names.begin(), names.end());
    return grid;
}

std::string trackedDaysSummary(const ActivityHeatMapGrid& grid) {
    int count = 0;
    for (const auto& month : grid.months)
        for (const auto& week : month.weeks)
            count += static_cast<int>(std::count_if(week.days.begin(), week.days.end(), [](const auto& day) {
                return day.isInMonth && day.tier.has_value();
            }));
    if (count == 0)
        return "No tracked days yet for the last three months";
    return "Last three months, " + std::to_string(count) + " tracked days";
}

std::optional<std::string> weekdayLabel(const ActivityHeatMapGrid& grid, int row, int firstWeekday) {
    if (row > 6)
        return std::nullopt;
    // Truncating remainder: a row before the first has no label, as an index below zero.
    const long long index = (static_cast<long long>(firstWeekday) - 1 + row) % 7;
    if (index < 0 || index >= static_cast<long long>(grid.weekdaySymbols.size()))
        return std::nullopt;
    return prefix(grid.weekdaySymbols[static_cast<std::size_t>(index)], 3);
}

std::string shareDateRangeText(double now, const Calendar& calendar) {
    const LocaleData& locale = calendar.locale();
    const auto format = [&](double instant) {
        const auto c = calendar.components(instant);
        return locale.formatMonthYear(c.year, c.month);
    };
    const std::string end = format(now);
    const auto c = calendar.localTime(now);
    const auto first = c ? calendar.date(c->year, c->month, 1) : std::nullopt;
    const auto start = first ? calendar.addMonths(*first, -2) : std::nullopt;
    if (!start)
        return end;
    const std::string begin = format(*start);
    return begin == end ? begin : begin + " \u2013 " + end;
}

} // namespace vornela
