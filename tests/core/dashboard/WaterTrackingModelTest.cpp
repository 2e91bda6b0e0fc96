#include "core/dashboard/WaterTrackingModel.h"
#include "core/dashboard/HoverHomeModel.h"
#include "support/NotchWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::testing;

namespace {

// The ruler opened from the dashboard and settled, on a water goal.
struct RulerWorld : NotchWorld {
    explicit RulerWorld(int goalML = 2000) {
        health->setWaterGoal(goalML);
        openDashboard();
        core->dashboard().perform(StatChip::QuickAction::trackWater);
        advance(1);
    }
    WaterTrackingModel& ruler() { return core->ruler(); }
    double now() const { return scheduler.monotonicNow(); }
    int haptics() const { return desktop.haptics.alignments; }
};

} // namespace

TEST(WaterRulerScale, StepsMajorsLabelsAndReadout) {
    const WaterRulerScale two(2000);
    EXPECT_EQ(two.maxStep(), 20);
    EXPECT_EQ(two.majors(), (std::vector<int>{0, 5, 10, 15, 20}));
    std::vector<std::string> labels;
    for (int step : two.majors())
        labels.push_back(WaterRulerScale::label(step));
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "0.5", "1", "1.5", "2"}));

    EXPECT_EQ(WaterRulerScale(900).majors(), (std::vector<int>{0, 4, 8, 9}));
    EXPECT_EQ(WaterRulerScale(2500).majors(), (std::vector<int>{0, 10, 20, 25}));
    EXPECT_EQ(WaterRulerScale(3000).majors(), (std::vector<int>{0, 10, 20, 30}));
    for (int goal : {0, 50}) {
        EXPECT_EQ(WaterRulerScale(goal).maxStep(), 1);
        EXPECT_EQ(WaterRulerScale(goal).majors(), (std::vector<int>{0, 1}));
    }

    EXPECT_EQ(WaterAmountReadout::number(900) + WaterAmountReadout::unit(900), "900ml");
    EXPECT_EQ(WaterAmountReadout::number(1300) + WaterAmountReadout::unit(1300), "1.3L");
    EXPECT_EQ(WaterAmountReadout::boxWidth(2000), 40 + 17 + 9 + 17) << "\"2.0\"";
    EXPECT_EQ(WaterAmountReadout::boxWidth(900), 40 + 3 * 17);
}

TEST(WaterRulerScale, TicksShrinkAndFadeTowardBothEnds) {
    const WaterRulerScale scale(3000);
    const double width = 400;
    const auto ticks = scale.ticks(15, width);
    ASSERT_EQ(ticks.front().step, 0);
    ASSERT_EQ(ticks.back().step, 30) << "span ceil(400 / 10 / 2) + 6 = 26 either side, cut at the ends";
    const auto nearGoal = WaterRulerScale(2200).ticks(21, width);
    EXPECT_EQ(std::find_if(nearGoal.begin(), nearGoal.end(), [](const RulerTick& t) { return t.step == 20; })
                  ->label,
              "2")
        << "two steps before the goal there is room for both labels";
    const auto range = WaterRulerScale(10000).visibleRange(50, width);
    EXPECT_EQ(range, std::make_pair(24, 76));

    const auto centre =
        std::find_if(ticks.begin(), ticks.end(), [](const RulerTick& t) { return t.step == 15; });
    EXPECT_DOUBLE_EQ(centre->x, width / 2);
    EXPECT_DOUBLE_EQ(centre->height, 42);
    EXPECT_DOUBLE_EQ(centre->opacity, 1);
    const auto major =
        std::find_if(ticks.begin(), ticks.end(), [](const RulerTick& t) { return t.step == 20; });
    EXPECT_DOUBLE_EQ(major->height, 48);
    EXPECT_EQ(major->label, "2");

    // Step 0 stands 50 pt from the left end: inside the 66 pt edge band.
    const RulerTick& edge = ticks.front();
    EXPECT_DOUBLE_EQ(edge.x, 50);
    EXPECT_LT(edge.height, 48);
    EXPECT_GT(edge.height, 48 * 0.32);
    EXPECT_NEAR(edge.opacity, 1 - 0.65 * (1 - 50.0 / 66), 1e-12);
    EXPECT_DOUBLE_EQ(WaterRulerScale::heightScale(0), 0.32);
    EXPECT_DOUBLE_EQ(WaterRulerScale::heightScale(66), 1);
    EXPECT_LT(WaterRulerScale::heightScale(20), WaterRulerScale::heightScale(40));

    // With a 900 ml goal the majors 8 and 9 stand 10 pt apart: only the goal is labelled.
    std::vector<std::string> labels;
    for (const RulerTick& tick : WaterRulerScale(900).ticks(4.5, 400))
        if (tick.major)
            labels.push_back(tick.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "0.4", "", "0.9"}));
}

TEST(WaterTrackingModel, DragSelectsAStepPerEightPointsAndStretchesPastTheGoal) {
    RulerWorld w;
    WaterTrackingModel& ruler = w.ruler();
    EXPECT_FALSE(ruler.trackEnabled());
    EXPECT_FALSE(ruler.minusEnabled());
    EXPECT_EQ(ruler.cursor(true), WaterTrackingModel::Cursor::openHand);

    const int haptics = w.haptics();
    ruler.pointerPressed(300, w.now());
    EXPECT_EQ(ruler.cursor(true), WaterTrackingModel::Cursor::closedHand);
    for (int x = 298; x >= 220; x -= 2)
        ruler.pointerMoved(x, w.now());
    EXPECT_EQ(w.vm->waterTrackingSelectedML.get(), 1000);
    EXPECT_EQ(w.haptics() - haptics, 10) << "one tick per step";
    EXPECT_DOUBLE_EQ(ruler.centreAt(w.now()), 10);

    ruler.drag(WaterRulerDragPhase::changed(-280)); // 35 steps: 15 past the goal
    EXPECT_EQ(ruler.selectedStep(), 20);
    EXPECT_DOUBLE_EQ(ruler.centreAt(w.now()), 20 + 15 * 0.3);
    EXPECT_EQ(w.haptics() - haptics, 11);

    ruler.drag(WaterRulerDragPhase::ended(-280, 0));
    const double released = w.now();
    EXPECT_EQ(ruler.selectedStep(), 20);
    EXPECT_GT(ruler.centreAt(released + 0.05), 20) << "springs back";
    EXPECT_DOUBLE_EQ(ruler.centreAt(released + 0.24), 20);
    EXPECT_FALSE(ruler.plusEnabled());
    EXPECT_TRUE(ruler.trackEnabled());
    EXPECT_EQ(ruler.cursor(false), WaterTrackingModel::Cursor::arrow);
}

TEST(WaterTrackingModel, AFlingCarriesOnAndTheCaretSwellsWhileHeld) {
    RulerWorld w;
    WaterTrackingModel& ruler = w.ruler();
    const double t0 = w.now();
    ruler.drag(WaterRulerDragPhase::began());
    EXPECT_DOUBLE_EQ(ruler.caretScaleAt(t0 + 0.24), 1.14);
    EXPECT_DOUBLE_EQ(ruler.readoutScaleAt(t0 + 0.24), 1.02);
    ruler.drag(WaterRulerDragPhase::changed(-16));
    ruler.drag(WaterRulerDragPhase::ended(-16, -600));
    EXPECT_EQ(ruler.selectedStep(), 12) << "2 dragged + round(0.13 × 600 / 8) = 10 flung";

    // Released through the pointer surface: the velocity is that of the last stretch, here
    // 4 pt in 0.04 s to the right.
    ruler.pointerPressed(100, 10.0);
    ruler.pointerMoved(108, 10.1);
    ruler.pointerReleased(112, 10.14);
    EXPECT_EQ(ruler.selectedStep(), 9) << "round(12 - 12 / 8 - 0.13 * 100 / 8)";
    EXPECT_DOUBLE_EQ(ruler.caretScaleAt(w.now() + 1), 1);

    w.desktop.system.reduceMotion.set(true);
    ruler.drag(WaterRulerDragPhase::began());
    EXPECT_DOUBLE_EQ(ruler.caretScaleAt(w.now() + 1), 1);
    ruler.drag(WaterRulerDragPhase::ended(40, 0));
    EXPECT_EQ(ruler.selectedStep(), 4);
    EXPECT_DOUBLE_EQ(ruler.centreAt(w.now()), 4) << "no easing without motion";
}

TEST(WaterTrackingModel, ScrollKeepsTheRemainderAndFollowsTheSignRule) {
    RulerWorld w;
    WaterTrackingModel& ruler = w.ruler();
    ruler.scrollEvent(0, 10, true); // 14 pt toward more water
    EXPECT_EQ(ruler.selectedStep(), 0);
    ruler.scrollEvent(0, 10, true);
    EXPECT_EQ(ruler.selectedStep(), 1);
    EXPECT_DOUBLE_EQ(ruler.scrollRemainder(), -12);

    ruler.scrollEvent(0, 5, false); // a wheel notch: 16 pt, plus the pending 12
    EXPECT_EQ(ruler.selectedStep(), 2);
    ruler.scrollEvent(0, 20, false); // 64 pt: four steps in one event
    EXPECT_EQ(ruler.selectedStep(), 6);
    ruler.scrollEvent(10, 1, false); // sideways dominates: positive x is less water (32 - 12)
    EXPECT_EQ(ruler.selectedStep(), 5);
    ruler.scrollEvent(0, -200, false);
    EXPECT_EQ(ruler.selectedStep(), 0) << "not below empty";
}

TEST(WaterTrackingModel, InputWaitsForTheRevealAndTrackLogsOnce) {
    NotchWorld w;
    WaterTrackingModel& ruler = w.core->ruler();
    w.enter();
    w.vm->openWaterTracking(); // grows from the bare notch
    w.advance(0.01);
    ASSERT_TRUE(ruler.isActive());
    ASSERT_FALSE(ruler.isInteractive());
    ruler.drag(WaterRulerDragPhase::began());
    ruler.drag(WaterRulerDragPhase::changed(-80));
    ruler.scrollEvent(0, 100, false);
    EXPECT_EQ(w.vm->waterTrackingSelectedML.get(), 0);
    EXPECT_EQ(ruler.cursor(true), WaterTrackingModel::Cursor::arrow);
    EXPECT_LT(ruler.entranceAt().readout / 6, ruler.entranceAt().ruler / 5) << "the later parts lag";

    w.advance(1);
    EXPECT_EQ(ruler.entranceAt().readout + ruler.entranceAt().ruler + ruler.entranceAt().controls, 0);
    ruler.track();
    EXPECT_EQ(w.state(), NotchState::waterTracking()) << "nothing to log";
    ruler.step(1);
    ruler.step(1);
    ruler.step(-1);
    EXPECT_EQ(w.vm->waterTrackingSelectedML.get(), 100);
    ruler.track();
    ruler.track(); // a second click while the notch closes
    EXPECT_EQ(w.health->todayWaterML.get(), 100);
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::closed());
    EXPECT_FALSE(ruler.isInteractive());
}

TEST(WaterTrackingModel, StepButtonsStopAtTheEnds) {
    RulerWorld w(900);
    WaterTrackingModel& ruler = w.ruler();
    ruler.scrollEvent(0, 5, false); // one wheel notch, one step
    EXPECT_EQ(w.vm->waterTrackingSelectedML.get(), 100);
    for (int i = 0; i < 12; ++i)
        ruler.step(1);
    EXPECT_EQ(w.vm->waterTrackingSelectedML.get(), 900);
    EXPECT_FALSE(ruler.plusEnabled());
    EXPECT_TRUE(ruler.minusEnabled());
    EXPECT_EQ(ruler.readoutBoxWidth(), 40 + 3 * 17);

    // A goal between whole steps ends the ruler on the last one, and plus says so.
    w.health->setWaterGoal(2550);
    ruler.step(1);
    for (int i = 0; i < 20; ++i)
        ruler.step(1);
    EXPECT_EQ(w.vm->waterTrackingSelectedML.get(), 2500);
    EXPECT_FALSE(ruler.plusEnabled());
}

TEST(DigitRoll, NewCharacterDropsInWhileTheOldOneFallsOut) {
    WaterAmountReadout readout(900);
    readout.setAmount(1000, 5, false);
    EXPECT_TRUE(readout.isRunningAt(5));
    EXPECT_EQ(WaterAmountReadout::number(readout.amount()), "1.0");
    const auto columns = readout.columnsAt(5.07);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[1].x, 17);
    EXPECT_EQ(columns[1].width, 9) << "the decimal point's narrow column";
    EXPECT_EQ(readout.unitX(), 17 + 9 + 17) << "the unit follows the last digit";
    const auto& copies = columns[0].copies;
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].character, '1');
    EXPECT_LT(copies[0].offset, 0) << "from above";
    EXPECT_EQ(copies[1].character, '9');
    EXPECT_GT(copies[1].offset, 0) << "falling below";
    EXPECT_GT(copies[0].blurRadius, 0);
    EXPECT_LT(copies[1].opacity, 1);
    EXPECT_NEAR(readout.columnsAt(5.199)[0].copies[0].offset, 0, 0.1) << "comes to rest";
    EXPECT_EQ(readout.columnsAt(5.2)[0].copies.size(), 1u);
    EXPECT_FALSE(readout.isRunningAt(5.2));

    readout.setAmount(1100, 6, true);
    EXPECT_EQ(readout.columnsAt(6)[2].copies, (std::vector<DigitRoll::Copy>{{'1', 0, 1, 0}}));
}
