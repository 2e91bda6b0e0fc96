#include "core/app/VornelaCore.h"

#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

using Direction = OnboardingPageDirection;

// The first-run window on virtual time, launched on a first run: the window is up on its
// first page and has become key.
class OnboardingWindowControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        w.launch();
        auto started = onboarding().onDidFinish;
        onboarding().onDidFinish = [this, started] {
            ++finishes;
            started();
        };
    }
    OnboardingWindowController& onboarding() { return w.core->onboarding(); }
    fakes::RecordingOnboardingWindow& window() { return w.desktop.onboarding; }
    int page() { return onboarding().coordinator().page.get(); }
    bool completed() { return w.preferences->read(keys::hasCompletedOnboarding); }

    testing::CoreWorld w{"Europe/Berlin", 2026, 3, 10, 9, 0};
    int finishes = 0;
};

TEST_F(OnboardingWindowControllerTest, EscapeAndTheCloseButtonLeadToTheLastPageNeverPastIt) {
    onboarding().escape();
    EXPECT_EQ(page(), 0) << "Escape on the first page does nothing";
    window().pressClose();
    EXPECT_TRUE(window().visible);
    EXPECT_EQ(page(), 2) << "the close button on the first page shows the last";
    EXPECT_EQ(window().height, 380);

    onboarding().showPage(1);
    window().becomeKey();
    onboarding().escape();
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(onboarding().coordinator().navigationDirection.get(), Direction::forward);
    onboarding().showPage(1);
    window().becomeKey();
    window().pressClose();
    EXPECT_EQ(page(), 2);
    EXPECT_FALSE(completed());
    EXPECT_EQ(finishes, 0);

    onboarding().escape();
    EXPECT_TRUE(completed()) << "Escape on the last page finishes";
    EXPECT_FALSE(window().visible);
    EXPECT_FALSE(onboarding().isClosingProgrammatically());
}

TEST_F(OnboardingWindowControllerTest, FinishRunsOncePerShowingWhateverTheUserPresses) {
    onboarding().primaryAction();
    onboarding().primaryAction();
    window().pressClose();        // on the last page: finishes and closes
    onboarding().primaryAction(); // "Done", still on screen for a moment
    onboarding().escape();
    EXPECT_EQ(finishes, 1);
    EXPECT_EQ(w.desktop.host.policies, (std::vector{ActivationPolicy::regular, ActivationPolicy::accessory}));

    // A new showing may finish again; a window the user never saw closes without finishing.
    window().becomesKeyOnPresent = false;
    onboarding().show();
    window().pressClose();
    EXPECT_FALSE(window().visible);
    EXPECT_EQ(finishes, 1);
    onboarding().showPage(2);
    window().becomeKey();
    onboarding().primaryAction();
    EXPECT_EQ(finishes, 2);
}

TEST_F(OnboardingWindowControllerTest, BackSlidesBackwardAndTheWindowShrinksToTheFirstPage) {
    onboarding().back();
    EXPECT_EQ(window().resizes, 0) << "no Back on the first page";
    onboarding().primaryAction();
    EXPECT_EQ(window().height, 560);
    onboarding().back();
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(onboarding().coordinator().navigationDirection.get(), Direction::backward);
    EXPECT_EQ(window().height, 440);
    EXPECT_TRUE(window().animated);

    w.desktop.system.reduceMotion.set(true);
    onboarding().primaryAction();
    EXPECT_FALSE(window().animated) << "the window jumps to its height with reduce motion";
}

TEST_F(OnboardingWindowControllerTest, SetUpPageStartsFromDefaultsOnlyOnAFirstRun) {
    // A first run's set-up page opens on the default goals, whatever was stored meanwhile.
    w.preferences->write(keys::breaksGoalDaily, 3);
    w.preferences->write(keys::movementGoalDaily, 11);
    onboarding().primaryAction();
    EXPECT_EQ(w.health->breaksGoalDaily.get(), 6);
    EXPECT_EQ(w.health->movementGoalDaily.get(), 8);
    // The user's pick survives a look back at the first page (Back, then Continue).
    w.core->settings().setGoal(SettingsActions::Goal::water, 3000);
    onboarding().back();
    onboarding().primaryAction();
    EXPECT_EQ(w.health->waterGoalML.get(), 3000);
    onboarding().finish();

    // Reopened: the goals stay, and a goal set elsewhere is handed to the day record as it is.
    w.preferences->write(keys::waterGoalML, 1500);
    w.preferences->write(keys::movementGoalDaily, 3);
    onboarding().show();
    onboarding().primaryAction();
    EXPECT_EQ(w.preferences->read(keys::waterGoalML), 1500);
    EXPECT_EQ(w.health->waterGoalML.get(), 1500);
    EXPECT_EQ(w.health->movementGoalDaily.get(), 3);
}

} // namespace
} // namespace vornela
