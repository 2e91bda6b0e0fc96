#include "core/notch/NotchShapes.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vornela;

namespace {

void expectPoint(Point actual, double x, double y, const char* what) {
    EXPECT_NEAR(actual.x, x, 1e-9) << what;
    EXPECT_NEAR(actual.y, y, 1e-9) << what;
}

} // namespace

TEST(NotchShape, OutlineFollowsTheNotchContour) {
    // A 200 × 32 notch at x = 10: top radius 1.92, bottom radius 14.72, stretch 3.84.
    const NotchPath p = macNotchShape({10, 0, 200, 32}, std::nullopt, std::nullopt);
    ASSERT_EQ(p.size(), 10u);
    EXPECT_EQ(p[0].type, PathSegment::moveTo);
    expectPoint(p[0].to, 11.92, 0, "start after the top-left corner");
    expectPoint(p[2].c1, 210, 0, "top-right control sits in the corner");
    expectPoint(p[2].to, 210, 1.92, "top-right corner end");
    expectPoint(p[3].to, 210, 32 - 14.72 - 3.84, "right side stops above a circular corner");
    EXPECT_EQ(p[4].type, PathSegment::cubicTo);
    expectPoint(p[4].c1, 210, 32 - 0.55 * 14.72, "first bottom-right control");
    expectPoint(p[4].c2, 210 - 0.15 * 14.72, 32, "second bottom-right control");
    expectPoint(p[4].to, 210 - 14.72, 32, "bottom-right corner end");
    expectPoint(p[6].to, 10, 32 - 14.72 - 3.84, "bottom-left corner end");
    expectPoint(p[6].c2, 10, 32 - 0.55 * 14.72, "second bottom-left control, mirrored");
    expectPoint(p[8].to, 11.92, 0, "back at the start");
    EXPECT_EQ(p[9].type, PathSegment::close);

    const NotchPath square = macNotchShape({0, 0, 100, 100}, 0.0, 0.0);
    expectPoint(square[3].to, 100, 100, "no bottom radius, no stretch");
}

TEST(NotchShape, EmptyRectanglesDrawNothing) {
    EXPECT_TRUE(macNotchShape({0, 0, 0, 32}, std::nullopt, std::nullopt).empty());
    EXPECT_TRUE(macNotchShape({0, 0, 200, -1}, 2.0, 14.0).empty());
    const ExpandingNotchClip clip{1, 0, 0, 0, 32, 0};
    EXPECT_TRUE(clip.path({0, 0, 0, 0}).empty());
}

TEST(NotchShape, ClipGrowsFromTheAnchorToThePanel) {
    const Rect panel{0, 0, 480, 200};
    EXPECT_EQ(notchClipRect(panel, 0, 140, 140, 168), (Rect{140, 0, 200, 32}));
    EXPECT_EQ(notchClipRect(panel, -3, 140, 140, 168), (Rect{140, 0, 200, 32}));
    EXPECT_EQ(notchClipRect(panel, 1, 140, 140, 168), panel);
    EXPECT_EQ(notchClipRect(panel, 7, 140, 140, 168), panel);

    const Rect half = notchClipRect(panel, 0.5, 140, 140, 168);
    EXPECT_EQ(half.minY(), 0) << "the top edge never moves";
    EXPECT_GT(half.width, 200 + 0.5 * 280) << "opens faster than linear";
    EXPECT_EQ(notchClipRect({0, 0, 100, 20}, 0, 200, 200, 50).size(), (Size{0, 0}));
}

TEST(NotchShape, BottomCornersComeFromTheNotchHeight) {
    EXPECT_DOUBLE_EQ(clipBottomRadius(32), 14.72);
    EXPECT_DOUBLE_EQ(clipBottomRadius(0), 14);

    // Early in the reveal the clip is short, so the corner shrinks with it.
    const ExpandingNotchClip clip{0, 140, 140, 168, 32, 0};
    const NotchPath closedPath = clip.path({0, 0, 480, 200});
    expectPoint(closedPath[4].to, 340 - 14.72, 32, "anchor-sized clip uses the full radius");
    const ExpandingNotchClip shallow{0, 0, 0, 190, 32, 0};
    const NotchPath thin = shallow.path({0, 0, 480, 200});
    expectPoint(thin[4].to, 480 - 0.46 * 10, 10, "capped at 0.46 of the clip height");
}

TEST(NotchShape, ContentRevealSettlesInPlace) {
    const auto moving = NotchContentReveal::at(0.5, false);
    EXPECT_DOUBLE_EQ(moving.opacity, 0.5);
    EXPECT_DOUBLE_EQ(moving.scale, 0.9825);
    EXPECT_DOUBLE_EQ(moving.offsetY, 3.5);

    EXPECT_EQ(NotchContentReveal::at(0.5, true), (NotchContentReveal{0.5, 1, 0}));
    EXPECT_EQ(NotchContentReveal::at(0.9995, true), (NotchContentReveal{1, 1, 0}));

    EXPECT_DOUBLE_EQ(containerRevealValue(0), 1) << "nothing animating: fully shown";
    EXPECT_DOUBLE_EQ(containerRevealValue(1), 1);
    EXPECT_NEAR(containerRevealValue(0.5), 1 - std::pow(0.5, 2.1), 1e-12);
    EXPECT_EQ(containerContentReveal(1, false), (NotchContentReveal{1, 1, 0}));
    EXPECT_LT(containerContentReveal(0.2, false).scale, 1);
    EXPECT_EQ(containerContentReveal(0.2, true).scale, 1);
}

TEST(NotchShape, ContentTakesClicksOnlyWhenNearlyRevealed) {
    const auto dashboard = NotchState::hoverExpanded();
    EXPECT_FALSE(contentAcceptsPointer(0.82, false, dashboard));
    EXPECT_TRUE(contentAcceptsPointer(0.83, false, dashboard));
    EXPECT_FALSE(contentAcceptsPointer(1, true, dashboard)) << "mid-resize the dashboard is going away";
    EXPECT_TRUE(contentAcceptsPointer(1, true, NotchState::waterTracking()));
    EXPECT_TRUE(contentAcceptsPointer(1, true, NotchState::activityHeatMap()));
}
