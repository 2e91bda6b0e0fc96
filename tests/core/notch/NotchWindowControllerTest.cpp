#include "support/NotchWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::testing;
using namespace vornela::fakes;

namespace {

using A = NotchWindowAlignment;

// The laptop's notch after the one-pixel narrowing, and the dashboard grown from it.
const Rect bareNotch{662.5, 950, 187.5, 32};
const Rect dashboard{522.5, 782, 467.5, 200};
const Point onNotch = NotchWorld::onNotch;
const Point onDashboardBelowNotch{600, 850};
const Point elsewhere = NotchWorld::elsewhere;

} // namespace

TEST(NotchWindowController, ShowsTheBareNotchOnTheNotchScreen) {
    NotchWorld w({externalDisplay("desk", 1512, true), notchedLaptop(false)});
    const auto panel = w.notchPanel();
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->screenID, "builtin");
    EXPECT_EQ(panel->frame, bareNotch);
    EXPECT_TRUE(panel->visible);
    EXPECT_EQ(panel->sharing, SharingType::none) << "the bare notch stays out of screen captures";

    NotchWorld none(std::vector<ScreenInfo>{});
    EXPECT_TRUE(none.desktop.panels.created.empty());
}

// The dashboard opens only for a resting pointer; the panel takes its full frame at once and
// the content grows into it; on leaving, the content closes first and the panel shrinks after.
TEST(NotchWindowController, DashboardOpensForARestingPointerAndShrinksOnlyAfterItsContentHasClosed) {
    NotchWorld w;
    const auto panel = w.notchPanel();
    const int transitions = w.window->layoutTransitionToken();
    w.enter();
    w.advance(0.05);
    w.leave();
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::closed()) << "a pointer passing by opens nothing";
    EXPECT_EQ(w.window->layoutTransitionToken(), transitions);

    w.enter();
    w.advance(0.09);
    EXPECT_EQ(w.state(), NotchState::closed());
    w.advance(0.02);
    ASSERT_EQ(w.state(), NotchState::hoverExpanded());
    EXPECT_EQ(panel->frame, dashboard) << "full size before the content grows";
    EXPECT_EQ(panel->sharing, SharingType::readOnly);
    w.advance(0.28);
    EXPECT_TRUE(w.vm->isLayoutTransitioning.get());
    w.advance(0.02);
    EXPECT_FALSE(w.vm->isLayoutTransitioning.get());
    EXPECT_DOUBLE_EQ(w.vm->contentRevealProgress(), 1);

    w.leave();
    w.advance(0.11);
    w.enter(); // back in time: the exit delay is dropped
    w.advance(1);
    EXPECT_EQ(w.alignment(), A::hoverExpanded(0));

    w.leave();
    w.advance(0.121);
    ASSERT_EQ(w.alignment(), A::closed());
    EXPECT_EQ(w.state(), NotchState::hoverExpanded()) << "content stays while the window closes";
    EXPECT_TRUE(w.vm->deferContentCloseUntilTransition());
    w.advance(0.23);
    EXPECT_EQ(panel->frame, dashboard);
    EXPECT_EQ(w.state(), NotchState::hoverExpanded());
    w.advance(0.02);
    EXPECT_EQ(panel->frame, bareNotch);
    EXPECT_EQ(w.state(), NotchState::closed());
    EXPECT_FALSE(w.vm->deferContentCloseUntilTransition());
    EXPECT_EQ(w.vm->layoutMetrics.get(), layoutMetrics(A::closed(), w.geometry()));
    EXPECT_EQ(panel->sharing, SharingType::none) << "the bare notch stays out of screen captures";
}

TEST(NotchWindowController, SwitchingBetweenOpenLayoutsIsAPlainResize) {
    NotchWorld w;
    const auto panel = w.notchPanel();
    w.openDashboard();

    w.vm->openWaterTracking();
    EXPECT_EQ(panel->frame.height, 32 + 128);
    EXPECT_DOUBLE_EQ(w.vm->contentRevealProgress(), 1) << "no reveal animation";
    w.advance(0.21);
    EXPECT_TRUE(w.vm->isLayoutTransitioning.get());
    w.advance(0.02);
    EXPECT_FALSE(w.vm->isLayoutTransitioning.get());

    // A smaller nudge while the surface stays visible: also a resize, content kept in place.
    w.window->applyAlignment(true, A::nudge(100, 100, 44));
    EXPECT_DOUBLE_EQ(w.vm->contentRevealProgress(), 1);
    EXPECT_EQ(panel->frame.width, 187.5 + 200) << "a visible layout shrinks at once";
    w.advance(0.23);
    EXPECT_FALSE(w.vm->isLayoutTransitioning.get());
}

TEST(NotchWindowController, OnlyTheLatestOfTwoQuickChangesFinishes) {
    NotchWorld w;
    const auto panel = w.notchPanel();
    w.openDashboard();
    w.movePointer(onDashboardBelowNotch);

    w.vm->openWaterTracking(); // resize, would end after 0.22 s
    const Rect ruler = panel->frame;
    w.advance(0.05);
    w.vm->confirmWaterTracking(); // closes: collapse, ends 0.24 s later
    ASSERT_EQ(w.vm->windowAlignment.get(), A::closed());

    w.advance(0.2);
    EXPECT_TRUE(w.vm->isLayoutTransitioning.get()) << "the overtaken resize never finishes";
    w.vm->finishLayoutTransition(false, false, w.vm->layoutTransitionToken() - 1);
    EXPECT_TRUE(w.vm->isLayoutTransitioning.get()) << "nor does a late report of it";
    EXPECT_EQ(panel->frame, ruler);
    EXPECT_EQ(w.state(), NotchState::waterTracking());

    w.advance(0.05);
    EXPECT_FALSE(w.vm->isLayoutTransitioning.get());
    EXPECT_EQ(panel->frame, bareNotch);
    EXPECT_EQ(w.state(), NotchState::closed());
}

TEST(NotchWindowController, CompletionPanelKeepsTheSurfaceOpenButNeverOpensIt) {
    NotchWorld w({notchedLaptop(), externalDisplay("desk")});
    w.vm->presentNudge(NudgeKindID::eyeBreak, false);
    w.advance(1);
    const auto cards = w.desktop.panels.live(PanelLevel::completion);
    ASSERT_EQ(cards.size(), 1u);
    const Point onCard{cards[0]->frame.midX(), cards[0]->frame.midY()};

    w.movePointer(onCard);
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::nudge(NudgeKindID::eyeBreak)) << "the card does not open the dashboard";

    w.movePointer(elsewhere);
    w.advance(1);
    w.movePointer(onNotch);
    w.advance(1);
    ASSERT_EQ(w.state(), NotchState::hoverExpanded());

    w.movePointer(onCard);
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::hoverExpanded()) << "moving onto the card is not leaving";

    w.movePointer(elsewhere);
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::nudge(NudgeKindID::eyeBreak)) << "the held nudge comes back";
}

TEST(NotchWindowController, UnpluggingTheNotchScreenMovesToTheMainScreensPill) {
    NotchWorld w({notchedLaptop(), externalDisplay("desk")});
    const auto panel = w.notchPanel();
    w.openDashboard();

    w.desktop.screens.list = {externalDisplay("desk")};
    w.window->handleScreenChange();
    const Rect pill{1512 + 960 - 90 + 1, 1080 - 32, 179, 32};
    EXPECT_EQ(w.vm->geometry()->anchorRect, pill) << "fallback anchor narrowed by one pixel";
    EXPECT_EQ(w.vm->geometry()->screen.id, "desk");
    EXPECT_EQ(w.vm->notchState.get(), NotchState::hoverExpanded()) << "the open dashboard stays open";
    EXPECT_EQ(panel->frame, windowFrame(w.vm->windowAlignment.get(), *w.vm->geometry()));
    EXPECT_EQ(panel->frame.maxY(), 1080) << "hanging from the top of the new screen";
    EXPECT_FALSE(w.vm->isLayoutTransitioning.get()) << "moved without animation";

    w.desktop.screens.list = {externalDisplay("desk"), notchedLaptop(false)};
    w.window->handleScreenChange();
    EXPECT_EQ(w.vm->geometry()->screen.id, notchedLaptop(false).id) << "back on the notch when it returns";
    EXPECT_EQ(panel->frame, windowFrame(w.vm->windowAlignment.get(), *w.vm->geometry()));
    EXPECT_EQ(w.desktop.panels.created.size(), 1u);
}

// The panel's own leave is news even when the pointer position has not caught up: a single far
// move that raised no motion event, or XWayland keeping the last X11 position once the pointer
// is over a Wayland surface.
TEST(NotchHostingRules, ThePanelsLeaveClosesTheSurfaceWhateverThePositionSays) {
    {
        SCOPED_TRACE("a leave during the expand is acted on when it ends");
        NotchWorld w;
        w.movePointer(onNotch);
        w.advance(0.1);
        ASSERT_TRUE(w.vm->isLayoutTransitioning.get());
        w.advance(0.1);
        w.window->pointerInsideChanged(false);
        w.advance(0.2); // the transition ends
        ASSERT_FALSE(w.vm->isLayoutTransitioning.get());
        w.advance(0.11);
        EXPECT_EQ(w.vm->windowAlignment.get(), A::hoverExpanded(0));
        w.advance(0.02);
        EXPECT_EQ(w.vm->windowAlignment.get(), A::closed());
    }
    {
        SCOPED_TRACE("a resize under a resting pointer leaves and enters again");
        NotchWorld w;
        w.movePointer(onNotch);
        w.advance(0.1);
        w.window->pointerInsideChanged(false);
        w.window->pointerInsideChanged(true);
        w.advance(2);
        EXPECT_EQ(w.state(), NotchState::hoverExpanded());
        EXPECT_EQ(w.vm->windowAlignment.get(), A::hoverExpanded(0));
    }
    {
        SCOPED_TRACE("settled: a leave, then a report from the same stale position");
        NotchWorld w;
        w.openDashboard();
        w.window->pointerInsideChanged(false);
        w.movePointer(onNotch);
        w.advance(1);
        EXPECT_EQ(w.state(), NotchState::closed());
        w.movePointer({onNotch.x + 5, onNotch.y}); // back over X11: the position moves again
        w.advance(1);
        EXPECT_EQ(w.state(), NotchState::hoverExpanded());
    }
}

// The revealed part of the panel is what takes the pointer and clicks; elsewhere they pass through.
TEST(NotchHostingRules, OnlyTheRevealedSurfaceIsHitAndTheTopEdgeNeverMoves) {
    NotchWorld noScreen(std::vector<ScreenInfo>{});
    EXPECT_FALSE(noScreen.vm->windowLayoutFrame());
    EXPECT_FALSE(noScreen.window->isPointerInNotchArea(onNotch));

    NotchWorld w;
    const Rect anchor = w.geometry().anchorRect;
    const Rect closedBounds{0, 0, 199.5, 32};
    EXPECT_TRUE(w.window->isVisuallyInside({100, 16}, closedBounds));
    EXPECT_FALSE(w.window->isVisuallyInside({100, 40}, closedBounds));
    EXPECT_EQ(w.vm->windowLayoutFrame(), anchor);

    w.enter();
    w.advance(0.1); // expanding: content still at the notch
    const Rect bounds{0, 0, dashboard.width, dashboard.height};
    EXPECT_EQ(w.vm->windowLayoutFrame(), anchor) << "nothing revealed yet";
    EXPECT_TRUE(w.window->visualHitTest({240, 10}, bounds));
    EXPECT_FALSE(w.window->isVisuallyInside({10, 190}, bounds)) << "a corner not yet covered";
    w.advance(0.1);
    const Rect midway = *w.vm->windowLayoutFrame();
    EXPECT_EQ(midway.maxY(), anchor.maxY());
    EXPECT_GT(midway.width, anchor.width);
    w.advance(1);
    EXPECT_EQ(w.vm->windowLayoutFrame(), dashboard);
    EXPECT_TRUE(w.window->visualHitTest({10, 190}, bounds));
    EXPECT_FALSE(w.window->isVisuallyInside({10, 201}, bounds));
}
