#pragma once

#include <array>
#include <optional>
#include <string>

namespace vornela {

// What the calendar needs from a locale: the week's first day and short names.
struct LocaleData {
    int firstWeekday = 1; // 1 = Sunday ... 7 = Saturday
    std::array<std::string, 12> shortMonthNames;
    std::array<std::string, 7> shortWeekdayNames; // Sunday first
    // How a month and its year are written ("Nov 2025"), in date-pattern letters: a run of M is
    // the month (three or more: the short name), a run of y the year, 'quoted' text is literal.
    std::string monthYearPattern = "MMM yyyy";

    static LocaleData enUS();
    // A month (1...12) of a year written with monthYearPattern.
    std::string formatMonthYear(int year, int month) const;
};

// A local date and time, broken down. Months and days count from 1; weekday 1 is Sunday.
struct LocalDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    double second = 0;
    int weekday = 5;
};

// The Gregorian calendar in the process's time zone (TZ). Operations that can fail (a date
// outside what the system's time functions represent) return no value instead of guessing.
class Calendar {
public:
    explicit Calendar(LocaleData locale = LocaleData::enUS());

    const LocaleData& locale() const { return locale_; }
    // Reads the process's time zone again (TZ, else /etc/localtime) after the system's changed.
    void reloadTimeZone() const;

    // Outside the calendar's range (about 2^31 years either way) there is no local time: no
    // value, and every operation below that needs one fails as well.
    std::optional<LocalDateTime> localTime(double instant) const;
    // The same, with the Unix epoch's fields standing in where there is no local time.
    LocalDateTime components(double instant) const;
    // The instant a local wall-clock time names. A time skipped by a clock change moves forward
    // by the gap (02:30 on a spring-forward night is 03:30); a repeated one is its first occurrence.
    std::optional<double> date(int year, int month, int day, int hour = 0, int minute = 0,
                               double second = 0) const;
    // The given minutes after midnight as local wall-clock time on the day of `instant`.
    std::optional<double> dateAtMinutes(double instant, int minutes) const;

    // `instant` itself where there is no local time.
    double startOfDay(double instant) const;
    std::optional<double> startOfNextDay(double instant) const;
    // The same wall-clock time so many days, weeks or months away; a month step keeps the day
    // when it exists, else the month's last day.
    std::optional<double> addDays(double instant, int days) const;
    std::optional<double> addWeeks(double instant, int weeks) const;
    std::optional<double> addMonths(double instant, int months) const;

    int weekday(double instant) const;
    bool isSameDay(double a, double b) const;
    // "yyyy-MM-dd"; keys sort in date order as text.
    std::string dayKey(double instant) const;
    static int daysInMonth(int year, int month);

private:
    LocaleData locale_;
};

} // namespace vornela
