#include "core/app/StartAtLoginDefault.h"

#include "core/app/VornelaCore.h"
#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

TEST(StartAtLoginDefault, FirstSetupTurnsItOnOnceAndLaterSetupsLeaveTheUsersChoice) {
    testing::CoreWorld w{"Europe/Berlin", 2026, 3, 10};
    auto& item = w.desktop.loginItem;
    w.launch();
    w.core->onboarding().finish();
    EXPECT_TRUE(item.enabled);

    // Turned off in Settings, then onboarding reopened in the same session.
    ASSERT_EQ(item.setEnabled(false), "");
    w.core->onboarding().show();
    w.core->onboarding().finish();
    EXPECT_FALSE(item.enabled);

    // The next launch is already set up: finishing onboarding again changes nothing.
    w.restart();
    w.launch();
    w.core->onboarding().show();
    w.core->onboarding().finish();
    EXPECT_FALSE(item.enabled);
    EXPECT_EQ(item.changes, 2);
}

TEST(StartAtLoginDefault, AFailureToTurnItOnIsSaidAndSetupStillCompletes) {
    testing::CoreWorld w{"Europe/Berlin", 2026, 3, 10};
    w.desktop.loginItem.refusal = "Could not write /x: read-only";
    std::vector<std::string> said;
    auto reports =
        w.core->startAtLogin().failed.connect([&](const std::string& why) { said.push_back(why); });
    w.launch();
    w.core->onboarding().finish();
    EXPECT_EQ(said, std::vector<std::string>{"Could not write /x: read-only"});
    EXPECT_TRUE(w.core->preferences().read(keys::hasCompletedOnboarding));
    EXPECT_TRUE(w.core->delegate().appServicesStarted());
}

} // namespace
} // namespace vornela
