#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using vornela::testing::CoreWorld;

namespace {

void doSomeOfEverything(HealthDataStore& health) {
    health.logWater(300);
    health.recordCompletion(NudgeKindID::eyeBreak);
    health.recordCompletion(NudgeKindID::standMove);
    health.recordCompletion(NudgeKindID::launch);
    health.recordNudgeShown(NudgeKindID::postureCheck);
}

void expectFreshDay(CoreWorld& w, const std::string& day) {
    auto& h = *w.health;
    EXPECT_EQ(h.trackingDayKey.get(), day);
    EXPECT_EQ(h.todayWaterML.get(), 0);
    EXPECT_EQ(h.todayBreaksCompleted.get(), 0);
    EXPECT_EQ(h.todayMovementCompleted.get(), 0);
    EXPECT_EQ(h.todayLaunchCompleted.get(), 0);
    EXPECT_EQ(h.shownToday(NudgeKindID::postureCheck), 0);
    EXPECT_TRUE(h.sortedActionTimestamps().empty());
    EXPECT_EQ(w.preferences->read(keys::actionTimestampsDay), day);
    EXPECT_EQ(h.balanceScore.get().score, 30);
}

} // namespace

TEST(HealthDataStore, MidnightStartsANewDayWhileRunningIncludingThe23HourDay) {
    CoreWorld w("Europe/Berlin", 2026, 3, 28, 20, 0);
    doSomeOfEverything(*w.health);
    EXPECT_EQ(w.health->todayWaterML.get(), 300);
    EXPECT_EQ(w.health->todayBreaksCompleted.get(), 1);
    EXPECT_EQ(w.health->sortedActionTimestamps().size(), 4u);

    int waterChanges = 0;
    auto sub = w.health->todayWaterML.observe([&](const int&) { ++waterChanges; });
    w.scheduler.advance(4 * 3600 - 1);
    EXPECT_EQ(w.health->todayWaterML.get(), 300) << "still the 28th";
    w.scheduler.advance(1);
    expectFreshDay(w, "2026-03-29");
    EXPECT_EQ(waterChanges, 1);
    EXPECT_EQ(w.health->dailyBalanceHistory.get().count("2026-03-28"), 1u) << "yesterday's score stays";

    // The short day ends 23 hours later, at the next local midnight.
    w.health->logWater(250);
    w.scheduler.advance(23 * 3600 - 1);
    EXPECT_EQ(w.health->todayWaterML.get(), 250);
    w.scheduler.advance(1);
    expectFreshDay(w, "2026-03-30");
}

TEST(HealthDataStore, WakingAfterMidnightStartsANewDay) {
    CoreWorld w("Europe/Berlin", 2026, 6, 1, 22, 30);
    w.dayTimer->stop(); // only the wake report may do it
    doSomeOfEverything(*w.health);
    w.sleepFor(9 * 3600);
    expectFreshDay(w, "2026-06-02");
}

TEST(HealthDataStore, YesterdaysWaterIsNotCountedButKeptUntilOverwritten) {
    CoreWorld w("UTC", 2026, 6, 1, 12, 0);
    w.health->logWater(500);
    w.scheduler.advance(24 * 3600);
    EXPECT_EQ(w.health->todayWaterML.get(), 0);
    EXPECT_EQ(w.preferences->read(keys::waterIntakeML), 500);
    EXPECT_EQ(w.preferences->read(keys::waterIntakeDay), "2026-06-01");
    w.health->logWater(200);
    EXPECT_EQ(w.health->todayWaterML.get(), 200);
    EXPECT_EQ(w.preferences->read(keys::waterIntakeML), 200);
}

TEST(HealthDataStore, LoggingWaterAddsAmountsAndActionMoments) {
    CoreWorld w("UTC", 2026, 6, 1, 9, 0);
    const auto before = w.preferences->storedValues();
    w.health->logWater(0);
    w.health->logWater(-100);
    w.health->recordCompletion(NudgeKindID::water); // water counts in millilitres only
    w.health->recordNudgeShown(NudgeKindID::water);
    EXPECT_EQ(w.preferences->storedValues(), before);
    EXPECT_EQ(w.health->completedToday(NudgeKindID::water), 0);
    EXPECT_EQ(w.health->todayWaterML.get(), 0);
    EXPECT_TRUE(w.health->sortedActionTimestamps().empty());
    w.health->logWater(250);
    w.scheduler.advance(600);
    w.health->logWater(249);
    w.health->logWater(1); // the smallest amount still counts
    EXPECT_EQ(w.health->todayWaterML.get(), 500);
    EXPECT_EQ(w.health->sortedActionTimestamps(),
              (std::vector<double>{w.at(9, 0), w.at(9, 10), w.at(9, 10)}));
    // 500 of 2000 ml: a quarter of the water share.
    EXPECT_EQ(w.health->balanceScore.get().score, 38);
}

TEST(HealthDataStore, CompletionsMoveTheScoreAndSurviveARestart) {
    CoreWorld w("UTC", 2026, 6, 1, 9, 0);
    for (int i = 0; i < 6; ++i)
        w.health->recordCompletion(NudgeKindID::eyeBreak);
    w.health->recordCompletion(NudgeKindID::postureCheck);
    EXPECT_EQ(w.health->todayBreaksCompleted.get(), 6);
    EXPECT_EQ(w.preferences->read(keys::nudgeCompletions(NudgeKindID::postureCheck)), 1);
    EXPECT_EQ(w.health->balanceScore.get().score, 43); // 30 + 40/3
    EXPECT_EQ(w.health->balanceScore.get().tier, BalanceTier::pushingIt);

    w.preferences->flush();
    w.restart();
    EXPECT_EQ(w.health->todayBreaksCompleted.get(), 6);
    EXPECT_EQ(w.health->balanceScore.get().score, 43);
}

TEST(HealthDataStore, GoalsAreClampedAndResyncTheirNudge) {
    CoreWorld w("UTC", 2026, 6, 1, 9, 0);
    w.health->setWaterGoal(300);
    EXPECT_EQ(w.health->waterGoalML.get(), 500);
    EXPECT_EQ(w.preferences->read(keys::waterGoalML), 500);
    w.health->setBreaksGoal(8);
    w.health->setMovementGoal(0);
    EXPECT_EQ(w.health->movementGoalDaily.get(), 1);
    EXPECT_DOUBLE_EQ(w.preferences->read(keys::nudgeInterval(NudgeKindID::eyeBreak)), 3600);
    EXPECT_DOUBLE_EQ(w.preferences->read(keys::nudgeInterval(NudgeKindID::standMove)), 10800);
    std::vector<NudgeKindID> rescheduled;
    for (const auto& [kind, date] : w.engine->nextFireDates())
        rescheduled.push_back(kind);
    EXPECT_EQ(rescheduled,
              (std::vector<NudgeKindID>{NudgeKindID::water, NudgeKindID::eyeBreak, NudgeKindID::standMove}));

    // Goals stored out of range by hand read as their minimum.
    w.preferences->setValue("breaksGoalDaily", -3);
    w.preferences->setValue("waterGoalML", 20);
    w.preferences->setValue("movementGoalDaily", 0);
    w.health->reloadToday();
    EXPECT_EQ(w.health->breaksGoalDaily.get(), 1);
    EXPECT_EQ(w.health->movementGoalDaily.get(), 1);
    EXPECT_EQ(w.health->waterGoalML.get(), 500);
}

TEST(HealthDataStore, HistoryKeepsOneScorePerDayFor120Days) {
    CoreWorld w("Europe/Berlin", 2026, 8, 1, 9, 0);
    IntMap old;
    for (int back = 130; back >= 1; --back)
        old[w.calendar.dayKey(w.calendar.addDays(w.scheduler.wallNow(), -back).value())] = 50;
    old["2026-08-01"] = 7;
    w.preferences->write(keys::dailyBalanceHistory, old);

    w.health->recomputeBalance(w.scheduler.wallNow());
    w.health->logWater(2000);
    const auto& history = w.health->dailyBalanceHistory.get();
    EXPECT_EQ(history.size(), 121u) << "120 days back plus today";
    EXPECT_EQ(history.begin()->first, "2026-04-03") << "exactly 120 days old stays";
    EXPECT_EQ(history.at("2026-08-01"), 60) << "the day's latest score";
    EXPECT_EQ(w.preferences->read(keys::dailyBalanceHistory), history);
}
