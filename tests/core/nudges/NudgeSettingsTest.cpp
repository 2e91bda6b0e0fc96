#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using vornela::testing::CoreWorld;

TEST(NudgeSettings, IntervalsBelowHalfAnHourAreNeitherStoredNorUsed) {
    CoreWorld w("UTC", 2026, 6, 1);
    auto& s = *w.settings;
    EXPECT_DOUBLE_EQ(s.effectiveInterval(NudgeKindID::postureCheck), 3600) << "never written reads 3600";
    w.preferences->write(keys::nudgeInterval(NudgeKindID::postureCheck), 1200.0);
    EXPECT_DOUBLE_EQ(s.effectiveInterval(NudgeKindID::postureCheck), 2700) << "falls back to the default";
    s.storeInterval(NudgeKindID::eyeBreak, 600);
    EXPECT_DOUBLE_EQ(w.preferences->read(keys::nudgeInterval(NudgeKindID::eyeBreak)), 1800);
    s.storeInterval(NudgeKindID::eyeBreak, 7200);
    EXPECT_DOUBLE_EQ(s.effectiveInterval(NudgeKindID::eyeBreak), 7200);
}

TEST(NudgeSettings, PostureAndLunchIntervalsDoNotFollowGoals) {
    CoreWorld w("UTC", 2026, 6, 1);
    auto& s = *w.settings;
    s.storeInterval(NudgeKindID::postureCheck, 5400);
    s.syncAllIntervals(20, 20, 12000);
    EXPECT_DOUBLE_EQ(w.preferences->read(keys::nudgeInterval(NudgeKindID::postureCheck)), 2700);
    EXPECT_DOUBLE_EQ(w.preferences->read(keys::nudgeInterval(NudgeKindID::water)), 2700);
    EXPECT_EQ(w.preferences->storedValue("nudgeInterval_launch"), nullptr);
    s.syncIntervalForGoal(NudgeKindID::launch, w.health->goals());
    EXPECT_EQ(w.preferences->storedValue("nudgeInterval_launch"), nullptr);
    EXPECT_EQ(w.engine->nextFireDates().size(), 1u) << "only lunch was rescheduled";
    EXPECT_EQ(w.engine->nextFireDates().count(NudgeKindID::launch), 1u);
}

TEST(NudgeSettings, GoalSyncMigrationRunsOnceAndThenRespectsTheUser) {
    CoreWorld w("UTC", 2026, 6, 1);
    w.preferences->write(keys::breaksGoalDaily, 0);
    w.preferences->write(keys::waterGoalML, 8000);
    w.settings->migrateToGoalSyncedIntervals();
    EXPECT_DOUBLE_EQ(w.settings->effectiveInterval(NudgeKindID::eyeBreak), 10800) << "goal 0 counts as 1";
    EXPECT_DOUBLE_EQ(w.settings->effectiveInterval(NudgeKindID::water), 3600);
    EXPECT_DOUBLE_EQ(w.settings->effectiveInterval(NudgeKindID::standMove), 3600);
    EXPECT_TRUE(w.preferences->read(keys::nudgeIntervalsMigratedGoalSync));

    w.settings->storeInterval(NudgeKindID::eyeBreak, 1800);
    w.settings->migrateToGoalSyncedIntervals();
    EXPECT_DOUBLE_EQ(w.settings->effectiveInterval(NudgeKindID::eyeBreak), 1800);
}

TEST(NudgeSettings, ResettingGoalsRestoresDefaultsAndTheirIntervals) {
    CoreWorld w("UTC", 2026, 6, 1);
    w.health->setBreaksGoal(20);
    w.health->setWaterGoal(12000);
    // Movement near hourly snaps to the hour; further off it takes the nearest step.
    w.health->setMovementGoal(12);
    EXPECT_DOUBLE_EQ(w.settings->effectiveInterval(NudgeKindID::standMove), 3600);
    w.health->setMovementGoal(5);
    EXPECT_DOUBLE_EQ(w.settings->effectiveInterval(NudgeKindID::standMove), 7200);
    w.settings->resetGoalsToDefaults();
    EXPECT_EQ(w.preferences->read(keys::waterGoalML), 2000);
    EXPECT_EQ(w.preferences->read(keys::breaksGoalDaily), 6);
    EXPECT_EQ(w.preferences->read(keys::movementGoalDaily), 8);
    EXPECT_DOUBLE_EQ(w.settings->effectiveInterval(NudgeKindID::eyeBreak), 5400);
    EXPECT_DOUBLE_EQ(w.settings->effectiveInterval(NudgeKindID::water), 5400);
}
