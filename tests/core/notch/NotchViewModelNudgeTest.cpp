#include "core/nudges/NudgeCatalogue.h"
#include "core/store/PreferenceKeys.h"
#include "support/NotchWorld.h"

#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::testing;
using namespace vornela::fakes;

using K = NudgeKindID;

TEST(NotchViewModelNudge, ANudgeIsSizedToItsMessageAndMakesRoomForItsPrompt) {
    NotchWorld w;
    w.vm->presentNudge(K::eyeBreak, false);
    const std::string message = notchMessages(K::eyeBreak)[0]; // 14 code points
    EXPECT_EQ(w.state(), NotchState::nudge(K::eyeBreak));
    EXPECT_EQ(w.alignment(), NotchWindowAlignment::nudge(104, 104, 44));
    EXPECT_EQ(w.vm->nudgeCompletionUI.get(), (NudgeCompletionUIState{K::eyeBreak, message}));
    EXPECT_EQ(w.overlayReports, (std::vector<std::optional<K>>{K::eyeBreak}));

    w.vm->dismissNudge(true);
    w.vm->presentNudge(K::water, false);
    EXPECT_EQ(w.alignment(), NotchWindowAlignment::nudge(68, 68, 0)) << "water has no prompt row";
    EXPECT_FALSE(w.vm->nudgeCompletionUI.get());

    EXPECT_EQ(w.vm->nudgeExpansionWidth(std::string(50, 'x')), 140);
    EXPECT_EQ(w.vm->nudgeExpansionWidth(""), 27);
    EXPECT_EQ(w.vm->nudgeExpansionWidth("Trink – jetzt"), 6 * 13 + 20) << "code points, not bytes";
}

TEST(NotchViewModelNudge, CompletingRecordsAndIgnoringDoesNot) {
    NotchWorld w;
    w.vm->presentNudge(K::standMove, false);
    w.vm->ignoreNudgeFromNotch();
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::closed());
    EXPECT_EQ(w.overlayReports.back(), std::nullopt);
    EXPECT_EQ(w.health->completedToday(K::standMove), 0);
    EXPECT_EQ(w.desktop.haptics.alignments, 0);

    w.vm->presentNudge(K::standMove, false);
    w.vm->completeNudgeFromNotch();
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::closed());
    EXPECT_EQ(w.health->completedToday(K::standMove), 1);
    EXPECT_EQ(w.health->sortedActionTimestamps().size(), 1u);
    EXPECT_EQ(w.desktop.haptics.alignments, 1);

    w.vm->completeNudgeFromNotch(); // no prompt any more
    EXPECT_EQ(w.health->completedToday(K::standMove), 1);
}

TEST(NotchViewModelNudge, MessagesRotatePerKindAndWrapAfterTheLast) {
    NotchWorld w;
    std::vector<std::string> shown;
    for (int i = 0; i < 6; ++i) {
        w.vm->presentNudge(K::postureCheck, false);
        shown.push_back(w.vm->activeNudgeMessage.get().value_or(""));
        w.vm->dismissNudge(true);
        w.vm->presentNudge(K::water, false); // other kinds keep their own place
        w.vm->dismissNudge(true);
        w.advance(1);
    }
    const auto& all = notchMessages(K::postureCheck);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(shown, (std::vector<std::string>{all[0], all[1], all[2], all[3], all[4], all[0]}));
}

TEST(NotchViewModelNudge, HoverDuringANudgeHoldsItBehindTheOpenSurface) {
    NotchWorld w;
    w.vm->presentNudge(K::standMove, false);
    w.advance(1);
    const auto message = w.vm->activeNudgeMessage.get();
    w.enter();
    w.advance(0.11);
    EXPECT_EQ(w.state(), NotchState::hoverExpanded());
    EXPECT_EQ(w.alignment(), NotchWindowAlignment::hoverExpanded(44)) << "room for the held prompt";
    w.vm->openWaterTracking();
    EXPECT_EQ(w.alignment(), NotchWindowAlignment::waterTracking(44));
    w.advance(1);

    // Leaving the ruler brings the held nudge back with the same message.
    w.leave();
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::nudge(K::standMove));
    EXPECT_EQ(w.vm->activeNudgeMessage.get(), message);

    // Completing from the dashboard takes the prompt row away.
    w.enter();
    w.advance(0.11);
    w.vm->completeNudgeFromNotch();
    EXPECT_EQ(w.state(), NotchState::hoverExpanded());
    EXPECT_EQ(w.alignment(), NotchWindowAlignment::hoverExpanded(0));
}

TEST(NotchViewModelNudge, ANudgeArrivingDuringTheHeatMapWaitsForThePointerToLeave) {
    NotchWorld w;
    w.openDashboard();
    w.vm->openActivityHeatMap();
    w.advance(1);
    w.vm->presentNudge(K::eyeBreak, false);
    EXPECT_EQ(w.state(), NotchState::activityHeatMap());
    EXPECT_EQ(w.vm->activeNudge(), K::eyeBreak);
    EXPECT_FALSE(w.vm->nudgeOverlay.get());
    EXPECT_TRUE(w.overlayReports.empty());

    w.leave();
    w.advance(2);
    EXPECT_EQ(w.state(), NotchState::nudge(K::eyeBreak));
    EXPECT_TRUE(w.vm->nudgeCompletionUI.get());
}

TEST(NotchViewModelWater, AWaterNudgeEndsOnItsOwnAfterTheDisplayDuration) {
    NotchWorld w;
    w.preferences->write(keys::nudgeDisplayDuration, 3.0);
    w.vm->presentNudge(K::water, false);
    w.advance(2.9);
    EXPECT_EQ(w.state(), NotchState::nudge(K::water));
    w.advance(0.2);
    EXPECT_EQ(w.alignment(), NotchWindowAlignment::closed());
    EXPECT_EQ(w.overlayReports.back(), std::nullopt);
    w.advance(0.3);
    EXPECT_EQ(w.state(), NotchState::closed());

    // A hand-edited duration is held to the stepper's 3...20 s, so no nudge stays up for years.
    w.preferences->setValue("nudgeDisplayDuration", 1e9);
    w.vm->presentNudge(K::water, false);
    w.advance(20.1);
    EXPECT_EQ(w.alignment(), NotchWindowAlignment::closed());
    w.advance(1);
    w.preferences->setValue("nudgeDisplayDuration", 0.5);
    w.vm->presentNudge(K::water, false);
    w.advance(2.9);
    EXPECT_EQ(w.state(), NotchState::nudge(K::water));
}

TEST(NotchViewModelWater, PointerOrClickOnAWaterNudgeOpensTheRuler) {
    {
        NotchWorld w;
        w.vm->presentNudge(K::water, false);
        w.advance(1);
        w.enter();
        EXPECT_EQ(w.state(), NotchState::waterTracking()) << "no hover delay";
        w.advance(10);
        EXPECT_EQ(w.state(), NotchState::waterTracking()) << "the auto-dismiss is off while logging";
    }
    {
        NotchWorld w;
        w.vm->presentNudge(K::water, false);
        w.advance(1);
        w.click();
        EXPECT_EQ(w.state(), NotchState::waterTracking());
    }
    {
        // Arriving under a resting pointer: the ruler opens once the nudge has slid out.
        NotchWorld w;
        w.enter();
        w.vm->presentNudge(K::water, false);
        EXPECT_TRUE(w.vm->pendingWaterNudgeHover());
        w.advance(0.29);
        EXPECT_EQ(w.state(), NotchState::nudge(K::water));
        w.advance(0.02);
        EXPECT_EQ(w.state(), NotchState::waterTracking());
        EXPECT_EQ(w.vm->waterTrackingSelectedML.get(), 0) << "nothing chosen yet";

        NotchWorld posture; // any other nudge under the resting pointer opens the dashboard
        posture.enter();
        posture.vm->presentNudge(K::postureCheck, false);
        posture.advance(1);
        EXPECT_EQ(posture.state(), NotchState::hoverExpanded());
    }
}

// Held behind the ruler or behind the dashboard, a water nudge is not shown again once the
// pointer leaves: the surface closes.
TEST(NotchViewModelWater, AHeldWaterNudgeIsNotShownAgain) {
    NotchWorld ruler;
    ruler.vm->presentNudge(K::water, false);
    ruler.advance(1);
    ruler.click();
    ruler.advance(0.5);
    ruler.leave();
    ruler.advance(1);
    EXPECT_EQ(ruler.state(), NotchState::closed());
    EXPECT_EQ(ruler.overlayReports.back(), std::nullopt);

    NotchWorld dashboard;
    dashboard.openDashboard();
    dashboard.vm->presentNudge(K::water, false);
    EXPECT_EQ(dashboard.state(), NotchState::hoverExpanded()) << "it waits behind the dashboard";
    dashboard.leave();
    dashboard.advance(1);
    EXPECT_EQ(dashboard.state(), NotchState::closed());
    EXPECT_FALSE(dashboard.vm->nudgeOverlay.get());
    dashboard.advance(10);
    EXPECT_EQ(dashboard.state(), NotchState::closed());
}

TEST(NotchViewModelNudge, ANudgeArrivingWhileTheLastOneClosesIsShownNotSwallowed) {
    NotchWorld w;
    w.vm->presentNudge(K::standMove, false);
    w.advance(1);
    // The engine presents the next due nudge on the turn after the overlay goes away, while the
    // surface is still closing.
    TaskHandle engineRound;
    auto reports = w.vm->onNudgeOverlayChange.connect([&](const std::optional<K>& kind) {
        if (!kind)
            engineRound = w.scheduler.post([&w] { w.vm->presentNudge(K::postureCheck, false); });
    });
    w.vm->ignoreNudgeFromNotch();
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::nudge(K::postureCheck));
    EXPECT_EQ(w.vm->nudgeOverlay.get(), K::postureCheck);
    EXPECT_EQ(w.alignment().kind, NotchWindowAlignment::Case::nudge);
}

TEST(NotchViewModelNudge, AScreenChangeKeepsTheShowingLayout) {
    NotchWorld w;
    w.vm->presentNudge(K::eyeBreak, false);
    w.advance(1);
    const auto shown = w.alignment();
    w.desktop.screens.list = {externalDisplay("studio", 1512, true)};
    w.window->handleScreenChange();
    EXPECT_EQ(w.state(), NotchState::nudge(K::eyeBreak));
    EXPECT_EQ(w.alignment(), shown) << "the nudge stays out, now on the other screen";

    w.vm->ignoreNudgeFromNotch(); // closing when the screens change again
    w.desktop.screens.list = {notchedLaptop()};
    w.window->handleScreenChange();
    w.advance(1);
    EXPECT_EQ(w.state(), NotchState::closed());
    EXPECT_EQ(w.alignment(), NotchWindowAlignment::closed());
}
