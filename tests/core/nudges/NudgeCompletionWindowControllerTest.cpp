#include "core/nudges/NudgeActionBarMotionModifier.h"
#include "support/NotchWorld.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vornela;
using namespace vornela::testing;
using namespace vornela::fakes;

namespace {

const NudgeCompletionUIState eyes{NudgeKindID::eyeBreak, "Look at something far away"};
const NudgeCompletionUIState stretch{NudgeKindID::standMove, "Stand up and stretch"};

NudgeCompletionWindowController::ScreenPanel const& panelOn(const NotchWorld& w, const std::string& id) {
    return w.completion->panels().at(id);
}

} // namespace

TEST(NudgeCompletionWindowController, ExternalDisplaysGetTheFullCardAndTheNotchScreenNone) {
    NotchWorld w({notchedLaptop(), externalDisplay("desk")});
    w.completion->present(eyes, true);

    const auto cards = w.desktop.panels.live(PanelLevel::completion);
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0]->screenID, "desk");
    EXPECT_TRUE(cards[0]->visible);
    // 280 × 64 card, centred on the screen, 4 points below its 25-point menu bar.
    EXPECT_EQ(cards[0]->frame, (Rect{2332, 987, 280, 64}));
    const auto& view = panelOn(w, "desk").view;
    EXPECT_TRUE(view.includesNudgeContext);
    EXPECT_EQ(view.state, eyes);
    EXPECT_EQ(view.motion, NudgeActionBarMotion::entering);

    EXPECT_TRUE(w.completion->containsPoint({2400, 1000}));
    EXPECT_FALSE(w.completion->containsPoint({750, 970}));

    NotchWorld alone;
    alone.completion->present(eyes, true);
    EXPECT_TRUE(alone.desktop.panels.live(PanelLevel::completion).empty())
        << "only the notch shows the prompt";
    EXPECT_TRUE(alone.completion->isPresented());
}

TEST(NudgeCompletionWindowController, TheSamePromptDoesNotReplayItsEntry) {
    NotchWorld w({notchedLaptop(), externalDisplay("desk")});
    w.completion->present(eyes, true);
    const auto id = w.completion->presentationID();
    const double start = panelOn(w, "desk").view.motionStart;

    w.advance(0.1);
    w.completion->present(eyes, true);
    EXPECT_EQ(w.completion->presentationID(), id);
    EXPECT_DOUBLE_EQ(panelOn(w, "desk").view.motionStart, start) << "the entry keeps running";

    w.completion->present(stretch, true);
    EXPECT_NE(w.completion->presentationID(), id);
    EXPECT_EQ(panelOn(w, "desk").view.state, stretch);
    EXPECT_DOUBLE_EQ(panelOn(w, "desk").view.progressAt(w.scheduler.monotonicNow(), false), 0)
        << "enters again";
    EXPECT_EQ(w.desktop.panels.live(PanelLevel::completion).size(), 1u) << "the panel is reused";
}

TEST(NudgeCompletionWindowController, HidingPlaysTheExitThenOrdersOutUnlessAPromptComesBack) {
    NotchWorld w({notchedLaptop(), externalDisplay("desk")});
    w.completion->present(eyes, true);
    const auto card = w.desktop.panels.live(PanelLevel::completion).at(0);

    // A new prompt during the exit keeps the panel up.
    w.completion->hide(true);
    w.advance(0.1);
    w.completion->present(stretch, true);
    w.advance(1);
    EXPECT_TRUE(card->visible);
    EXPECT_EQ(card->orderOuts, 0);
    EXPECT_DOUBLE_EQ(card->alpha, 1);

    w.completion->hide(true);
    EXPECT_FALSE(w.completion->isPresented());
    EXPECT_FALSE(w.completion->containsPoint({2400, 1000})) << "a leaving card is not a target";
    EXPECT_EQ(panelOn(w, "desk").view.motion, NudgeActionBarMotion::exiting);
    w.advance(0.23);
    EXPECT_TRUE(card->visible);
    w.advance(0.01);
    EXPECT_FALSE(card->visible);
    EXPECT_FALSE(card->closed) << "kept for the next prompt";

    w.completion->present(stretch, false);
    EXPECT_TRUE(card->visible);
    EXPECT_EQ(w.desktop.panels.live(PanelLevel::completion).size(), 1u);
    w.completion->hide(false);
    EXPECT_FALSE(card->visible) << "at once without animation";
    w.completion->hide(true);
    EXPECT_FALSE(w.completion->isHidePending()) << "nothing left to hide";
}

TEST(NudgeCompletionWindowController, DisplaysComingAndGoingWhileShown) {
    NotchWorld w({notchedLaptop(), externalDisplay("desk")});
    w.completion->present(eyes, true);

    w.desktop.screens.list.push_back(externalDisplay("projector", 3432));
    w.window->handleScreenChange();
    auto cards = w.desktop.panels.live(PanelLevel::completion);
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cards[1]->screenID, "projector");
    EXPECT_TRUE(cards[1]->visible) << "shown at once";
    EXPECT_EQ(panelOn(w, "projector").view.motion, NudgeActionBarMotion::visible);

    const auto desk = cards[0];
    w.desktop.screens.list = {notchedLaptop(), externalDisplay("projector", 3432)};
    w.window->handleScreenChange();
    EXPECT_TRUE(desk->closed);
    EXPECT_EQ(w.completion->panels().count("desk"), 0u);
    EXPECT_TRUE(w.completion->containsPoint({3432 + 960, 1000}));

    // Without the notched laptop the main monitor becomes the notch screen, and its pill grows the
    // buttons itself: a card there would cover the grown pill and repeat them.
    w.desktop.screens.list = {externalDisplay("projector", 3432, true)};
    w.window->handleScreenChange();
    EXPECT_EQ(w.completion->panels().count("projector"), 0u);
    EXPECT_FALSE(w.completion->containsPoint({3432 + 960, 1000}));
}

TEST(NudgeCompletionWindowController, FollowsThePromptOfTheViewModel) {
    NotchWorld w({notchedLaptop(), externalDisplay("desk")});
    w.vm->presentNudge(NudgeKindID::postureCheck, false);
    ASSERT_TRUE(w.completion->displayedState().has_value());
    EXPECT_EQ(w.completion->displayedState()->kind, NudgeKindID::postureCheck);
    const auto card = w.desktop.panels.live(PanelLevel::completion).at(0);
    EXPECT_TRUE(card->visible);
    EXPECT_EQ(panelOn(w, "desk").view.motion, NudgeActionBarMotion::entering);

    w.advance(1);
    w.vm->completeNudgeFromNotch();
    EXPECT_FALSE(w.completion->isPresented());
    EXPECT_EQ(w.desktop.haptics.alignments, 1);
    w.advance(0.3);
    EXPECT_FALSE(card->visible);

    w.vm->presentNudge(NudgeKindID::water, false);
    EXPECT_FALSE(w.completion->displayedState().has_value()) << "water asks nothing";
}

TEST(NudgeCompletionMotion, CardSlidesAndFadesIntoPlace) {
    using M = NudgeActionBarMotion;
    EXPECT_DOUBLE_EQ(nudgeActionBarProgress(M::entering, 0, false), 0);
    EXPECT_GT(nudgeActionBarProgress(M::entering, 0.13, false), 0.5) << "fast start";
    EXPECT_DOUBLE_EQ(nudgeActionBarProgress(M::entering, 0.26, false), 1);
    EXPECT_DOUBLE_EQ(nudgeActionBarProgress(M::exiting, 0, false), 1);
    EXPECT_DOUBLE_EQ(nudgeActionBarProgress(M::exiting, 0.195, false), 0);
    EXPECT_DOUBLE_EQ(nudgeActionBarProgress(M::entering, 0, true), 1);
    EXPECT_DOUBLE_EQ(nudgeActionBarProgress(M::exiting, 0, true), 0);

    const NudgeActionBarMotionModifier hidden{0, false};
    EXPECT_DOUBLE_EQ(hidden.opacity(), 0);
    EXPECT_DOUBLE_EQ(hidden.offsetY(), -10);
    EXPECT_DOUBLE_EQ(hidden.scale(), 0.94);
    EXPECT_DOUBLE_EQ(hidden.blurRadius(), 1.5);
    const NudgeActionBarMotionModifier half{0.5, false};
    const double e = 1 - std::pow(0.5, 2.4);
    EXPECT_DOUBLE_EQ(half.opacity(), e);
    EXPECT_DOUBLE_EQ(half.scale(), 0.94 + 0.06 * e);
    EXPECT_DOUBLE_EQ(half.offsetY(), -10 * (1 - e));
    EXPECT_DOUBLE_EQ(half.blurRadius(), 1.5 * (1 - e));

    const NudgeActionBarMotionModifier reduced{0.5, true};
    EXPECT_DOUBLE_EQ(reduced.opacity(), 0.5);
    EXPECT_DOUBLE_EQ(reduced.scale(), 1);
}
