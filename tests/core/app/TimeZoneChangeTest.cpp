#include "core/app/VornelaCore.h"

#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace vornela {
namespace {

// A user flies from Berlin to New York with Vornela running, and back. The system zone changes
// under the process (TZ here, /etc/localtime on a desktop) and the platform reports it; the day
// key, midnight, the lunch time and the interval grid all follow the zone the user is in.
TEST(TimeZoneChange, FlightToNewYorkAndBackMovesTheDayMidnightAndNudges) {
    testing::CoreWorld w{"Europe/Berlin", 2026, 3, 2, 10, 0}; // Monday
    std::vector<std::pair<std::string, double>> dayChanges;
    auto days = w.center->observe(notifications::calendarDayChanged, [&] {
        dayChanges.emplace_back(w.calendar.dayKey(w.scheduler.wallNow()), w.scheduler.wallNow());
    });
    w.launchQuietly();
    const auto& next = w.engine->nextFireDates();
    const auto fly = [&](const char* zone) {
        setenv("TZ", zone, 1); // the core must read it again itself
        w.desktop.timeZone.changed.emit();
        w.scheduler.runDue();
    };
    EXPECT_EQ(next.at(NudgeKindID::launch), w.at(12, 30));

    // Landing at 04:00 in New York, still Monday there.
    fly("America/New_York");
    EXPECT_EQ(w.calendar.components(w.scheduler.wallNow()).hour, 4);
    EXPECT_EQ(w.health->trackingDayKey.get(), "2026-03-02");
    EXPECT_TRUE(dayChanges.empty());
    EXPECT_EQ(next.at(NudgeKindID::launch), w.at(12, 30));
    EXPECT_EQ(next.at(NudgeKindID::postureCheck), w.at(4, 45)) << "00:15 + whole 45-minute steps, New York";

    // Berlin's midnight (18:00 here) passes unnoticed; New York's starts Tuesday.
    const double newYorkMidnight = w.calendar.date(2026, 3, 3).value();
    w.advance(newYorkMidnight - w.scheduler.wallNow() + 60);
    ASSERT_EQ(dayChanges.size(), 1u);
    EXPECT_EQ(dayChanges[0], std::make_pair(std::string("2026-03-03"), newYorkMidnight));
    EXPECT_EQ(w.health->trackingDayKey.get(), "2026-03-03");

    // Home at 19:00 Tuesday New York time: already 01:00 Wednesday in Berlin, a new day at once.
    w.advance(w.at(19, 0) - w.scheduler.wallNow());
    w.preferences->write(keys::nudgeShown(NudgeKindID::launch), 1); // Tuesday's lunch was shown
    fly("Europe/Berlin");
    ASSERT_EQ(dayChanges.size(), 2u);
    EXPECT_EQ(dayChanges[1].first, "2026-03-04");
    EXPECT_EQ(w.health->trackingDayKey.get(), "2026-03-04");
    EXPECT_EQ(w.preferences->read(keys::nudgeShown(NudgeKindID::launch)), 0) << "Wednesday starts afresh";
    EXPECT_EQ(next.at(NudgeKindID::launch), w.at(12, 30));
    EXPECT_EQ(w.calendar.dayKey(next.at(NudgeKindID::launch)), "2026-03-04");

    const double berlinMidnight = w.calendar.date(2026, 3, 5).value();
    w.advance(berlinMidnight - w.scheduler.wallNow());
    ASSERT_EQ(dayChanges.size(), 3u);
    EXPECT_EQ(dayChanges[2], std::make_pair(std::string("2026-03-05"), berlinMidnight));
}

} // namespace
} // namespace vornela
