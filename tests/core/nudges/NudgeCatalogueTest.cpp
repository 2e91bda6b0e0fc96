#include "core/nudges/NudgeCatalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace vornela {
namespace {

TEST(NudgeCatalogueTest, DailyCountsSnapToTheNearestStep) {
    const std::pair<int, double> cases[] = {
        {-3, 10800}, {0, 10800}, {1, 10800}, {2, 10800}, {4, 7200},   // 9000 ties 7200/10800: shorter wins
        {6, 5400},   {8, 3600},  {12, 2700}, {20, 1800}, {500, 1800}, // never below 30 minutes
    };
    for (auto [n, expected] : cases)
        EXPECT_EQ(intervalForDailyCount(n), expected) << n;
}

// The authored art is whole: one offset per frame, no holes ("." is a clear dot), and it loops.
TEST(NudgeCatalogueTest, EveryAnimationIsCompleteAndLoops) {
    for (auto kind : allNudgeKinds) {
        const auto& animation = definitionFor(kind).animation;
        SCOPED_TRACE(std::string(rawValue(kind)));
        EXPECT_GE(animation.frames.size(), 6u);
        EXPECT_EQ(animation.frameOffsets.size(), animation.frames.size());
        EXPECT_GT(animation.frameDuration, 0);
        EXPECT_TRUE(animation.loop);
        for (const auto& frame : animation.frames) {
            EXPECT_EQ(frame.pixels.size(), std::size_t(frame.width * frame.height));
            for (const auto& pixel : frame.pixels)
                EXPECT_TRUE(pixel.has_value());
        }
    }
}

} // namespace
} // namespace vornela
