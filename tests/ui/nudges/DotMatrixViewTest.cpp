#include "core/nudges/DotMatrixFrame.h"
#include "core/nudges/DotMatrixStyle.h"

#include "NudgeTestImages.h"
#include "ui/nudges/DotMatrixView.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::testing;

namespace {

const Color red = Color::rgb(1, 0, 0);
const Color green = Color::rgb(0, 1, 0);
const Color blue = Color::rgb(0, 0, 1);

// Drawn ten times larger, so one point is ten pixels.
constexpr int zoom = 10;

QImage draw(const DotMatrixView& view, double now, bool reduceMotion = false) {
    QImage image = blankCanvas(15 * zoom, 15 * zoom);
    QPainter painter(&image);
    painter.scale(zoom, zoom);
    view.paint(painter, QRectF(0, 0, 15, 15), now, reduceMotion);
    return image;
}

DotMatrixAnimation twoFrames(double frameDuration = 0.25) {
    DotMatrixAnimation animation;
    animation.frames = {DotMatrixFrame::fromRows({"r"}, {{'r', red}}),
                        DotMatrixFrame::fromRows({"g"}, {{'g', green}})};
    animation.frameDuration = frameDuration;
    return animation;
}

// The colour at the centre of the single dot of a 1 x 1 frame in the 15 x 15 box.
QColor singleDot(const QImage& image) {
    return image.pixelColor(75, 75);
}

} // namespace

TEST(DotMatrixView, DrawsEachPresentDotAtItsGridPlace) {
    DotMatrixAnimation animation;
    // Column 1 of row 1 is missing; "." is a present but clear dot.
    animation.frames = {DotMatrixFrame::fromRows(
        {"rgb", "r ."}, {{'r', red}, {'g', green}, {'b', blue}, {'.', Color::clear()}})};
    const DotMatrixView view(animation, messageRowDotMatrixStyle, 0);
    const QImage image = draw(view, 0);

    // 3 x 2 dots of 1.5 with 0.4 gaps: 5.3 x 3.4, centred, so the first dot starts at (4.85, 5.8).
    const int midRow0 = static_cast<int>((5.8 + 0.75) * zoom);
    EXPECT_EQ(alphaAt(image, 47, midRow0), 0);
    EXPECT_EQ(image.pixelColor(49, midRow0), QColor(255, 0, 0));
    EXPECT_GT(alphaAt(image, 48, midRow0), 60) << "the edge at 48.5 px half covers pixel 48";
    EXPECT_LT(alphaAt(image, 48, midRow0), 200);
    const int midColumn0 = static_cast<int>((4.85 + 0.75) * zoom);
    EXPECT_EQ(alphaAt(image, midColumn0, 57), 0);
    EXPECT_EQ(image.pixelColor(midColumn0, 59), QColor(255, 0, 0));

    // Next column one pitch (1.9) further right, next row one pitch lower.
    EXPECT_EQ(alphaAt(image, 66, midRow0), 0) << "the gap between dots stays empty";
    EXPECT_EQ(image.pixelColor(68, midRow0), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(static_cast<int>((4.85 + 3.8 + 0.75) * zoom), midRow0), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(midColumn0, midRow0 + 19), QColor(255, 0, 0));

    // The absent dot and the clear dot leave the background untouched; so does everything outside.
    EXPECT_EQ(alphaAt(image, static_cast<int>((4.85 + 1.9 + 0.75) * zoom), midRow0 + 19), 0);
    EXPECT_EQ(alphaAt(image, static_cast<int>((4.85 + 3.8 + 0.75) * zoom), midRow0 + 19), 0);
    // From the first dot's corner (48.5, 58) to the blue dot's right (101.5) and the second row's bottom
    // (92).
    EXPECT_EQ(opaqueBounds(image), QRect(QPoint(48, 58), QPoint(101, 91)));

    // The corners are rounded: the very corner pixel of the first dot is only partly covered.
    EXPECT_LT(alphaAt(image, 49, 58), 200);
}

TEST(DotMatrixView, FramesChangeAtFrameBoundariesFromTheStart) {
    DotMatrixView view(twoFrames(), messageRowDotMatrixStyle, 10);
    EXPECT_EQ(singleDot(draw(view, 10)), QColor(255, 0, 0));
    EXPECT_EQ(singleDot(draw(view, 10.2499)), QColor(255, 0, 0));
    EXPECT_EQ(singleDot(draw(view, 10.25)), QColor(0, 255, 0));
    EXPECT_EQ(singleDot(draw(view, 10.5)), QColor(255, 0, 0)) << "loops";

    EXPECT_NEAR(*view.nextFrameDelay(10.1, false), 0.15, 1e-9);
    EXPECT_NEAR(*view.nextFrameDelay(10.25, false), 0.25, 1e-9) << "a boundary that just passed";

    // Shown again: frame 0 from the new start; a new animation keeps the elapsed time.
    view.restart(20);
    EXPECT_EQ(singleDot(draw(view, 20.1)), QColor(255, 0, 0));
    DotMatrixAnimation swapped = twoFrames();
    std::swap(swapped.frames[0], swapped.frames[1]);
    view.setAnimation(swapped);
    EXPECT_EQ(singleDot(draw(view, 20.3)), QColor(255, 0, 0)) << "second frame of the new animation";
}

TEST(DotMatrixView, StillWhenNotAnimatingOrWithReducedMotion) {
    DotMatrixView view(twoFrames(), messageRowDotMatrixStyle, 0);
    EXPECT_EQ(singleDot(draw(view, 0.3, true)), QColor(255, 0, 0)) << "first frame, not the current one";
    EXPECT_FALSE(view.nextFrameDelay(0.3, true));
    view.setAnimate(false);
    EXPECT_EQ(singleDot(draw(view, 0.3)), QColor(255, 0, 0));
    EXPECT_FALSE(view.nextFrameDelay(0.3, false));

    // A finished one-shot needs no more frames.
    DotMatrixAnimation once = twoFrames();
    once.loop = false;
    const DotMatrixView oneShot(once, messageRowDotMatrixStyle, 0);
    EXPECT_TRUE(oneShot.nextFrameDelay(0.3, false));
    EXPECT_FALSE(oneShot.nextFrameDelay(9, false));
}
