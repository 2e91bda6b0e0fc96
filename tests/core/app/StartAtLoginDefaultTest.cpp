#include "core/app/StartAtLoginDefault.h"

#include "core/app/VornelaCore.h"
#include "core/store/PreferenceKeys.h"
#include "fakes/InMemoryLoginItem.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

// Onboarding's finish as the app connects it: the core's own finish, then the default.
struct FinishPath {
    explicit FinishPath(testing::CoreWorld& w, fakes::InMemoryLoginItem& item)
        : world(w), atLogin(w.core->preferences(), item) {}
    std::string finishOnboarding() {
        world.desktop.onboarding.clickFinish();
        return atLogin.onboardingFinished();
    }
    testing::CoreWorld& world;
    StartAtLoginDefault atLogin;
};

TEST(StartAtLoginDefault, FirstSetupTurnsItOnOnceAndLaterSetupsLeaveTheUsersChoice) {
    testing::CoreWorld w{"Europe/Berlin", 2026, 3, 10};
    fakes::InMemoryLoginItem item;
    {
        FinishPath first(w, item);
        w.launch();
        EXPECT_EQ(first.finishOnboarding(), "");
        EXPECT_TRUE(item.enabled);

        // Turned off in Settings, then onboarding reopened in the same session.
        ASSERT_EQ(item.setEnabled(false), "");
        w.core->onboarding().show();
        EXPECT_EQ(first.finishOnboarding(), "");
        EXPECT_FALSE(item.enabled);
    }

    // The next launch is already set up: finishing onboarding again changes nothing.
    w.restart();
    FinishPath again(w, item);
    w.launch();
    w.core->onboarding().show();
    EXPECT_EQ(again.finishOnboarding(), "");
    EXPECT_FALSE(item.enabled);
    EXPECT_EQ(item.changes, 2);
}

TEST(StartAtLoginDefault, AFailureToTurnItOnIsSaidAndSetupStillCompletes) {
    testing::CoreWorld w{"Europe/Berlin", 2026, 3, 10};
    fakes::InMemoryLoginItem item;
    item.refusal = "Could not write /x: read-only";
    FinishPath setup(w, item);
    w.launch();
    EXPECT_EQ(setup.finishOnboarding(), "Could not write /x: read-only");
    EXPECT_TRUE(w.core->preferences().read(keys::hasCompletedOnboarding));
    EXPECT_TRUE(w.core->delegate().appServicesStarted());
}

} // namespace
} // namespace vornela
