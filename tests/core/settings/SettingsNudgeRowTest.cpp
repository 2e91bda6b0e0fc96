#include "core/settings/SettingsWindowModel.h"
#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using vornela::testing::CoreWorld;

namespace {

SettingsNudgeRow& rowFor(VornelaCore& core, NudgeKindID kind) {
    for (auto& row : core.settingsWindow().rows()) {
        if (row.kind() == kind)
            return row;
    }
    throw std::logic_error("no row");
}

} // namespace

// The menu shows the preset nearest the interval in force; halfway between two, the shorter.
TEST(SettingsNudgeRow, ShowsTheNearestPresetTheShorterOnATie) {
    EXPECT_EQ(nearestIntervalPreset(2250), NudgeIntervalPreset::minutes30);
    EXPECT_EQ(nearestIntervalPreset(4500), NudgeIntervalPreset::minutes60);
    EXPECT_EQ(nearestIntervalPreset(9000), NudgeIntervalPreset::minutes120);
    EXPECT_EQ(nearestIntervalPreset(2251), NudgeIntervalPreset::minutes45);
    EXPECT_EQ(nearestIntervalPreset(1e9), NudgeIntervalPreset::minutes180);

    CoreWorld w("Europe/Berlin", 2026, 3, 10, 9, 0);
    w.preferences->write(keys::nudgeInterval(NudgeKindID::water), 6300.0);
    w.preferences->write(keys::nudgeInterval(NudgeKindID::eyeBreak), 600.0); // below the minimum: unused
    w.preferences->write(keys::nudgeEnabled(NudgeKindID::postureCheck), false);
    w.preferences->write(keys::launchTimeMinutes, 810);
    w.core->settingsWindow().willShow();
    EXPECT_EQ(rowFor(*w.core, NudgeKindID::water).interval(), NudgeIntervalPreset::minutes90);
    EXPECT_EQ(rowFor(*w.core, NudgeKindID::eyeBreak).interval(),
              nearestIntervalPreset(definitionFor(NudgeKindID::eyeBreak).defaultInterval));
    EXPECT_FALSE(rowFor(*w.core, NudgeKindID::postureCheck).enabled());
    EXPECT_TRUE(rowFor(*w.core, NudgeKindID::water).enabled());
    EXPECT_EQ(rowFor(*w.core, NudgeKindID::launch).lunchMinutes(), 810);
    EXPECT_EQ(rowFor(*w.core, NudgeKindID::launch).title(), "Lunch Reminder");
    EXPECT_EQ(rowFor(*w.core, NudgeKindID::water).title(), "Drink Water");
}

// 10 and 20 minutes are offered but 30 is the shortest interval used; the row keeps the choice.
// Each applied change reschedules its nudge and is reported once; lunch is clamped to the day.
TEST(SettingsNudgeRow, ChangesWriteThroughAndRescheduleTheirNudge) {
    CoreWorld w("Europe/Berlin", 2026, 3, 10, 9, 0);
    w.launchQuietly();
    w.core->settingsWindow().willShow();
    auto& water = rowFor(*w.core, NudgeKindID::water);
    int reports = 0;
    water.onSettingsChange = [&] { ++reports; };

    water.setInterval(NudgeIntervalPreset::minutes10);
    EXPECT_EQ(water.interval(), NudgeIntervalPreset::minutes10);
    EXPECT_EQ(w.preferences->read(keys::nudgeInterval(NudgeKindID::water)), 1800.0);
    EXPECT_LE(w.engine->nextFireDates().at(NudgeKindID::water), w.scheduler.wallNow() + 1800)
        << "rescheduled";
    water.setInterval(NudgeIntervalPreset::minutes20);
    EXPECT_EQ(water.interval(), NudgeIntervalPreset::minutes20);
    EXPECT_EQ(w.preferences->read(keys::nudgeInterval(NudgeKindID::water)), 1800.0);
    EXPECT_LE(w.engine->nextFireDates().at(NudgeKindID::water), w.scheduler.wallNow() + 1800)
        << "rescheduled";
    water.setInterval(NudgeIntervalPreset::minutes20);
    water.setLunchMinutes(600);
    EXPECT_EQ(reports, 2) << "only applied changes are reported";

    water.setEnabled(false);
    EXPECT_FALSE(w.preferences->read(keys::nudgeEnabled(NudgeKindID::water)));
    water.setEnabled(true);
    EXPECT_EQ(reports, 4);

    auto& lunch = rowFor(*w.core, NudgeKindID::launch);
    lunch.setInterval(NudgeIntervalPreset::minutes30);
    EXPECT_EQ(w.preferences->storedValue("nudgeInterval_launch"), nullptr);
    lunch.setLunchMinutes(5000);
    EXPECT_EQ(lunch.lunchMinutes(), 1439);
    EXPECT_EQ(w.preferences->read(keys::launchTimeMinutes), 1439);
    EXPECT_DOUBLE_EQ(w.engine->nextFireDates().at(NudgeKindID::launch), w.at(23, 59));
}

// Made once and reused: only the first showing starts on General, and rows come back into view
// with what the goals did to the intervals meanwhile.
TEST(SettingsWindowModel, FirstShowingStartsOnGeneralAndRowsFollowTheGoals) {
    CoreWorld w("Europe/Berlin", 2026, 3, 10, 9, 0);
    auto& model = w.core->settingsWindow();
    model.willShow();
    EXPECT_TRUE(model.isOpen());
    w.core->settings().setGoal(SettingsActions::Goal::breaks, 2);
    model.select(SettingsPane::nudges);
    EXPECT_EQ(rowFor(*w.core, NudgeKindID::eyeBreak).interval(), NudgeIntervalPreset::minutes180)
        << "the goal set on General shows on Nudges";
    rowFor(*w.core, NudgeKindID::eyeBreak).setInterval(NudgeIntervalPreset::minutes10);
    model.willShow();
    EXPECT_EQ(rowFor(*w.core, NudgeKindID::eyeBreak).interval(), NudgeIntervalPreset::minutes10)
        << "raising an open window keeps the rows";
    model.didClose();
    EXPECT_FALSE(model.isOpen());

    w.core->settings().setGoal(SettingsActions::Goal::breaks, 12);
    model.willShow();
    EXPECT_EQ(model.selection().get(), SettingsPane::nudges);
    EXPECT_EQ(rowFor(*w.core, NudgeKindID::eyeBreak).interval(), NudgeIntervalPreset::minutes45);
}
