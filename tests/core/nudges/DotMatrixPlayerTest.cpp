#include "core/nudges/DotMatrixPlayer.h"
#include "core/nudges/DotMatrixStyle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vornela {
namespace {

// Seven one-row frames told apart by their width, frame i shifted down by i + 1.
DotMatrixAnimation sevenFrames(bool loop, double frameDuration = 0.25) {
    DotMatrixAnimation animation{{}, {}, frameDuration, loop};
    for (std::size_t i = 0; i < 7; ++i) {
        animation.frames.push_back(
            DotMatrixFrame::fromRows({std::string(i + 1, 'x')}, {{'x', Color::white()}}));
        animation.frameOffsets.push_back({0, static_cast<double>(i + 1)});
    }
    return animation;
}

TEST(DotMatrixPlayerTest, FrameIndexFollowsElapsedTime) {
    struct Case {
        bool loop;
        double elapsed;
        std::size_t index;
    };
    const Case cases[] = {
        {true, 0, 0},     {true, 0.25, 1}, {true, 0.49, 1}, {true, 1.5, 6},
        {true, 1.75, 0},  {true, 1e12, 4}, {false, 1.5, 6}, {false, 1.75, 6},
        {false, 1000, 6}, {true, -0.1, 0}, // truncation toward zero keeps a sliver before the start on frame
                                           // 0
    };
    for (const auto& c : cases) {
        const auto picture = pictureAt(sevenFrames(c.loop), c.elapsed, 0);
        SCOPED_TRACE("loop " + std::to_string(c.loop) + " elapsed " + std::to_string(c.elapsed));
        EXPECT_EQ(picture.frame, sevenFrames(true).frames[c.index]);
        EXPECT_EQ(picture.offset, (Point{0, static_cast<double>(c.index) + 1}));
    }
}

TEST(DotMatrixPlayerTest, OddTimingFallsBackToTheFirstFrame) {
    for (bool loop : {true, false}) { // before the start: unshifted
        EXPECT_EQ(pictureAt(sevenFrames(loop), -0.3, 0).frameIndex, 0u);
        EXPECT_EQ(pictureAt(sevenFrames(loop), -0.3, 0).offset, (Point{0, 0}));
    }
    EXPECT_EQ(pictureAt(sevenFrames(true, 0), 5, 0).offset, (Point{0, 1}));
    EXPECT_EQ(pictureAt(DotMatrixAnimation{{}, {}, 0.25, true}, 3, 0).frame, (DotMatrixFrame{0, 0, {}}));

    auto shortOffsets = sevenFrames(true);
    shortOffsets.frameOffsets.resize(2);
    EXPECT_EQ(pictureAt(shortOffsets, 0.25, 0).offset, (Point{0, 2}));
    EXPECT_EQ(pictureAt(shortOffsets, 0.5, 0).offset, (Point{0, 0}));
}

TEST(DotMatrixPlayerTest, RedrawScheduleFollowsMotionSettings) {
    EXPECT_EQ(redrawSchedule(sevenFrames(true), 0, true, false),
              (RedrawSchedule{RedrawMode::periodic, 0.25}));
    // Never above 60 per second; frames are skipped, not slowed down.
    EXPECT_EQ(redrawSchedule(sevenFrames(true, 0.005), 0, true, false),
              (RedrawSchedule{RedrawMode::periodic, 1.0 / 60}));
    EXPECT_EQ(pictureAt(sevenFrames(true, 0.005), 1.0 / 60, 0).frameIndex, 3u);
    EXPECT_EQ(redrawSchedule(sevenFrames(true), 0.5, true, false).mode, RedrawMode::everyDisplayFrame)
        << "any bobbing";
    EXPECT_DOUBLE_EQ(pictureAt(sevenFrames(true), 0.3, 2).floatY, 2 * std::sin(3.4 * 0.3));

    for (auto [animate, reduceMotion] : {std::pair{false, false}, {true, true}}) {
        const auto schedule = redrawSchedule(sevenFrames(true), 2, animate, reduceMotion);
        EXPECT_EQ(schedule, (RedrawSchedule{RedrawMode::still, 0}));
        const auto picture = pictureAt(sevenFrames(true), drawingElapsed(schedule, 4.6), 2);
        EXPECT_EQ(picture.frameIndex, 0u);
        EXPECT_EQ(picture.offset, (Point{0, 1}));
        EXPECT_EQ(picture.floatY, 0);
    }
}

TEST(DotMatrixPlayerTest, DotsAreCentredInTheBoxThenShifted) {
    const auto frame = DotMatrixFrame::fromRows({"x.x", "xx"}, {{'x', Color::white()}});
    const auto style = messageRowDotMatrixStyle;
    const auto box = messageRowDotMatrixBox;
    auto layout = [&](Point offset, double floatY) {
        return dotRects(DotMatrixPicture{frame, 0, offset, floatY}, style.pixelSize, style.spacing, box.width,
                        box.height);
    };

    const auto dots = layout({}, 0);
    ASSERT_EQ(dots.size(), 4u); // absent dots are not drawn
    EXPECT_NEAR(dots[0].rect.x, 4.85, 1e-9);
    EXPECT_NEAR(dots[0].rect.y, 5.8, 1e-9);
    EXPECT_DOUBLE_EQ(dots[0].rect.width, 1.5);
    EXPECT_DOUBLE_EQ(dots[0].cornerRadius, 0.3);
    EXPECT_NEAR(dots[1].rect.x, 4.85 + 2 * 1.9, 1e-9);
    EXPECT_NEAR(dots[3].rect.y, 5.8 + 1.9, 1e-9);

    const auto shifted = layout({1, -2}, 0.5);
    EXPECT_NEAR(shifted[0].rect.x, 5.85, 1e-9);
    EXPECT_NEAR(shifted[0].rect.y, 4.3, 1e-9);

    // A matrix larger than its box overflows evenly instead of being scaled.
    const auto wide = DotMatrixFrame::fromRows({std::string(10, 'x')}, {{'x', Color::white()}});
    const auto overflow = dotRects(DotMatrixPicture{wide, 0, {}, 0}, 2, 0, 10, 10);
    EXPECT_DOUBLE_EQ(overflow.front().rect.x, -5);
    EXPECT_DOUBLE_EQ(overflow.back().rect.maxX(), 15);
    EXPECT_TRUE(dotRects(DotMatrixPicture{}, 2, 0, 10, 10).empty());
}

} // namespace
} // namespace vornela
