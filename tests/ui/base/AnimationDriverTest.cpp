#include "ui/base/AnimationDriver.h"
#include "core/base/ManualScheduler.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <optional>

using namespace vornela;

namespace {

// A surface whose wishes the test sets directly, to see what the driver arms for them.
class ScriptedSurface : public AnimatedSurface {
public:
    std::optional<double> nextFrameDelay(double now) const override {
        ++queries;
        if (!dueAt)
            return std::nullopt;
        return std::max(0.0, *dueAt - now);
    }
    void advanceFrame() override {
        ++frames;
        if (onFrame)
            onFrame();
    }

    std::optional<double> dueAt; // monotonic instant of the next wanted redraw; <= now: every frame
    mutable int queries = 0;
    int frames = 0;
    std::function<void()> onFrame;
};

void settle() {
    QCoreApplication::processEvents();
}

} // namespace

TEST(AnimationDriver, WaitsForTheEarliestDeadlineAndRedrawsOnlyTheSurfacesThatAreDue) {
    ManualScheduler clock(0, 50);
    AnimationDriver driver(clock);
    ScriptedSurface soon, later;
    soon.dueAt = 50.25;
    later.dueAt = 51;
    driver.add(&later);
    driver.add(&soon);
    settle();
    ASSERT_TRUE(driver.isRunning());
    ASSERT_TRUE(driver.pendingDelay());
    EXPECT_DOUBLE_EQ(*driver.pendingDelay(), 0.25);

    clock.advance(0.25);
    driver.tick();
    EXPECT_EQ(soon.frames, 1);
    EXPECT_EQ(later.frames, 0) << "a surface is redrawn only when its own time has come";

    soon.dueAt.reset();
    driver.tick();
    ASSERT_TRUE(driver.pendingDelay());
    EXPECT_DOUBLE_EQ(*driver.pendingDelay(), 0.75);

    driver.remove(&later);
    driver.remove(&soon);
    EXPECT_FALSE(driver.isRunning()) << "with no surfaces left nothing stays armed";
}

TEST(AnimationDriver, CoalescesWakesAndSurvivesSurfacesLeavingMidFrame) {
    ManualScheduler clock(0, 0);
    AnimationDriver driver(clock);
    ScriptedSurface a, b;
    driver.add(&a);
    driver.add(&b);
    settle();
    const int before = a.queries;
    for (int i = 0; i < 10; ++i)
        driver.wake();
    settle();
    EXPECT_EQ(a.queries - before, 1) << "a burst of wakes is one re-evaluation";

    // The first surface removes the second while it repaints: no redraw of the departed one.
    a.dueAt = 0;
    b.dueAt = 0;
    a.onFrame = [&] { driver.remove(&b); };
    driver.tick();
    EXPECT_EQ(a.frames, 1);
    EXPECT_EQ(b.frames, 0);

    driver.add(&a); // adding twice does not redraw twice
    driver.tick();
    EXPECT_EQ(a.frames, 2);

    a.dueAt.reset();
    driver.tick();
    EXPECT_EQ(a.frames, 2) << "a surface that stopped animating is not redrawn";
    EXPECT_FALSE(driver.isRunning()) << "an idle surface keeps no timer armed";
}
