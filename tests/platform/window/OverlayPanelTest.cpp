#include "platform/window/OverlayPanel.h"

#include "platform/screen/CoordinateSpace.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

namespace vornela {
namespace {

ScreenInfo primaryScreen() {
    const CoordinateSpace space = CoordinateSpace::current();
    const Rect frame = space.toCore(QRectF(space.primary));
    return {"primary", true, frame, frame, 1, 0, std::nullopt, std::nullopt};
}

// Top centre of the primary, in core coordinates.
Rect topCentre(double width, double height) {
    const Rect screen = primaryScreen().frame;
    return {screen.midX() - width / 2, screen.maxY() - height, width, height};
}

TEST(OverlayPanelOffscreen, KeepsTheFrameItWasGivenAndPlacesTheWindowOnWholePixels) {
    OverlayPanel panel(primaryScreen(), topCentre(180, 32), PanelLevel::notch);
    EXPECT_EQ(panel.frame(), topCentre(180, 32));
    const QRect expected = CoordinateSpace::current().toQt(topCentre(180, 32)).toRect();
    EXPECT_EQ(panel.window()->geometry(), expected);

    // Fractional frames come back exactly as set, however often they are set.
    Rect frame{100.25, 300.5, 200.5, 40.75};
    for (int i = 0; i < 20; ++i) {
        frame = frame.offsetBy(0.1, -0.3);
        panel.setFrame(frame, i % 2 == 0);
        EXPECT_EQ(panel.frame(), frame);
    }
    // The window covers the frame's edges rounded to the nearest pixel.
    const QRectF qt = CoordinateSpace::current().toQt(frame);
    const QRect geometry = panel.window()->geometry();
    EXPECT_EQ(geometry.left(), qRound(qt.left()));
    EXPECT_EQ(geometry.x() + geometry.width(), qRound(qt.left() + qt.width()));
    EXPECT_EQ(geometry.y() + geometry.height(), qRound(qt.top() + qt.height()));
}

TEST(OverlayPanelOffscreen, ContentFillsTheWindowThroughResizesAndCloseLeavesOnlyTheFrame) {
    // Input shape, stacking and visibility on a real X server are the desktop tests'.
    OverlayPanel panel(primaryScreen(), topCentre(180, 32), PanelLevel::completion);
    auto* first = new QWidget;
    panel.setContent(first);
    EXPECT_EQ(first->parentWidget(), panel.window());
    EXPECT_EQ(first->geometry(), panel.window()->rect());
    QPointer<QWidget> replaced = first;
    auto* content = new QWidget;
    panel.setContent(content);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(replaced.isNull());

    panel.orderFront();
    EXPECT_TRUE(panel.isVisible());
    panel.setFrame(topCentre(420, 180), true);
    EXPECT_EQ(content->geometry(), QRect(0, 0, 420, 180));

    panel.setFrame(topCentre(500, 200), false);

    QPointer<QWidget> window = panel.window();
    QPointer<QWidget> contentAlive = content;
    panel.close();
    EXPECT_EQ(panel.window(), nullptr);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(panel.nativeWindowId(), 0u);
    EXPECT_EQ(panel.frame(), topCentre(500, 200));
    // Everything else is quietly ignored.
    panel.setFrame(topCentre(100, 100), true);
    panel.orderFront();
    panel.setAlpha(0.5);
    panel.setContent(new QWidget);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(panel.frame(), topCentre(100, 100));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(contentAlive.isNull());
}

} // namespace
} // namespace vornela
