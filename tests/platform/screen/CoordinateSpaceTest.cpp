#include "platform/screen/CoordinateSpace.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

// A primary that is not at Qt's origin, and a second screen above and to its left.
const CoordinateSpace space{QRect(100, 50, 1920, 1080)};
const QRect upperLeft(-1280, -974, 1280, 1024);

TEST(CoordinateSpace, FlipsAtThePrimaryScreensBottomEdgeAndBackExactly) {
    EXPECT_EQ(space.toCore(QRectF(space.primary)), (Rect{100, 0, 1920, 1080}));
    // The other screen sits right on top of the primary in core, y growing upwards.
    EXPECT_EQ(space.toCore(QRectF(upperLeft)), (Rect{-1280, 1080, 1280, 1024}));
    // The primary's top-left corner is its top edge in core.
    EXPECT_EQ(space.toCore(QPointF(100, 50)), (Point{100, 1080}));
    EXPECT_EQ(space.toQt(Point{-1280, 2104}), QPointF(-1280, -974));

    // And back again, exactly.
    for (const QRectF& rect :
         {QRectF(upperLeft), QRectF(870.5, 50, 180.25, 32.5), QRectF(-3.75, 1129.5, 1, 0.5)})
        EXPECT_EQ(space.toQt(space.toCore(rect)), rect);
    for (const Rect& rect :
         {Rect{870, 1048, 180, 32}, Rect{-1280, 1080, 1280, 1024}, Rect{0.5, -20.25, 3, 7}})
        EXPECT_EQ(space.toCore(space.toQt(rect)), rect);
    for (const QPointF& point : {QPointF(0, 0), QPointF(-640.5, -900), QPointF(2019, 1129)})
        EXPECT_EQ(space.toQt(space.toCore(point)), point);
}

} // namespace
} // namespace vornela
