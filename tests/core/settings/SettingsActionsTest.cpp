#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using vornela::testing::CoreWorld;

// Each control writes what its widget can show and reschedules the nudge it moves.
TEST(SettingsActions, ControlsClampWhatTheyWriteAndRescheduleTheirNudge) {
    CoreWorld w("Europe/Berlin", 2026, 3, 10, 9, 0);
    auto& actions = w.core->settings();
    const auto fireDate = [&](NudgeKindID kind) { return w.engine->nextFireDates().at(kind); };

    actions.setLunchTime(-5);
    EXPECT_EQ(w.preferences->read(keys::launchTimeMinutes), 0);
    EXPECT_DOUBLE_EQ(fireDate(NudgeKindID::launch), w.scheduler.wallNow()) << "passed without lunch: due now";
    actions.setLunchTime(24 * 60);
    EXPECT_EQ(w.preferences->read(keys::launchTimeMinutes), 1439);
    EXPECT_DOUBLE_EQ(fireDate(NudgeKindID::launch), w.at(23, 59));
    actions.setNudgeInterval(NudgeKindID::launch, 1800);
    EXPECT_EQ(w.preferences->storedValue("nudgeInterval_launch"), nullptr) << "lunch keeps its clock time";

    actions.setDisplayDuration(1.7);
    EXPECT_EQ(w.preferences->read(keys::nudgeDisplayDuration), 3.0);
    actions.setDisplayDuration(99);
    EXPECT_EQ(w.preferences->read(keys::nudgeDisplayDuration), 20.0);

    actions.setGoal(SettingsActions::Goal::breaks, 12); // ten hours over twelve breaks: every 45 minutes
    EXPECT_EQ(w.health->breaksGoalDaily.get(), 12);
    EXPECT_DOUBLE_EQ(fireDate(NudgeKindID::eyeBreak), w.at(9, 45));
}
