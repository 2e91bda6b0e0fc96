#include "support/NotchWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::testing;
using namespace vornela::fakes;

namespace {

const auto closedLayout = NotchWindowAlignment::closed();

} // namespace

TEST(NotchViewModelHover, RulerAndHeatMapSurviveALeaveInTheirFirstMoments) {
    {
        NotchWorld w;
        w.openDashboard();
        w.vm->openWaterTracking();
        w.advance(0.2);
        w.leave();
        w.advance(5);
        EXPECT_EQ(w.state(), NotchState::waterTracking()) << "left 0.2 s after opening";
    }
    {
        NotchWorld w;
        w.openDashboard();
        w.vm->openWaterTracking();
        w.advance(0.5);
        w.leave();
        w.advance(1);
        EXPECT_EQ(w.state(), NotchState::closed()) << "left 0.5 s after opening";
    }
    {
        // Coming back ends the grace period: the next leave closes at once.
        NotchWorld w;
        w.openDashboard();
        w.vm->openActivityHeatMap();
        w.advance(0.05);
        w.leave();
        w.advance(0.05);
        w.enter();
        w.advance(0.15);
        EXPECT_FALSE(w.vm->activityHeatMapLockUntil());
        w.leave();
        w.advance(0.13);
        EXPECT_EQ(w.alignment(), closedLayout);
    }
}

TEST(NotchViewModelHover, AfterClosingUnderThePointerTheDashboardWaitsForANewEntry) {
    NotchWorld w;
    w.openDashboard();
    w.vm->openWaterTracking();
    w.advance(1);
    w.vm->selectWaterML(250);
    w.vm->confirmWaterTracking();
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::closed());
    EXPECT_EQ(w.health->todayWaterML.get(), 250);

    w.enter(); // the pointer keeps moving on the notch
    w.advance(2);
    EXPECT_EQ(w.state(), NotchState::closed());

    w.leave();
    w.advance(0.5);
    w.enter();
    w.advance(0.11);
    EXPECT_EQ(w.state(), NotchState::hoverExpanded());
}

TEST(NotchViewModelHover, ContentRevealFollowsTheWindowUnlessMotionIsReduced) {
    NotchWorld w;
    w.enter();
    w.advance(0.1);
    EXPECT_DOUBLE_EQ(w.vm->contentRevealProgress(), 0);
    EXPECT_TRUE(w.vm->isContentRevealAnimating());
    w.advance(0.15);
    EXPECT_NEAR(w.vm->contentRevealProgress(), CubicBezier::entry()(0.5), 1e-6);
    w.advance(0.16);
    EXPECT_DOUBLE_EQ(w.vm->contentRevealProgress(), 1);
    EXPECT_FALSE(w.vm->isContentRevealAnimating());

    w.leave();
    w.advance(0.121);
    EXPECT_GT(w.vm->contentRevealProgress(), 0.9) << "closing starts from fully shown";
    w.advance(0.18);
    EXPECT_DOUBLE_EQ(w.vm->contentRevealProgress(), 0) << "faded before the window shrinks";

    NotchWorld still;
    still.desktop.system.reduceMotion.set(true);
    still.enter();
    still.advance(0.1);
    EXPECT_DOUBLE_EQ(still.vm->contentRevealProgress(), 1);
    EXPECT_FALSE(still.vm->isContentRevealAnimating());
    still.advance(1);
    still.leave();
    still.advance(0.121);
    EXPECT_DOUBLE_EQ(still.vm->contentRevealProgress(), 0);
}
