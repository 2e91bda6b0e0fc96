#include "core/nudges/DotMatrixFrame.h"
#include "core/nudges/DotMatrixStyle.h"

#include "UiTestPictures.h"
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

    // 3 x 2 dots of 1.5 with 0.4 gaps, centred: the first dot spans 48.5...63.5 px across, 58...73 down.
    const int row0 = 65, row1 = row0 + 19, column0 = 56;
    EXPECT_EQ(image.pixelColor(column0, row0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(column0 + 19, row0), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(column0 + 38, row0), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(column0, row1), QColor(255, 0, 0));
    EXPECT_EQ(alphaAt(image, 66, row0), 0) << "the gap between dots stays empty";
    EXPECT_EQ(alphaAt(image, column0 + 19, row1), 0) << "absent dot";
    EXPECT_EQ(alphaAt(image, column0 + 38, row1), 0) << "clear dot";
    EXPECT_EQ(opaqueBounds(image), QRect(QPoint(48, 58), QPoint(101, 91)));
    EXPECT_LT(alphaAt(image, 49, 58), 200) << "rounded corners";
}

TEST(DotMatrixView, FramesChangeAtFrameBoundariesFromTheStartUnlessHeldStill) {
    // Which frame shows when is core's (DotMatrixPlayerTest); the view counts from its start.
    DotMatrixView view(twoFrames(), messageRowDotMatrixStyle, 10);
    EXPECT_EQ(singleDot(draw(view, 10.2499)), QColor(255, 0, 0));
    EXPECT_EQ(singleDot(draw(view, 10.25)), QColor(0, 255, 0));

    EXPECT_NEAR(*view.nextFrameDelay(10.1, false), 0.15, 1e-9);
    EXPECT_NEAR(*view.nextFrameDelay(10.25, false), 0.25, 1e-9) << "a boundary that just passed";

    // Shown again: frame 0 from the new start; a new animation keeps the elapsed time.
    view.restart(20);
    EXPECT_EQ(singleDot(draw(view, 20.1)), QColor(255, 0, 0));
    DotMatrixAnimation swapped = twoFrames();
    std::swap(swapped.frames[0], swapped.frames[1]);
    view.setAnimation(swapped);
    EXPECT_EQ(singleDot(draw(view, 20.3)), QColor(255, 0, 0)) << "second frame of the new animation";

    // Reduced motion or a view told not to animate holds the first frame and wants no more.
    view.setAnimation(twoFrames());
    EXPECT_EQ(singleDot(draw(view, 20.3, true)), QColor(255, 0, 0)) << "first frame, not the current one";
    EXPECT_FALSE(view.nextFrameDelay(20.3, true));
    view.setAnimate(false);
    EXPECT_EQ(singleDot(draw(view, 20.3)), QColor(255, 0, 0));
    EXPECT_FALSE(view.nextFrameDelay(20.3, false));

    // A finished one-shot needs no more frames.
    DotMatrixAnimation once = twoFrames();
    once.loop = false;
    const DotMatrixView oneShot(once, messageRowDotMatrixStyle, 0);
    EXPECT_TRUE(oneShot.nextFrameDelay(0.3, false));
    EXPECT_FALSE(oneShot.nextFrameDelay(9, false));
}
