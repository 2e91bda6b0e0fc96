#include "platform/window/CompositorWatcher.h"

#include "platform/screen/CoordinateSpace.h"
#include "platform/window/OutlinePixels.h"
#include "platform/window/OverlayPanel.h"
#include "support/ShapeRows.h"
#include "support/X11Probe.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace vornela {
namespace {

// A fake compositing manager takes _NET_WM_CM_S0, gives it up, takes it again and then
// disconnects without a word. Nobody asks the watcher: the event loop brings each change, and
// the panel swaps between its outline (no compositor) and no bounding shape at all.
TEST(CompositorWatcher, FollowsACompositorComingAndGoingAndPanelsSwapTheirShape) {
    X11Probe probe;
    ASSERT_TRUE(probe.isConnected());
    CompositorWatcher watcher;
    EXPECT_FALSE(watcher.isActive()); // Xvfb runs none
    int changes = 0;
    QObject::connect(&watcher, &CompositorWatcher::activeChanged, [&] { ++changes; });

    const CoordinateSpace space = CoordinateSpace::current();
    const Rect screenFrame = space.toCore(QRectF(space.primary));
    const ScreenInfo screen{"screen", true, screenFrame, screenFrame, 1, 0, std::nullopt, std::nullopt};
    OverlayPanel panel(screen, space.toCore(QRectF(800, 0, 320, 80)), PanelLevel::notch, &watcher);
    panel.setContent(new QWidget);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, 320, 80), 24, 24);
    panel.setFallbackShape(outlinePixels(outline));
    panel.orderFront();
    const quint32 id = panel.nativeWindowId();
    ASSERT_TRUE(X11Probe::waitUntil([&] { return probe.isViewable(id); }));

    const QRegion whole(0, 0, 320, 80);
    const auto boundingIs = [&](const QRegion& expected) {
        return X11Probe::waitUntil([&] { return regionOf(probe.boundingShape(id)) == expected; });
    };
    const QRegion cut = regionOf(probe.boundingShape(id));
    ASSERT_TRUE(cut.contains(QPoint(160, 40)));
    ASSERT_FALSE(cut.contains(QPoint(2, 2)));

    {
        X11Probe compositor;
        ASSERT_TRUE(compositor.ownSelection("_NET_WM_CM_S0"));
        EXPECT_TRUE(X11Probe::waitUntil([&] { return watcher.isActive(); }));
        EXPECT_TRUE(boundingIs(whole));

        ASSERT_TRUE(compositor.releaseSelection("_NET_WM_CM_S0"));
        EXPECT_TRUE(X11Probe::waitUntil([&] { return !watcher.isActive(); }));
        EXPECT_TRUE(boundingIs(cut));

        ASSERT_TRUE(compositor.ownSelection("_NET_WM_CM_S0"));
        EXPECT_TRUE(X11Probe::waitUntil([&] { return watcher.isActive(); }));
        EXPECT_TRUE(boundingIs(whole));
    }
    EXPECT_TRUE(X11Probe::waitUntil([&] { return !watcher.isActive(); }));
    EXPECT_TRUE(boundingIs(cut));
    EXPECT_EQ(changes, 4);
}

} // namespace
} // namespace vornela
