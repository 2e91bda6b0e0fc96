#include "platform/pointer/XInputPointerSource.h"
#include "support/X11Probe.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace vornela {
namespace {

void spin(int turns) {
    for (int i = 0; i < turns; ++i)
        QCoreApplication::processEvents();
}

TEST(OverlayPanelSources, PointerMotionAnywhereWakesTheSourceOncePerTurn) {
    XInputPointerSource source;
    ASSERT_TRUE(source.hasGlobalMotion());
    int moves = 0;
    source.onPointerMoved = [&] { ++moves; };

    // xdotool moves the pointer through XTest, as a real device would.
    ASSERT_TRUE(X11Probe::movePointer({300, 200}));
    ASSERT_TRUE(X11Probe::waitUntil([&] { return moves > 0; }));
    // Core's y grows upwards from the bottom of the 1080-pixel screen.
    EXPECT_EQ(source.location(), (Point{300, 880}));

    // A burst of motion between two turns of the loop is one wake-up.
    spin(5);
    moves = 0;
    for (int i = 1; i <= 6; ++i)
        ASSERT_TRUE(X11Probe::movePointer({300 + 25 * i, 200 + 10 * i}));
    ASSERT_TRUE(X11Probe::waitUntil([&] { return moves > 0; }));
    spin(10);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(source.location(), (Point{450, 820}));

    // A pointer at rest wakes nobody.
    moves = 0;
    spin(10);
    EXPECT_EQ(moves, 0);
}

} // namespace
} // namespace vornela
