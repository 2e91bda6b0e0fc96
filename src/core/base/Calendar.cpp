#include "core/base/Calendar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

namespace vornela {

LocaleData LocaleData::enUS() {
    return LocaleData{1,
                      {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
                      {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
                      "MMM yyyy"};
}

std::string LocaleData::formatMonthYear(int year, int month) const {
    std::string out;
    const std::string& p = monthYearPattern;
    for (std::size_t i = 0; i < p.size();) {
        const char c = p[i];
        std::size_t run = 1;
        while (i + run < p.size() && p[i + run] == c)
            ++run;
        if (c == '\'') {
            // '' is a quote; 'text' is literal up to the closing quote.
            if (run >= 2) {
                out.append(run / 2, '\'');
                i += run - run % 2;
                continue;
            }
            const std::size_t close = p.find('\'', i + 1);
            out += p.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
            i = close == std::string::npos ? p.size() : close + 1;
            continue;
        }
        char buffer[32];
        if (c == 'M' && run >= 3) {
            out += month >= 1 && month <= 12 ? shortMonthNames[month - 1] : std::to_string(month);
        } else if (c == 'M') {
            std::snprintf(buffer, sizeof buffer, run == 2 ? "%02d" : "%d", month);
            out += buffer;
        } else if (c == 'y' && run == 2) {
            std::snprintf(buffer, sizeof buffer, "%02d", ((year % 100) + 100) % 100);
            out += buffer;
        } else if (c == 'y') {
            std::snprintf(buffer, sizeof buffer, "%0*d", static_cast<int>(std::min<std::size_t>(run, 9)),
                          year);
            out += buffer;
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

namespace {

bool toTimeT(double instant, std::time_t& out) {
    if (!std::isfinite(instant))
        return false;
    const double whole = std::floor(instant);
    if (whole < static_cast<double>(std::numeric_limits<std::time_t>::min()) ||
        whole > static_cast<double>(std::numeric_limits<std::time_t>::max()))
        return false;
    out = static_cast<std::time_t>(whole);
    return true;
}

bool localTm(std::time_t t, std::tm& out) {
    return localtime_r(&t, &out) != nullptr;
}

long utcOffset(std::time_t t) {
    std::tm tm{};
    if (!localTm(t, tm))
        return 0;
    return tm.tm_gmtoff;
}

bool sameWallClock(std::time_t t, const std::tm& wanted) {
    std::tm tm{};
    if (!localTm(t, tm))
        return false;
    return tm.tm_year == wanted.tm_year && tm.tm_mon == wanted.tm_mon && tm.tm_mday == wanted.tm_mday &&
           tm.tm_hour == wanted.tm_hour && tm.tm_min == wanted.tm_min && tm.tm_sec == wanted.tm_sec;
}

// Fields may be out of range (day 32, month 13); they are normalised like a calendar would.
std::optional<std::time_t> resolveLocal(int year, int month, int day, int hour, int minute, int second) {
    std::tm naive{};
    naive.tm_year = year - 1900;
    naive.tm_mon = month - 1;
    naive.tm_mday = day;
    naive.tm_hour = hour;
    naive.tm_min = minute;
    naive.tm_sec = second;
    // The wall-clock fields read as if they were UTC; timegm also normalises them.
    if (year < -100000 || year > 100000)
        return std::nullopt;
    const std::time_t asUtc = timegm(&naive);
    // Offsets change at most once within half a day either side.
    const long before = utcOffset(asUtc - 43200);
    const long after = utcOffset(asUtc + 43200);
    std::optional<std::time_t> best;
    for (long offset : {before, after}) {
        const std::time_t candidate = asUtc - offset;
        if (sameWallClock(candidate, naive) && (!best || candidate < *best))
            best = candidate;
    }
    if (best)
        return best;
    // Skipped by a clock change: read it with the offset in force before the change, which
    // lands the same distance past the change as the time was past its start.
    return asUtc - before;
}

} // namespace

Calendar::Calendar(LocaleData locale) : locale_(std::move(locale)) {
    tzset();
}

void Calendar::reloadTimeZone() const {
    tzset();
}

LocalDateTime Calendar::components(double instant) const {
    return localTime(instant).value_or(LocalDateTime{});
}

std::optional<LocalDateTime> Calendar::localTime(double instant) const {
    std::time_t t{};
    std::tm tm{};
    if (!toTimeT(instant, t) || !localTm(t, tm))
        return std::nullopt;
    LocalDateTime out;
    out.year = tm.tm_year + 1900;
    out.month = tm.tm_mon + 1;
    out.day = tm.tm_mday;
    out.hour = tm.tm_hour;
    out.minute = tm.tm_min;
    out.second = tm.tm_sec + (instant - std::floor(instant));
    out.weekday = tm.tm_wday + 1;
    return out;
}

std::optional<double> Calendar::date(int year, int month, int day, int hour, int minute,
                                     double second) const {
    const double whole = std::floor(second);
    auto t = resolveLocal(year, month, day, hour, minute, static_cast<int>(whole));
    if (!t)
        return std::nullopt;
    return static_cast<double>(*t) + (second - whole);
}

std::optional<double> Calendar::dateAtMinutes(double instant, int minutes) const {
    const auto c = localTime(instant);
    if (!c)
        return std::nullopt;
    return date(c->year, c->month, c->day, minutes / 60, minutes % 60);
}

double Calendar::startOfDay(double instant) const {
    const auto c = localTime(instant);
    if (!c)
        return instant;
    // Where midnight itself is skipped, the day starts at the end of the gap.
    return date(c->year, c->month, c->day).value_or(instant);
}

std::optional<double> Calendar::startOfNextDay(double instant) const {
    const auto c = localTime(instant);
    if (!c)
        return std::nullopt;
    return date(c->year, c->month, c->day + 1);
}

std::optional<double> Calendar::addDays(double instant, int days) const {
    const auto found = localTime(instant);
    if (!found)
        return std::nullopt;
    const auto& c = *found;
    const long long day = static_cast<long long>(c.day) + days;
    if (day > std::numeric_limits<int>::max() || day < std::numeric_limits<int>::min())
        return std::nullopt;
    return date(c.year, c.month, static_cast<int>(day), c.hour, c.minute, c.second);
}

std::optional<double> Calendar::addWeeks(double instant, int weeks) const {
    const long long days = static_cast<long long>(weeks) * 7;
    if (days > std::numeric_limits<int>::max() || days < std::numeric_limits<int>::min())
        return std::nullopt;
    return addDays(instant, static_cast<int>(days));
}

std::optional<double> Calendar::addMonths(double instant, int months) const {
    const auto found = localTime(instant);
    if (!found)
        return std::nullopt;
    const auto& c = *found;
    const long long total = static_cast<long long>(c.year) * 12 + (c.month - 1) + months;
    const long long year = total >= 0 ? total / 12 : (total - 11) / 12;
    if (year > 1'000'000 || year < -1'000'000)
        return std::nullopt;
    const int month = static_cast<int>(total - year * 12) + 1;
    const int day = std::min(c.day, daysInMonth(static_cast<int>(year), month));
    return date(static_cast<int>(year), month, day, c.hour, c.minute, c.second);
}

int Calendar::weekday(double instant) const {
    return components(instant).weekday;
}

bool Calendar::isSameDay(double a, double b) const {
    const auto ca = components(a), cb = components(b);
    return ca.year == cb.year && ca.month == cb.month && ca.day == cb.day;
}

std::string Calendar::dayKey(double instant) const {
    const auto c = components(instant);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", c.year, c.month, c.day);
    return buffer;
}

int Calendar::daysInMonth(int year, int month) {
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 30;
    if (month == 2) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    return lengths[month - 1];
}

} // namespace vornela
