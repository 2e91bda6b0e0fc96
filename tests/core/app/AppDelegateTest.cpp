#include "core/app/VornelaCore.h"

#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vornela {
namespace {

// The whole start-up on virtual time, built by the composition root, with recorders only at the
// desktop's ports. 09:00 on a Tuesday, so posture falls due at 09:15.
class AppDelegateTest : public ::testing::Test {
protected:
    AppDelegate& delegate() { return w.core->delegate(); }
    NotchViewModel& notch() { return w.core->notch(); }
    fakes::RecordingOnboardingWindow& onboarding() { return w.desktop.onboarding; }
    long notchPanels() const {
        const auto& created = w.desktop.panels.created;
        return std::count_if(created.begin(), created.end(),
                             [](const auto& r) { return r->level == PanelLevel::notch; });
    }
    bool notchPanelUp() const {
        auto panel = w.desktop.panels.notchPanel();
        return panel && panel->visible;
    }

    testing::CoreWorld w{"Europe/Berlin", 2026, 3, 10, 9, 0};
};

TEST_F(AppDelegateTest, FirstLaunchShowsOnboardingAndStartsServicesOnlyWhenItFinishes) {
    w.launch();
    EXPECT_EQ(onboarding().presents, 1);
    EXPECT_EQ(w.desktop.host.policies, std::vector<ActivationPolicy>{ActivationPolicy::regular});
    EXPECT_FALSE(delegate().appServicesStarted());
    EXPECT_FALSE(w.engine->isScheduling());
    EXPECT_EQ(notchPanels(), 0);

    // No nudge while onboarding is up, however long it takes.
    w.advance(3600);
    EXPECT_FALSE(notch().nudgeOverlay.get().has_value());

    w.core->onboarding().finish();
    w.core->onboarding().finish();
    EXPECT_TRUE(delegate().appServicesStarted());
    EXPECT_TRUE(w.engine->isScheduling());
    EXPECT_EQ(notchPanels(), 1);
    EXPECT_TRUE(notchPanelUp());
    EXPECT_FALSE(onboarding().visible);
    EXPECT_EQ(w.desktop.host.policy(), ActivationPolicy::accessory);
    EXPECT_TRUE(w.preferences->read(keys::hasCompletedOnboarding));
    w.core->onboarding().onOpenSettings();
    notch().openSettings();
    EXPECT_EQ(w.desktop.settings.shows, 2);

    // The engine now presents through the notch; its dates count from 10:00, so the eye break
    // (10:30, ahead of stand-up in the catalogue) is the first.
    w.advance(30 * 60);
    EXPECT_EQ(notch().nudgeOverlay.get(), NudgeKindID::eyeBreak);
}

TEST_F(AppDelegateTest, FirstRunStartsFromDefaultGoalsButAReopenedOnboardingKeepsTheUsers) {
    w.preferences->write(keys::waterGoalML, 3500);
    w.launch();
    EXPECT_EQ(w.health->waterGoalML.get(), 2000);
    w.core->onboarding().finish();

    w.preferences->write(keys::waterGoalML, 3500);
    w.center->post(notifications::showOnboardingRequested);
    EXPECT_EQ(onboarding().presents, 2);
    EXPECT_EQ(w.preferences->read(keys::waterGoalML), 3500);
}

TEST_F(AppDelegateTest, CompletedOnboardingStartsServicesAtOnceAndAReopenedOnboardingKeepsThem) {
    w.preferences->write(keys::hasCompletedOnboarding, true);
    w.launch();
    delegate().applicationDidFinishLaunching(); // a second call changes nothing
    EXPECT_EQ(onboarding().presents, 0);
    EXPECT_TRUE(w.desktop.host.policies.empty());
    EXPECT_TRUE(delegate().appServicesStarted());
    EXPECT_TRUE(notchPanelUp());
    EXPECT_EQ(w.engine->nextFireDates().size(), allNudgeKinds.size());
    w.advance(15 * 60);
    EXPECT_EQ(notch().nudgeOverlay.get(), NudgeKindID::postureCheck);

    w.center->post(notifications::showOnboardingRequested);
    EXPECT_EQ(onboarding().presents, 1);
    EXPECT_EQ(w.desktop.host.policies, std::vector<ActivationPolicy>{ActivationPolicy::regular});
    EXPECT_TRUE(w.engine->isScheduling());
    w.core->onboarding().finish();
    EXPECT_EQ(notchPanels(), 1) << "finishing it again starts no second set of services";
    EXPECT_TRUE(notchPanelUp());
}

// The launch decision finds onboarding already on screen (it was asked for before the event loop
// turned): a window that has become key is left alone, one still waiting is brought up again.
TEST_F(AppDelegateTest, OnboardingAlreadyUpAtTheLaunchDecisionIsNotShownTwice) {
    delegate().applicationDidFinishLaunching();
    w.center->post(notifications::showOnboardingRequested);
    w.scheduler.runDue();
    EXPECT_EQ(onboarding().presents, 1);
    EXPECT_FALSE(delegate().shouldPresentOnboarding());

    testing::CoreWorld waiting{"Europe/Berlin", 2026, 3, 10, 9, 0};
    waiting.desktop.onboarding.becomesKeyOnPresent = false;
    waiting.core->delegate().applicationDidFinishLaunching();
    waiting.center->post(notifications::showOnboardingRequested);
    waiting.scheduler.runDue();
    EXPECT_EQ(waiting.desktop.onboarding.presents, 2);
}

TEST_F(AppDelegateTest, BecomingActiveRefreshesTheDayOnlyOnceServicesRun) {
    w.launch();
    // Someone else recorded water today (another copy of the store, an outside edit).
    w.preferences->write(keys::waterIntakeDay, w.calendar.dayKey(w.scheduler.wallNow()));
    w.preferences->write(keys::waterIntakeML, 750);
    w.core->becameActive();
    EXPECT_EQ(w.health->todayWaterML.get(), 0);

    w.core->onboarding().finish();
    EXPECT_EQ(w.health->todayWaterML.get(), 750);
    w.preferences->write(keys::waterIntakeML, 1000);
    w.core->becameActive();
    EXPECT_EQ(w.health->todayWaterML.get(), 1000);
}

TEST_F(AppDelegateTest, LegacyWaterGoalIsMigratedOnceAndOtherGoalsAreLeftAlone) {
    w.preferences->write(keys::hasCompletedOnboarding, true);
    w.preferences->write(keys::waterGoalML, 8000);
    w.launch();
    EXPECT_EQ(w.preferences->read(keys::waterGoalML), 2000);
    EXPECT_TRUE(w.preferences->read(keys::legacyWaterGoalDefaultMigrated));

    // A later 8000 is the user's own choice and survives the next launch.
    w.preferences->write(keys::waterGoalML, 8000);
    w.core->terminate();
    w.restart();
    w.launch();
    EXPECT_EQ(w.preferences->read(keys::waterGoalML), 8000);

    testing::CoreWorld other{"Europe/Berlin", 2026, 3, 10, 9, 0};
    other.preferences->write(keys::hasCompletedOnboarding, true);
    other.preferences->write(keys::waterGoalML, 3000);
    other.launch();
    EXPECT_EQ(other.preferences->read(keys::waterGoalML), 3000);
}

TEST_F(AppDelegateTest, TerminatingBeforeServicesStartedStartsNothingLater) {
    w.preferences->write(keys::hasCompletedOnboarding, true);
    delegate().applicationDidFinishLaunching();
    w.core->terminate(); // before the launch decision has run
    w.scheduler.runDue();
    EXPECT_FALSE(delegate().appServicesStarted());
    EXPECT_EQ(delegate().notchWindowController(), nullptr);
    EXPECT_EQ(delegate().completionWindowController(), nullptr);
    EXPECT_FALSE(w.preferences->hasPendingChanges());

    // Nothing the old callbacks or notifications can do brings the services back.
    w.core->onboarding().finish();
    w.center->post(notifications::showOnboardingRequested);
    w.advance(3600);
    EXPECT_FALSE(delegate().appServicesStarted());
    EXPECT_FALSE(w.engine->isScheduling());
    EXPECT_TRUE(w.desktop.panels.created.empty());
}

TEST_F(AppDelegateTest, TerminatingStopsTheEngineDismissesTheNudgeAndClosesThePanel) {
    w.preferences->write(keys::hasCompletedOnboarding, true);
    w.launch();
    w.advance(15 * 60);
    ASSERT_TRUE(notch().nudgeOverlay.get().has_value());

    w.core->terminate();
    EXPECT_FALSE(delegate().appServicesStarted());
    EXPECT_FALSE(w.engine->isScheduling());
    EXPECT_FALSE(notch().nudgeOverlay.get().has_value());
    for (const auto& record : w.desktop.panels.created)
        EXPECT_TRUE(record->destroyed);
    EXPECT_FALSE(w.preferences->hasPendingChanges());
}

} // namespace
} // namespace vornela
