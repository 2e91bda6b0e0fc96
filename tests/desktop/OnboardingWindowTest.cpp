#include "support/AppProcess.h"
#include "support/X11Probe.h"

#include <gtest/gtest.h>

#include <csignal>

namespace vornela {
namespace {

using test::AppProcess;

// A first run of the real binary: the onboarding window, driven from the keyboard only.
class OnboardingDesktop : public ::testing::Test {
protected:
    // Starts a first run and waits for its window to settle on the first page; 0 if it never did.
    quint32 startAtFirstPage(AppProcess& app) {
        app.start();
        const quint32 window = waitForOnboarding(app);
        return window != 0 && settlesAt(window, 440) ? window : 0;
    }
    quint32 waitForOnboarding(AppProcess& app) {
        quint32 found = 0;
        X11Probe::waitUntil(
            [&] {
                if (!app.isRunning())
                    return true;
                for (quint32 window : probe.topLevelWindows(app.pid()))
                    if (probe.isViewable(window) &&
                        probe.textProperty(window, QStringLiteral("_NET_WM_NAME")) ==
                            QStringLiteral("Welcome to Vornela"))
                        found = window;
                return found != 0;
            },
            15);
        return found;
    }
    // Waits for the window to settle at `height` and gives the page change time to end.
    bool settlesAt(quint32 window, int height) {
        const bool reached =
            X11Probe::waitUntil([&] { return probe.geometry(window).height() == height; }, 10);
        X11Probe::waitUntil([] { return false; }, 0.5);
        return reached && probe.geometry(window).height() == height;
    }

    X11Probe probe;
};

TEST_F(OnboardingDesktop, FirstRunGoesThroughEveryStepByKeyboardAndKeepsTheChosenGoal) {
    ASSERT_TRUE(probe.isConnected());
    AppProcess app;
    const quint32 window = startAtFirstPage(app);
    ASSERT_NE(window, 0u) << app.standardError().toStdString();
    const QRect first = probe.geometry(window);
    EXPECT_EQ(first.width(), 640);

    ASSERT_TRUE(X11Probe::key(QStringLiteral("Return"))); // Continue
    ASSERT_TRUE(settlesAt(window, 560)) << probe.geometry(window).height();
    EXPECT_EQ(probe.geometry(window).top(), first.top()) << "the top edge stays put";
    // The first control of the set-up page is the water goal: one step up is 2.5 L.
    ASSERT_TRUE(X11Probe::key(QStringLiteral("Tab")));
    ASSERT_TRUE(X11Probe::key(QStringLiteral("Down")));

    ASSERT_TRUE(X11Probe::key(QStringLiteral("Return"))); // Get Started
    ASSERT_TRUE(settlesAt(window, 380)) << probe.geometry(window).height();
    EXPECT_EQ(probe.geometry(window).top(), first.top());
    EXPECT_EQ(probe.geometry(window).left(), first.left());

    ASSERT_TRUE(X11Probe::key(QStringLiteral("Return"))); // Done
    EXPECT_TRUE(X11Probe::waitUntil([&] { return !probe.isViewable(window); }, 10));
    nlohmann::json saved;
    EXPECT_TRUE(X11Probe::waitUntil(
        [&] {
            saved = app.readPreferences();
            return saved.is_object() && saved.value("hasCompletedOnboarding", false);
        },
        10));
    EXPECT_EQ(saved.value("waterGoalML", 0), 2500);
    EXPECT_EQ(saved.value("breaksGoalDaily", 0), 6);
    EXPECT_EQ(saved.value("movementGoalDaily", 0), 8);
    EXPECT_TRUE(app.isRunning()) << "closing onboarding leaves Vornela running in the notch";
}

// The close button never skips the last page: from the first page it leads there, and there it
// finishes. Quitting with the window up still ends the process.
TEST_F(OnboardingDesktop, CloseButtonLeadsToTheLastPageAndQuittingIsNotRefused) {
    ASSERT_TRUE(probe.isConnected());
    AppProcess app;
    const quint32 window = startAtFirstPage(app);
    ASSERT_NE(window, 0u) << app.standardError().toStdString();
    probe.pressCloseButton(window);
    ASSERT_TRUE(settlesAt(window, 380)) << probe.geometry(window).height();
    EXPECT_TRUE(probe.isViewable(window));
    EXPECT_FALSE(app.readPreferences().value("hasCompletedOnboarding", false));

    probe.pressCloseButton(window);
    EXPECT_TRUE(X11Probe::waitUntil([&] { return !probe.isViewable(window); }, 10));
    EXPECT_TRUE(X11Probe::waitUntil(
        [&] { return app.readPreferences().value("hasCompletedOnboarding", false); }, 10));

    AppProcess second;
    second.start();
    ASSERT_NE(waitForOnboarding(second), 0u) << second.standardError().toStdString();
    second.sendSignal(SIGTERM);
    EXPECT_EQ(second.waitForExit(15), 0);
}

} // namespace
} // namespace vornela
