#include "core/dashboard/HoverHomeModel.h"
#include "core/dashboard/ButtonLook.h"
#include "core/dashboard/ButtonMotion.h"
#include "core/store/BalanceFace.h"
#include "support/NotchWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::testing;

namespace {

std::vector<std::string> values(const HoverHomeModel& dashboard) {
    std::vector<std::string> result;
    for (const StatChip& chip : dashboard.chips())
        result.push_back(chip.value);
    return result;
}

} // namespace

TEST(HoverHomeModel, ChipFiguresAndBars) {
    EXPECT_EQ(HoverHomeModel::waterChip(750, 900).value, "750/900ml");
    EXPECT_EQ(HoverHomeModel::waterChip(1300, 2000).value, "1.3/2L");
    EXPECT_EQ(HoverHomeModel::waterChip(500, 1000).value, "0.5/1L");
    // A 2.5 L goal is not "2" (printf's %.0f rounds 2.5 to even).
    EXPECT_EQ(HoverHomeModel::waterChip(1300, 2500).value, "1.3/2.5L");
    EXPECT_EQ(HoverHomeModel::waterChip(0, 3000).value, "0.0/3L");
    EXPECT_DOUBLE_EQ(HoverHomeModel::waterChip(750, 900).progress, 750.0 / 900);

    EXPECT_EQ(HoverHomeModel::breaksChip(2, 0).progress, 0) << "a goal of 0 is an empty bar";
    EXPECT_EQ(HoverHomeModel::moveChip(12, 8).progress, 1) << "over the goal is a full bar";
    EXPECT_EQ(HoverHomeModel::moveChip(12, 8).value, "12/8");
    EXPECT_EQ(HoverHomeModel::lunchChip(0, 1).value, "\u2014");
    EXPECT_EQ(HoverHomeModel::lunchChip(1, 1).value, "Done");
    EXPECT_EQ(HoverHomeModel::lunchChip(0, 1).quickAction, StatChip::QuickAction::markLunchDone);
    EXPECT_FALSE(HoverHomeModel::lunchChip(1, 1).quickAction);
    EXPECT_EQ(HoverHomeModel::waterChip(0, 2000).quickAction, StatChip::QuickAction::trackWater);
}

TEST(HoverHomeModel, ShowsTheDayAndMarksLunchOnce) {
    NotchWorld w;
    HoverHomeModel& dashboard = w.core->dashboard();
    w.health->setWaterGoal(900);
    w.health->logWater(750);
    w.health->recordCompletion(NudgeKindID::eyeBreak);
    EXPECT_EQ(values(dashboard), (std::vector<std::string>{"750/900ml", "1/6", "0/8", "\u2014"}));
    EXPECT_EQ(dashboard.tierName(), displayName(w.health->balanceScore.get().tier));
    EXPECT_DOUBLE_EQ(dashboard.badgeTrim(), w.health->balanceScore.get().score / 100.0);
    EXPECT_TRUE(dashboard.lunchActionOffered());

    dashboard.perform(StatChip::QuickAction::markLunchDone);
    EXPECT_EQ(w.health->completedToday(NudgeKindID::launch), 0) << "only from the open dashboard";

    w.openDashboard();
    const int haptics = w.desktop.haptics.alignments;
    dashboard.perform(StatChip::QuickAction::markLunchDone);
    EXPECT_EQ(w.health->completedToday(NudgeKindID::launch), 1);
    EXPECT_EQ(w.desktop.haptics.alignments, haptics + 1);
    EXPECT_EQ(dashboard.chips()[HoverHomeModel::lunch].value, "Done");
    EXPECT_EQ(dashboard.chips()[HoverHomeModel::lunch].progress, 1);
    EXPECT_FALSE(dashboard.lunchActionOffered());
    dashboard.perform(StatChip::QuickAction::markLunchDone);
    EXPECT_EQ(w.health->completedToday(NudgeKindID::launch), 1) << "the goal is met: nothing more";
}

TEST(HoverHomeModel, ChangesEaseInOnTheOpenDashboardAndNotWithReduceMotion) {
    NotchWorld w;
    HoverHomeModel& dashboard = w.core->dashboard();
    const auto faceFollowsTheScore = [&] {
        const BalanceScoreResult& shown = w.health->balanceScore.get();
        return dashboard.faceAnimation() == balanceFaceAnimation(shown.score, shown.tier);
    };
    w.health->logWater(500); // closed: lands at once
    EXPECT_FALSE(dashboard.isAnimating(w.scheduler.monotonicNow()));
    EXPECT_DOUBLE_EQ(dashboard.chipProgressAt(HoverHomeModel::water, w.scheduler.monotonicNow()), 0.25);

    w.openDashboard();
    const double trimBefore = dashboard.badgeTrim();
    const double t0 = w.scheduler.monotonicNow();
    w.health->logWater(1500);
    EXPECT_DOUBLE_EQ(dashboard.chipProgressAt(HoverHomeModel::water, t0), 0.25);
    const double mid = dashboard.chipProgressAt(HoverHomeModel::water, t0 + 0.1);
    EXPECT_GT(mid, 0.25);
    EXPECT_LT(mid, 1);
    EXPECT_EQ(dashboard.chipValueText(HoverHomeModel::water).text(), "2.0/2L");
    EXPECT_EQ(dashboard.chipValueText(HoverHomeModel::water).previous(), "0.5/2L");
    EXPECT_TRUE(dashboard.isAnimating(t0 + 0.27));
    EXPECT_FALSE(dashboard.isAnimating(t0 + 0.28));
    EXPECT_DOUBLE_EQ(dashboard.chipProgressAt(HoverHomeModel::water, t0 + 0.28), 1);
    ASSERT_NE(dashboard.badgeTrim(), trimBefore) << "water moves the score";
    EXPECT_DOUBLE_EQ(dashboard.badgeTrimAt(t0), trimBefore);
    EXPECT_DOUBLE_EQ(dashboard.badgeTrimAt(t0 + 0.28), dashboard.badgeTrim());

    // The rolling figure: unchanged characters stand, changed ones cross.
    const auto glyphs = dashboard.chipValueText(HoverHomeModel::water).glyphsAt(t0 + 0.05);
    const auto rolling =
        std::count_if(glyphs.begin(), glyphs.end(), [](const auto& g) { return g.offset != 0; });
    EXPECT_EQ(rolling, 4) << "'0' and '5' leave, '2' and '0' arrive";
    const auto settled = dashboard.chipValueText(HoverHomeModel::water).glyphsAt(t0 + 0.28);
    EXPECT_EQ(settled.size(), 6u) << "the leaving characters are gone";
    for (const auto& glyph : settled)
        EXPECT_EQ(glyph.offset, 0) << "settled";
    EXPECT_EQ(TextTransition::characters("a\u2014\U0001F4A7b"),
              (std::vector<std::string>{"a", "\u2014", "\U0001F4A7", "b"}));
    EXPECT_TRUE(faceFollowsTheScore());

    w.advance(1);
    w.desktop.system.reduceMotion.set(true);
    const double t1 = w.scheduler.monotonicNow();
    w.health->recordCompletion(NudgeKindID::launch); // a new tier and its subtitle
    EXPECT_FALSE(dashboard.isAnimating(t1));
    EXPECT_NE(dashboard.subtitleText().previous(), dashboard.subtitleText().text());
    EXPECT_FALSE(dashboard.subtitleText().isRunningAt(t1));
    w.health->recordCompletion(NudgeKindID::eyeBreak); // 73 to 76: the same tier, a wider smile
    EXPECT_TRUE(faceFollowsTheScore());
    const ButtonLook gear = ButtonLook::chrome(1, 1, true, true, true);
    EXPECT_EQ(gear.scale, 1);
    EXPECT_EQ(gear.labelScale, 1);
    EXPECT_EQ(gear.labelRotation, 0);
    EXPECT_EQ(ButtonLook::track(1, true, true).scale, 1) << "pressed, but no shrink";
    EXPECT_EQ(ButtonLook::step(1, true, true).scale, 1);
    const ButtonLook pressed = ButtonLook::track(1, true, false);
    EXPECT_LT(pressed.opacity, 1);
    EXPECT_LT(pressed.scale, 1);
    ButtonMotion motion;
    motion.setHovered(true, t1, true);
    EXPECT_EQ(motion.hoverAt(t1), 1) << "the hover look lands at once";
    motion.setHovered(false, t1, true);
    EXPECT_EQ(motion.hoverAt(t1), 0);
    motion.setPressed(true, t1, true);
    EXPECT_EQ(motion.pressAt(t1), 1) << "and so does the press";
    EXPECT_EQ(ButtonLook::chrome(1, 0, false, true, false).labelRotation, 14);
}

TEST(HoverHomeModel, NavigatesOnlyFromTheShowingDashboard) {
    NotchWorld w;
    HoverHomeModel& dashboard = w.core->dashboard();
    dashboard.perform(StatChip::QuickAction::trackWater);
    dashboard.openActivity();
    EXPECT_EQ(w.state(), NotchState::closed());

    w.openDashboard();
    w.leave();
    w.advance(0.13); // closing
    ASSERT_EQ(w.state(), NotchState::hoverExpanded());
    dashboard.perform(StatChip::QuickAction::trackWater);
    dashboard.openActivity();
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::closed());

    w.openDashboard();
    dashboard.openActivity();
    EXPECT_EQ(w.state(), NotchState::activityHeatMap());
    w.vm->closeActivityHeatMap();
    w.advance(1);
    dashboard.perform(StatChip::QuickAction::trackWater);
    EXPECT_EQ(w.state(), NotchState::waterTracking());

    int settings = 0;
    w.vm->onOpenSettings = [&settings] { ++settings; };
    dashboard.openSettings();
    EXPECT_EQ(settings, 1);
}
