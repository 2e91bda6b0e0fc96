#include "core/settings/SettingsOptions.h"
#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using vornela::testing::CoreWorld;
using Goal = SettingsActions::Goal;

TEST(SettingsOptions, GoalMenusNameTheirAmounts) {
    EXPECT_EQ(waterGoalPresetsML().size(), 21u);
    EXPECT_EQ(goalLabel(Goal::water, 2000), "2 L");
    EXPECT_EQ(goalLabel(Goal::water, 2500), "2.5 L");
    EXPECT_EQ(goalLabel(Goal::water, 12000), "12 L");
    EXPECT_EQ(goalLabel(Goal::water, 500), "500 ml");
    EXPECT_EQ(goalLabel(Goal::movement, 8), "8 per day");
    EXPECT_EQ(displayDurationLabel(6.99), "Show for 6 seconds");
    EXPECT_EQ(displayDurationSeconds(1.5), 3);
    EXPECT_EQ(displayDurationSeconds(99), 20);
    EXPECT_EQ(versionLabel("1.2.0"), "Vornela 1.2.0");
    EXPECT_EQ(versionLabel(""), "Vornela ?");
    EXPECT_EQ(versionLabel().rfind("Vornela ", 0), 0u);
}

// A goal stored outside the presets stays in force; the settings menu lists it in order and
// checks it, where a menu over the presets alone would show a blank.
TEST(SettingsOptions, AGoalOutsideThePresetsIsKeptAndListed) {
    CoreWorld w("Europe/Berlin", 2026, 3, 10, 9, 0);
    w.core->settings().setGoal(Goal::water, 1500);
    EXPECT_EQ(w.health->waterGoalML.get(), 1500);
    EXPECT_EQ(presetLabel(Goal::water, 1500), "");
    EXPECT_EQ(presetLabel(Goal::water, 3000), "3 L");
    const auto options = goalOptions(Goal::water, w.preferences->read(keys::waterGoalML));
    ASSERT_EQ(options.size(), 22u);
    EXPECT_EQ(options.front(), (GoalOption{1500, "1.5 L"}));
    EXPECT_EQ(goalOptions(Goal::breaks, 6).size(), 12u);
    const auto counts = goalOptions(Goal::breaks, 20);
    EXPECT_EQ(counts.back(), (GoalOption{20, "20 per day"}));
}

// Pausing lasts until resumed or the next launch; switching reminders off is remembered.
TEST(SettingsOptions, PauseIsForgottenAtLaunchWhileEnableRemindersIsKept) {
    CoreWorld w("Europe/Berlin", 2026, 3, 10, 9, 0);
    w.core->preferences().write(keys::hasCompletedOnboarding, true);
    w.launch();
    w.core->settings().setPaused(true);
    w.core->settings().setRemindersEnabled(false);
    EXPECT_TRUE(w.engine->isPaused().get());
    w.core->terminate();
    w.restart();
    w.launch();
    EXPECT_FALSE(w.engine->isPaused().get());
    EXPECT_FALSE(w.preferences->read(keys::remindersEnabled));
}
