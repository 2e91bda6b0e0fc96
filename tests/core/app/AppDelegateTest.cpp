#include "core/app/AppDelegate.h"

#include "core/notch/NotchViewModel.h"
#include "core/nudges/FixedCompletionCardMeasurer.h"
#include "core/nudges/ReminderEngine.h"
#include "core/store/PreferenceKeys.h"
#include "support/NotchWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace vornela {
namespace {

using testing::CoreWorld;

// What became of one panel the controllers asked for.
struct PanelRecord {
    PanelLevel level;
    bool visible = false;
    bool destroyed = false;
};

class RecordingPanel : public PanelWindow {
public:
    RecordingPanel(std::shared_ptr<PanelRecord> record, Rect frame)
        : record_(std::move(record)), frame_(frame) {}
    ~RecordingPanel() override { record_->destroyed = true; }
    void setFrame(Rect frame, bool) override { frame_ = frame; }
    Rect frame() const override { return frame_; }
    void orderFront() override { record_->visible = true; }
    void orderOut() override { record_->visible = false; }
    void close() override { record_->visible = false; }
    void setSharingType(SharingType) override {}
    void setAlpha(double) override {}
    bool isVisible() const override { return record_->visible; }

private:
    std::shared_ptr<PanelRecord> record_;
    Rect frame_;
};

class RecordingPanelFactory : public PanelWindowFactory {
public:
    std::unique_ptr<PanelWindow> create(const ScreenInfo&, Rect frame, PanelLevel level) override {
        records.push_back(std::make_shared<PanelRecord>(PanelRecord{level}));
        return std::make_unique<RecordingPanel>(records.back(), frame);
    }
    long count(PanelLevel level) const {
        return std::count_if(records.begin(), records.end(),
                             [&](const auto& r) { return r->level == level; });
    }
    bool anyVisible(PanelLevel level) const {
        return std::any_of(records.begin(), records.end(),
                           [&](const auto& r) { return r->level == level && r->visible; });
    }
    std::vector<std::shared_ptr<PanelRecord>> records;
};

class AwayPointer : public PointerSource {
public:
    Point location() const override { return {5, 5}; }
};

class RecordingHost : public ApplicationHost {
public:
    void setActivationPolicy(ActivationPolicy policy) override { policies.push_back(policy); }
    void activate() override {}
    void terminate() override {}
    std::vector<ActivationPolicy> policies;
};

// Appears as soon as it is shown, as the desktop's window does once the event loop turns.
class FakeOnboardingWindow : public OnboardingWindowPort {
public:
    void show() override {
        ++shows;
        visible = true;
        if (onDidPresent)
            onDidPresent();
    }
    bool isWindowVisible() const override { return visible; }
    bool didBecomeVisible() const override { return visible; }
    void finish() {
        visible = false;
        if (onDidFinish)
            onDidFinish();
    }
    int shows = 0;
    bool visible = false;
};

class FakeSettingsWindow : public SettingsWindowPort {
public:
    void show() override { ++shows; }
    bool isVisible() const override { return shows > 0; }
    int shows = 0;
};

// The whole start-up on virtual time: real stores, view model, engine and panel controllers, with
// fakes only at the desktop's ports. 09:00 on a Tuesday, so posture falls due at 09:15.
class AppDelegateTest : public ::testing::Test {
protected:
    AppDelegateTest() {
        screens.list = {testing::notchedLaptop()};
        makeApp();
    }
    ~AppDelegateTest() override { tearDownApp(); }

    void makeApp() {
        viewModel = std::make_unique<NotchViewModel>(
            NotchViewModel::Services{*world.health, *world.preferences, world.scheduler, world.scheduler,
                                     world.center, text, haptics, system});
        engine = std::make_unique<ReminderEngine>(*world.preferences, *world.settings, *world.health,
                                                  world.scheduler, world.scheduler, world.calendar);
        world.settings->setRescheduler(engine.get());
        delegate = std::make_unique<AppDelegate>(
            AppDelegate::Services{*world.preferences,
                                  *world.health,
                                  *viewModel,
                                  *engine,
                                  world.scheduler,
                                  world.scheduler,
                                  world.center,
                                  host,
                                  settingsWindow,
                                  onboarding,
                                  {panels, screens, pointer, world.scheduler},
                                  {panels, screens, world.scheduler, world.scheduler, measurer, system}});
    }

    void tearDownApp() {
        delegate.reset();
        world.settings->setRescheduler(nullptr);
        engine.reset();
        viewModel.reset();
    }

    void launch() {
        delegate->applicationDidFinishLaunching();
        world.scheduler.runDue();
    }

    bool notchPanelUp() const { return panels.anyVisible(PanelLevel::notch); }

    CoreWorld world{"Europe/Berlin", 2026, 3, 10, 9, 0};
    testing::FakeScreenSource screens;
    RecordingPanelFactory panels;
    AwayPointer pointer;
    FixedCompletionCardMeasurer measurer;
    testing::FixedWidthTextMeasurer text;
    testing::RecordingHaptics haptics;
    SystemPreferences system;
    RecordingHost host;
    FakeSettingsWindow settingsWindow;
    FakeOnboardingWindow onboarding;
    std::unique_ptr<NotchViewModel> viewModel;
    std::unique_ptr<ReminderEngine> engine;
    std::unique_ptr<AppDelegate> delegate;
};

TEST_F(AppDelegateTest, FirstLaunchShowsOnboardingAndStartsServicesOnlyWhenItFinishes) {
    launch();
    EXPECT_EQ(onboarding.shows, 1);
    EXPECT_EQ(host.policies, std::vector<ActivationPolicy>{ActivationPolicy::regular});
    EXPECT_FALSE(delegate->shouldPresentOnboarding());
    EXPECT_FALSE(delegate->appServicesStarted());
    EXPECT_FALSE(engine->isScheduling());
    EXPECT_EQ(panels.count(PanelLevel::notch), 0);

    // No nudge while onboarding is up, however long it takes.
    world.scheduler.advance(3600);
    EXPECT_FALSE(viewModel->nudgeOverlay.get().has_value());

    onboarding.finish();
    onboarding.finish();
    EXPECT_TRUE(delegate->appServicesStarted());
    EXPECT_TRUE(engine->isScheduling());
    EXPECT_EQ(panels.count(PanelLevel::notch), 1);
    EXPECT_TRUE(notchPanelUp());
    EXPECT_EQ(onboarding.shows, 1);
    onboarding.onOpenSettings();
    viewModel->openSettings();
    EXPECT_EQ(settingsWindow.shows, 2);

    // The engine now presents through the notch; its dates count from 10:00, so the eye break
    // (10:30, ahead of stand-up in the catalogue) is the first.
    world.scheduler.advance(30 * 60);
    EXPECT_EQ(viewModel->nudgeOverlay.get(), NudgeKindID::eyeBreak);
}

TEST_F(AppDelegateTest, CompletedOnboardingStartsServicesAtOnce) {
    world.preferences->write(keys::hasCompletedOnboarding, true);
    launch();
    EXPECT_EQ(onboarding.shows, 0);
    EXPECT_TRUE(host.policies.empty());
    EXPECT_TRUE(delegate->appServicesStarted());
    EXPECT_TRUE(engine->isScheduling());
    EXPECT_TRUE(notchPanelUp());
    EXPECT_EQ(engine->nextFireDates().size(), allNudgeKinds.size());

    world.scheduler.advance(15 * 60);
    EXPECT_EQ(viewModel->nudgeOverlay.get(), NudgeKindID::postureCheck);
}

TEST_F(AppDelegateTest, OnboardingRequestedWhileRunningKeepsServicesRunning) {
    world.preferences->write(keys::hasCompletedOnboarding, true);
    launch();
    world.center.post(notifications::showOnboardingRequested);
    EXPECT_EQ(onboarding.shows, 1);
    EXPECT_EQ(host.policies, std::vector<ActivationPolicy>{ActivationPolicy::regular});
    EXPECT_TRUE(delegate->appServicesStarted());
    EXPECT_TRUE(engine->isScheduling());
    EXPECT_TRUE(notchPanelUp());

    // Finishing it again does not start a second set of services.
    onboarding.finish();
    EXPECT_EQ(panels.count(PanelLevel::notch), 1);
}

TEST_F(AppDelegateTest, BecomingActiveRefreshesTheDayOnlyOnceServicesRun) {
    launch();
    // Someone else recorded water today (another copy of the store, an outside edit).
    world.preferences->write(keys::waterIntakeDay, world.calendar.dayKey(world.scheduler.wallNow()));
    world.preferences->write(keys::waterIntakeML, 750);
    delegate->applicationDidBecomeActive();
    EXPECT_EQ(world.health->todayWaterML.get(), 0);

    onboarding.finish();
    EXPECT_EQ(world.health->todayWaterML.get(), 750);
    world.preferences->write(keys::waterIntakeML, 1000);
    delegate->applicationDidBecomeActive();
    EXPECT_EQ(world.health->todayWaterML.get(), 1000);
}

TEST_F(AppDelegateTest, LegacyWaterGoalIsMigratedOnce) {
    world.preferences->write(keys::waterGoalML, 8000);
    launch();
    EXPECT_EQ(world.preferences->read(keys::waterGoalML), 2000);
    EXPECT_TRUE(world.preferences->read(keys::legacyWaterGoalDefaultMigrated));

    // A later 8000 is the user's own choice and survives the next launch.
    world.preferences->write(keys::waterGoalML, 8000);
    delegate->applicationWillTerminate();
    tearDownApp();
    makeApp();
    launch();
    EXPECT_EQ(world.preferences->read(keys::waterGoalML), 8000);
}

TEST_F(AppDelegateTest, OtherStoredWaterGoalsAreLeftAlone) {
    world.preferences->write(keys::waterGoalML, 3000);
    launch();
    EXPECT_EQ(world.preferences->read(keys::waterGoalML), 3000);
}

TEST_F(AppDelegateTest, TerminatingBeforeServicesStartedIsClean) {
    launch();
    delegate->applicationWillTerminate();
    EXPECT_EQ(delegate->notchWindowController(), nullptr);
    EXPECT_EQ(delegate->completionWindowController(), nullptr);
    EXPECT_FALSE(world.preferences->hasPendingChanges());

    // Nothing the old callbacks or notifications can do brings the services back.
    onboarding.finish();
    world.center.post(notifications::showOnboardingRequested);
    world.scheduler.advance(3600);
    EXPECT_FALSE(delegate->appServicesStarted());
    EXPECT_FALSE(engine->isScheduling());
    EXPECT_EQ(panels.count(PanelLevel::notch), 0);
    EXPECT_EQ(onboarding.shows, 1);
}

TEST_F(AppDelegateTest, TerminatingBeforeTheLaunchDecisionStartsNothing) {
    world.preferences->write(keys::hasCompletedOnboarding, true);
    delegate->applicationDidFinishLaunching();
    delegate->applicationWillTerminate();
    world.scheduler.runDue();
    EXPECT_FALSE(delegate->appServicesStarted());
    EXPECT_EQ(panels.records.size(), 0u);
}

TEST_F(AppDelegateTest, TerminatingStopsTheEngineDismissesTheNudgeAndClosesThePanel) {
    world.preferences->write(keys::hasCompletedOnboarding, true);
    launch();
    world.scheduler.advance(15 * 60);
    ASSERT_TRUE(viewModel->nudgeOverlay.get().has_value());

    delegate->applicationWillTerminate();
    EXPECT_FALSE(engine->isScheduling());
    EXPECT_FALSE(viewModel->nudgeOverlay.get().has_value());
    EXPECT_FALSE(notchPanelUp());
    for (const auto& record : panels.records)
        EXPECT_TRUE(record->destroyed);
    EXPECT_FALSE(world.preferences->hasPendingChanges());
}

TEST_F(AppDelegateTest, CallbacksOutlivingTheDelegateDoNothing) {
    launch();
    delegate.reset();
    onboarding.finish();
    onboarding.onOpenSettings();
    viewModel->openSettings();
    world.center.post(notifications::showOnboardingRequested);
    EXPECT_FALSE(engine->isScheduling());
    EXPECT_EQ(settingsWindow.shows, 0);
    EXPECT_EQ(onboarding.shows, 1);
}

} // namespace
} // namespace vornela
